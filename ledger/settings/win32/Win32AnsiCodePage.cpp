#include "settings/AnsiCodePage.h"

#include "common/win32/AnsiText.h"

namespace {

class Win32AnsiCodePage final : public AnsiCodePage {
public:
    std::optional<std::string> FromUtf8(std::string_view utf8) const override
    {
        const std::optional<std::wstring> wide = WideFromUtf8(utf8);
        if (!wide) return std::nullopt;
        return ExactAnsiFromWide(*wide);
    }

    std::string ToUtf8(std::string_view ansi) const override { return Utf8FromWide(WideFromAnsi(ansi)); }
};

}  // namespace

const AnsiCodePage& SystemAnsiCodePage()
{
    static const Win32AnsiCodePage codePage;
    return codePage;
}
