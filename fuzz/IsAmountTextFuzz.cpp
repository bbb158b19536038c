// IsAmountText on any bytes agrees with the plainest reading of its rule: with
// the spaces at both ends removed, only digits and points are left. A text it
// accepts never reads as a negative or infinite amount.
#include "FuzzCheck.h"
#include "data/NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

bool DigitsAndPointsBetweenSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = InputText(data, size);
    const bool accepted = IsAmountText(text);
    Require(accepted == DigitsAndPointsBetweenSpaces(text), "IsAmountText agrees with the reference");
    if (accepted) {
        const double amount = ParseNumber(text);
        Require(amount >= 0 && !std::isinf(amount), "an accepted text is a finite amount of at least 0");
    }
    return 0;
}
