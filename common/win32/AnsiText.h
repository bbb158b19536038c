// Texts cross the window boundary here: files and records hold single-byte
// text in the system's ANSI code page, the controls are Unicode.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

std::wstring WideFromAnsi(std::string_view ansi);
std::string AnsiFromWide(std::wstring_view wide);

std::wstring WindowTextOf(HWND window);
// A control's text converted to the ANSI code page.
std::string AnsiWindowTextOf(HWND window);
