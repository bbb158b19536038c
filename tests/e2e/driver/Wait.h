// Failures and bounded waits. Every wait of the driver ends: a condition that
// does not come true in time throws DriverError, which GoogleTest reports as
// the failure of the running test; the Application object then ends its
// process as it is destroyed, and the run goes on with the next test.
#pragma once

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

namespace e2e {

using Timeout = std::chrono::milliseconds;

// Long enough for a program to start under Wine on a busy two-core machine.
inline constexpr Timeout DefaultTimeout{10000};
// How long a window may take to answer one message before it counts as hung.
inline constexpr Timeout ReplyTimeout{5000};

class DriverError : public std::runtime_error {
public:
    explicit DriverError(const std::string& what) : std::runtime_error(what) {}
};

void PauseBetweenPolls();

// Calls find until it gives something true (a handle, a true flag) and returns
// that; when timeout has passed, throws DriverError naming what was awaited.
// awaited is a text, or a function that makes one at that moment, so that the
// message can tell the last state seen.
template <class Find, class Awaited>
auto WaitFor(Find find, const Awaited& awaited, Timeout timeout = DefaultTimeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (auto found = find()) return found;
        if (std::chrono::steady_clock::now() >= deadline) {
            std::string description;
            if constexpr (std::is_invocable_v<Awaited>)
                description = awaited();
            else
                description = awaited;
            throw DriverError("timed out after " + std::to_string(timeout.count()) + " ms waiting for " +
                              description);
        }
        PauseBetweenPolls();
    }
}

// Narrow text for failure messages; the driver's texts are UTF-16.
std::string Utf8(std::wstring_view text);
std::string Hex(unsigned long long value);

}  // namespace e2e
