#include "ledger/settings/AnsiCodePage.h"

#include "common/platform/TextConversions.h"

namespace cofrelo {

namespace {

class Win32AnsiCodePage final : public AnsiCodePage {
public:
    std::optional<std::string> FromUtf8(std::string_view utf8) const override
    {
        const std::optional<std::wstring> wide = common::WideFromUtf8(utf8);
        if (!wide) return std::nullopt;
        return common::ExactAnsiFromWide(*wide);
    }

    std::string ToUtf8(std::string_view ansi) const override
    {
        return common::Utf8FromWide(common::WideFromAnsi(ansi));
    }
};

}  // namespace

const AnsiCodePage& SystemAnsiCodePage()
{
    static const Win32AnsiCodePage codePage;
    return codePage;
}

}  // namespace cofrelo
