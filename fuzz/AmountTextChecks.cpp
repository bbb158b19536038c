#include "AmountTextChecks.h"

#include "data/NumberText.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the pattern from the front of `text`; a cut text may stop at any point.
class AmountPattern {
public:
    AmountPattern(std::string_view text, bool mayBeCut) : text_(text), mayBeCut_(mayBeCut) {}

    bool Matches(char groupSeparator, char decimalSeparator)
    {
        if (Peek() == '-') ++at_;
        const std::size_t integerStart = at_;
        if (!Digits(1, 3)) return Cut();
        // Only a zero integer part starts with "0", and then that digit stands alone.
        if (text_[integerStart] == '0' && (at_ - integerStart > 1 || Peek() == groupSeparator)) return false;
        while (Peek() == groupSeparator) {
            ++at_;
            if (!Digits(3, 3)) return Cut();
        }
        if (Peek() != decimalSeparator) return Cut();
        ++at_;
        if (!Digits(2, 2)) return Cut();
        return at_ == text_.size();
    }

private:
    char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }

    bool Digits(std::size_t least, std::size_t most)
    {
        std::size_t count = 0;
        while (count < most && IsDigit(Peek())) {
            ++at_;
            ++count;
        }
        if (count == most && IsDigit(Peek())) return false;
        return count >= least;
    }

    // Whether the text stopping here is allowed: only a cut one stops early.
    bool Cut() const { return mayBeCut_ && at_ == text_.size(); }

    std::string_view text_;
    bool mayBeCut_;
    std::size_t at_ = 0;
};

}  // namespace

bool IsFormattedAmount(std::string_view text, bool american)
{
    if (text.size() != AmountTextWidth) return false;
    const std::size_t end = text.find_last_not_of(' ');
    if (end == std::string_view::npos) return false;
    const bool mayBeCut = end == AmountTextWidth - 1;
    AmountPattern pattern(text.substr(0, end + 1), mayBeCut);
    return american ? pattern.Matches(',', '.') : pattern.Matches('.', '\'');
}
