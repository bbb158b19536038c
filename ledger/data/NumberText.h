// The four conversions between amounts and their texts: what the user types,
// what the list and the exports show, and what the ledger file stores.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cofrelo {

inline constexpr std::size_t AmountTextWidth = 22;

// The display text of an amount: grouped by thousands, two decimals, always
// exactly 22 characters (cut, or padded with spaces). `american` selects
// 1,234.50 over the European 1.234'50.
std::string FormatAmount(double value, bool american);

// Whether a typed amount is acceptable: once the spaces around it are removed,
// only digits and points remain. The empty text is acceptable (its value is 0).
bool IsAmountText(std::string_view text);

// The value of the longest leading number in the text: blanks, an optional sign,
// digits with at most one point, an optional exponent (E, e, D or d). A text
// without digits gives 0; a value too large for a double gives the largest one.
double ParseNumber(std::string_view text);

// The compact text in which a balance is stored: 15 significant digits, no
// grouping, no leading zero before the point (.5), exponent form only where
// the plain form needs more than 15 integer digits or decimal places.
std::string PlainNumberText(double value);

}  // namespace cofrelo
