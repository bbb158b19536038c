#include "fuzz/Fuzz.h"

#include <cstdint>
#include <cstdlib>
#include <iostream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzOne({reinterpret_cast<const char*>(data), size});
    return 0;
}

void Require(bool holds, const char* what)
{
    if (holds) return;
    std::cerr << "\nFuzz check failed: " << what << '\n';
    std::abort();
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
