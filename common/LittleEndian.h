// Four-byte integers as the stored formats keep them: the least significant
// byte first, whatever the machine, and at any offset (the records are packed).
#pragma once

#include <cstdint>

namespace common {

inline void StoreLittleEndian32(char* bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
}

inline std::uint32_t LoadLittleEndian32(const char* bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= std::uint32_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    return value;
}

}  // namespace common
