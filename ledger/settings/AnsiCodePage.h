// The system's ANSI code page, for the one place where a path is stored in it:
// the folder field of the configuration file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cofrelo {

class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    // The exact ANSI form of a UTF-8 text; none when a character has none
    // (never a look-alike such as "L" for "Ł").
    virtual std::optional<std::string> FromUtf8(std::string_view utf8) const = 0;
    virtual std::string ToUtf8(std::string_view ansi) const = 0;
};

// The system's code page on Windows; Latin-1 elsewhere, for the native tests.
const AnsiCodePage& SystemAnsiCodePage();

}  // namespace cofrelo
