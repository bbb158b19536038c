// The plain-text export: one fixed-column line of 168 characters and CR LF per
// movement, in table order, with no header and no total.
#pragma once

#include "ledger/data/Ledger.h"

#include <string>

namespace cofrelo {

// The whole document, 170 bytes per movement. Date and description are taken as
// stored, padding included; a NUL byte in them (only a damaged file holds one)
// is written as a space, so that every line keeps its columns.
std::string TextExportContents(const Ledger& ledger, bool american);

}  // namespace cofrelo
