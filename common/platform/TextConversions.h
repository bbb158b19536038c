// Texts cross the window boundary here. Inside the programs texts are UTF-8;
// stored records hold single-byte text in the system's ANSI code page; the
// system's calls take UTF-16.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace common {

std::wstring WideFromAnsi(std::string_view ansi);
// The system's usual conversion, for what is read as a number or shown as a
// date: a character takes the look-alike the code page has ("1" for "１"),
// or else the default character ("?").
std::string AnsiFromWide(std::wstring_view wide);
// The exact form, for what names a place or is the user's own writing (file
// names, folders, descriptions); none when a character has none in the code
// page, where a look-alike ("L" for "Ł", "\" for "＼") would change it.
std::optional<std::string> ExactAnsiFromWide(std::wstring_view wide);

// Exact conversions; none when the UTF-8 is malformed.
std::optional<std::wstring> WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// For texts shown to the user: malformed UTF-8 shows as U+FFFD.
std::wstring ShownWideFromUtf8(std::string_view utf8);

// The system's message for an error code, in the user's language, without its
// line end.
std::string SystemMessage(DWORD error);

std::wstring WindowTextOf(HWND window);
// A control's text in the ANSI code page, by the system's usual conversion.
std::string AnsiWindowTextOf(HWND window);

}  // namespace common
