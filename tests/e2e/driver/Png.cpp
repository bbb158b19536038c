#include "Png.h"

#include <algorithm>
#include <array>
#include <vector>

namespace e2e {

namespace {

// The largest payload of one stored deflate block (its length is 16 bits).
constexpr std::size_t StoredBlockLimit = 0xFFFF;

constexpr std::array<std::uint32_t, 256> CrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Length, type, data, and the CRC over type and data.
void AppendChunk(std::vector<std::uint8_t>& file, const char (&type)[5], std::span<const std::uint8_t> data)
{
    AppendBigEndian(file, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    AppendBigEndian(file, Crc32(std::span(file).subspan(typeStart)));
}

// Every row starts with filter byte 0 (none).
std::vector<std::uint8_t> FilteredRows(int width, int height, std::span<const std::uint8_t> rgb)
{
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    std::vector<std::uint8_t> rows;
    rows.reserve((rowBytes + 1) * static_cast<std::size_t>(height));
    for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row) {
        rows.push_back(0);
        const auto start = rgb.begin() + static_cast<std::ptrdiff_t>(row * rowBytes);
        rows.insert(rows.end(), start, start + static_cast<std::ptrdiff_t>(rowBytes));
    }
    return rows;
}

// A zlib stream of stored blocks: header, blocks, Adler-32 of the raw data.
std::vector<std::uint8_t> StoredZlib(std::span<const std::uint8_t> raw)
{
    std::vector<std::uint8_t> stream{0x78, 0x01};
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(StoredBlockLimit, raw.size() - offset);
        const bool last = offset + length == raw.size();
        stream.push_back(last ? 1 : 0);
        const auto length16 = static_cast<std::uint16_t>(length);
        for (std::uint16_t field : {length16, static_cast<std::uint16_t>(~length16)}) {
            stream.push_back(static_cast<std::uint8_t>(field & 0xFF));
            stream.push_back(static_cast<std::uint8_t>(field >> 8));
        }
        stream.insert(stream.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
                      raw.begin() + static_cast<std::ptrdiff_t>(offset + length));
        offset += length;
    } while (offset < raw.size());
    AppendBigEndian(stream, Adler32(raw));
    return stream;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes)
{
    static constexpr auto table = CrcTable();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : bytes) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes)
{
    constexpr std::uint32_t modulus = 65521;
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : bytes) {
        a = (a + byte) % modulus;
        b = (b + a) % modulus;
    }
    return (b << 16) | a;
}

std::string EncodePng(int width, int height, std::span<const std::uint8_t> rgb)
{
    std::vector<std::uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    AppendBigEndian(header, static_cast<std::uint32_t>(width));
    AppendBigEndian(header, static_cast<std::uint32_t>(height));
    // Bit depth 8, colour type 2 (RGB), deflate, filtering method 0, no interlace.
    header.insert(header.end(), {8, 2, 0, 0, 0});
    AppendChunk(file, "IHDR", header);
    AppendChunk(file, "IDAT", StoredZlib(FilteredRows(width, height, rgb)));
    AppendChunk(file, "IEND", {});
    return {file.begin(), file.end()};
}

}  // namespace e2e
