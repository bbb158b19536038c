#include "fuzz/Fuzz.h"

#include "ledger/data/NumberText.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzOne({reinterpret_cast<const char*>(data), size});
    return 0;
}

void Require(bool holds, const char* what)
{
    if (holds) return;
    std::cerr << "\nFuzz check failed: " << what << '\n';
    std::abort();
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsFormattedAmount(std::string_view text, bool american)
{
    const char group = american ? ',' : '.';
    const std::size_t end = text.find_last_not_of(' ');
    if (text.size() != cofrelo::AmountTextWidth || end == std::string_view::npos) return false;
    const bool mayBeCut = end == cofrelo::AmountTextWidth - 1;
    const std::string_view body = text.substr(text[0] == '-', end + 1 - (text[0] == '-'));
    const std::size_t point = body.find(american ? '.' : '\'');
    const std::string_view integer = body.substr(0, point);
    const std::size_t firstGroup = std::min(integer.find(group), integer.size());
    // Only a zero integer part starts with "0", and then that digit stands alone.
    if (firstGroup == 0 || firstGroup > 3 || (integer[0] == '0' && integer.size() > 1)) return false;
    for (std::size_t i = 0; i < integer.size(); ++i)
        if (i >= firstGroup && (i - firstGroup) % 4 == 0 ? integer[i] != group : !IsDigit(integer[i])) return false;
    if (point == std::string_view::npos) return mayBeCut;
    const std::string_view decimals = body.substr(point + 1);
    return (integer.size() - firstGroup) % 4 == 0 && std::all_of(decimals.begin(), decimals.end(), IsDigit) &&
           (decimals.size() == 2 || (mayBeCut && decimals.size() < 2));
}
