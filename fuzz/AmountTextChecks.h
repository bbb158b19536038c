// What a display text of FormatAmount may look like, for every target that
// meets one: the number-text target itself and the two exports.
#pragma once

#include <string_view>

// A 22-character text: an optional "-", the integer digits grouped by three,
// the decimal separator and two decimals, then spaces up to 22. A number too
// long for the 22 characters is cut, so a text without padding may end
// anywhere in that pattern. American texts group with "," and end the
// integer with "."; European ones group with "." and end it with "'".
bool IsFormattedAmount(std::string_view text, bool american);
