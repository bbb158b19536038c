#include "Wait.h"

#include <windows.h>

#include <charconv>

namespace e2e {

namespace {

constexpr DWORD PollIntervalMs = 10;

}  // namespace

void PauseBetweenPolls()
{
    Sleep(PollIntervalMs);
}

std::string Utf8(std::wstring_view text)
{
    const int length = static_cast<int>(text.size());
    std::string narrow(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0,
                                                                     nullptr, nullptr)),
                       '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, narrow.data(), static_cast<int>(narrow.size()), nullptr,
                        nullptr);
    return narrow;
}

std::string Hex(unsigned long long value)
{
    char digits[20];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value, 16).ptr;
    return "0x" + std::string(digits, end);
}

}  // namespace e2e
