// The RTF table export: a document with one bordered four-column table row per
// movement (date, description, amount, balance), written as plain text lines.
#pragma once

#include "ledger/data/Ledger.h"

#include <string>
#include <string_view>

namespace cofrelo {

// The whole document, CR LF after every line. The description cell ends at
// 5480 twips when the export replaces an existing file and at 5580 when it
// creates a new one.
std::string RtfExportContents(const Ledger& ledger, bool american, bool replacingExistingFile);

// A text from the ledger as RTF text: "\", "{" and "}" are escaped, and every
// byte that is not printable ASCII (control bytes, DEL and the code page's
// bytes above 127) becomes \'hh with lowercase hex digits, so no description
// can end a group, start a row or hide a byte from the reader.
void AppendRtfText(std::string& document, std::string_view text);

}  // namespace cofrelo
