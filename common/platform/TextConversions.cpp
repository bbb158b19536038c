#include "common/platform/TextConversions.h"

namespace common {

namespace {

// With the UTF-8 code page every character has a form, and the system refuses
// the best-fit flag and the default-character report.
bool AnsiIsUtf8()
{
    return GetACP() == CP_UTF8;
}

// The text in the code page; usedDefault, when given, reports whether a
// character had to become the default character.
std::string ConvertFromWide(UINT codePage, DWORD flags, std::wstring_view wide, BOOL* usedDefault)
{
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefault);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, nullptr, usedDefault);
    return text;
}

// UTF-16 from a text in the code page; none when flags make the system refuse it.
std::optional<std::wstring> ConvertToWide(UINT codePage, DWORD flags, std::string_view text)
{
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::wstring WideFromAnsi(std::string_view ansi)
{
    return ConvertToWide(CP_ACP, 0, ansi).value_or(std::wstring());
}

std::string AnsiFromWide(std::wstring_view wide)
{
    return ConvertFromWide(CP_ACP, 0, wide, nullptr);
}

std::optional<std::string> ExactAnsiFromWide(std::wstring_view wide)
{
    if (AnsiIsUtf8()) return ConvertFromWide(CP_ACP, 0, wide, nullptr);
    BOOL usedDefault = FALSE;
    std::string ansi = ConvertFromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, &usedDefault);
    if (usedDefault) return std::nullopt;
    return ansi;
}

std::optional<std::wstring> WideFromUtf8(std::string_view utf8)
{
    return ConvertToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
}

std::string Utf8FromWide(std::wstring_view wide)
{
    return ConvertFromWide(CP_UTF8, 0, wide, nullptr);
}

std::wstring ShownWideFromUtf8(std::string_view utf8)
{
    return ConvertToWide(CP_UTF8, 0, utf8).value_or(std::wstring());
}

std::string SystemMessage(DWORD error)
{
    wchar_t* message = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::string text = length ? Utf8FromWide({message, length}) : "Error " + std::to_string(error);
    LocalFree(message);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

std::wstring WindowTextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string AnsiWindowTextOf(HWND window)
{
    return AnsiFromWide(WindowTextOf(window));
}

}  // namespace common
