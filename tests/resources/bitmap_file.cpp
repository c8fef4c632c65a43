// A strict reader for the uncompressed 24-bit BMP files that the game's resources are made of.
#include "bitmap_file.h"

#include <cstdio>

namespace korvani::test {

namespace {

std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::uint16_t read16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

} // namespace

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    std::uint8_t buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}

bool parseBitmap(const std::vector<std::uint8_t>& bytes, BitmapFile& out) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    if (read32(bytes, 2) != bytes.size()) return false;
    const std::uint32_t offset = read32(bytes, 10);
    if (read32(bytes, 14) != 40) return false;
    const auto width = static_cast<std::int32_t>(read32(bytes, 18));
    const auto height = static_cast<std::int32_t>(read32(bytes, 22));
    if (read16(bytes, 26) != 1 || read32(bytes, 30) != 0) return false; // planes, BI_RGB
    out.bitCount = read16(bytes, 28);
    if (out.bitCount != 24 || width <= 0 || height == 0) return false;
    out.width = width;
    out.bottomUp = height > 0;
    out.height = height > 0 ? height : -height;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    if (offset < 54 || offset + stride * out.height > bytes.size()) return false;
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int row = 0; row < out.height; ++row) {
        const int y = out.bottomUp ? out.height - 1 - row : row;
        const std::size_t base = offset + stride * row;
        for (int x = 0; x < out.width; ++x) {
            const std::size_t p = base + 3 * static_cast<std::size_t>(x);
            out.pixels[static_cast<std::size_t>(y) * out.width + x] = {bytes[p + 2], bytes[p + 1],
                                                                       bytes[p]};
        }
    }
    return true;
}

} // namespace korvani::test
