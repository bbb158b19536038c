// ParseNumber and ReadLeadingNumber on any bytes. The value is never NaN or
// infinite (beyond a double's range it is the largest double with its sign);
// it is the value std::from_chars gives for the same leading number, found by
// a scan of its own; blanks before the text and one more character that is
// not a digit after it change nothing.
#include "common/DecimalText.h"
#include "FuzzCheck.h"
#include "data/NumberText.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The leading number rewritten for std::from_chars, which takes no "+" and
// knows only "e" as exponent letter.
struct ReferenceNumber {
    bool Negative = false;
    bool HasDigits = false;
    std::string Unsigned;
};

std::string ScanExponent(std::string_view text)
{
    if (text.empty() || std::string_view("EeDd").find(text.front()) == std::string_view::npos) return {};
    std::string exponent = "e";
    std::size_t i = 1;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) exponent += text[i++];
    const std::size_t firstDigit = i;
    while (i < text.size() && IsDigit(text[i])) exponent += text[i++];
    return i > firstDigit ? exponent : std::string();
}

ReferenceNumber ScanReference(std::string_view text)
{
    ReferenceNumber number;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number.Negative = text[i++] == '-';
    bool pointSeen = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            number.HasDigits = true;
        } else if (text[i] == '.' && !pointSeen) {
            pointSeen = true;
        } else {
            break;
        }
        number.Unsigned += text[i];
    }
    number.Unsigned += ScanExponent(text.substr(i));
    return number;
}

void CheckAgainstReference(std::string_view text, double value)
{
    const ReferenceNumber reference = ScanReference(text);
    if (!reference.HasDigits) {
        Require(value == 0, "a text without digits reads as 0");
        return;
    }
    double magnitude = 0;
    const char* first = reference.Unsigned.data();
    const auto parsed = std::from_chars(first, first + reference.Unsigned.size(), magnitude);
    Require(parsed.ptr == first + reference.Unsigned.size(), "the reference reads its whole rewritten number");
    if (parsed.ec == std::errc::result_out_of_range) {
        Require(value == 0 || std::fabs(value) == DBL_MAX, "out of range reads as 0 or the largest double");
        Require(value == 0 || std::signbit(value) == reference.Negative, "out of range keeps its sign");
        return;
    }
    Require(value == (reference.Negative ? -magnitude : magnitude), "the value is that of the leading number");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = InputText(data, size);
    const double value = ParseNumber(text);
    Require(!std::isnan(value) && !std::isinf(value), "the value is finite");
    Require(std::signbit(ReadLeadingNumber(text)) == std::signbit(value) && ReadLeadingNumber(text) == value,
            "ParseNumber is ReadLeadingNumber");
    CheckAgainstReference(text, value);

    const std::string withBlanks = " \t\r\n" + std::string(text);
    Require(ParseNumber(withBlanks) == value, "leading blanks change nothing");
    // One more character that is not a digit never adds to the number: a point,
    // an exponent letter or a sign would need digits after them.
    for (const char tail : std::string_view("x .eD-+%")) {
        Require(ParseNumber(std::string(text) + tail) == value, "a non-digit after the text changes nothing");
    }
    return 0;
}
