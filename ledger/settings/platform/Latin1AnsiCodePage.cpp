#include "ledger/settings/AnsiCodePage.h"

namespace cofrelo {

namespace {

// Latin-1: each byte is the code point of the same number.
class Latin1CodePage final : public AnsiCodePage {
public:
    std::optional<std::string> FromUtf8(std::string_view utf8) const override
    {
        std::string latin1;
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const auto byte = static_cast<unsigned char>(utf8[i]);
            if (byte < 0x80) {
                latin1 += static_cast<char>(byte);
                continue;
            }
            // Two-byte sequences C2 80 .. C3 BF are U+0080 .. U+00FF; nothing else fits.
            if (byte != 0xC2 && byte != 0xC3) return std::nullopt;
            if (++i == utf8.size() || (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) return std::nullopt;
            latin1 += static_cast<char>(((byte & 0x03) << 6) | (utf8[i] & 0x3F));
        }
        return latin1;
    }

    std::string ToUtf8(std::string_view ansi) const override
    {
        std::string utf8;
        for (const char c : ansi) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80) {
                utf8 += c;
            } else {
                utf8 += static_cast<char>(0xC0 | (byte >> 6));
                utf8 += static_cast<char>(0x80 | (byte & 0x3F));
            }
        }
        return utf8;
    }
};

}  // namespace

const AnsiCodePage& SystemAnsiCodePage()
{
    static const Latin1CodePage codePage;
    return codePage;
}

}  // namespace cofrelo
