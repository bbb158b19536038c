// A PNG encoder small enough to need no library: 8-bit RGB, no filtering, the
// pixel rows kept in stored (uncompressed) deflate blocks. Files are larger
// than compressed ones, which does not matter for screenshots.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace e2e {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

// rgb holds height rows of width pixels, three bytes each (red, green, blue),
// top row first. Returns the whole file.
std::string EncodePng(int width, int height, std::span<const std::uint8_t> rgb);

}  // namespace e2e
