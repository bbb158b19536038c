// The oracle of a fuzz target: a check that does not hold is a finding. It
// stops the run at once with the check's words, and libFuzzer keeps the input
// that broke it as a crash file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string_view>

inline void Require(bool holds, std::string_view what)
{
    if (holds) return;
    std::cerr << "\nFuzz check failed: " << what << '\n';
    std::abort();
}

inline std::string_view InputText(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}
