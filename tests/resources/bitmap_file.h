// Reads the 24-bit BMP files of win/resources the way the resource compiler takes them, for
// the checks of their pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvani::test {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

struct BitmapFile {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    bool bottomUp = false;
    std::vector<Rgb> pixels; // rows top to bottom

    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

std::vector<std::uint8_t> readBytes(const std::string& path);

// Parses an uncompressed 24-bit BMP with a 40-byte header; false for anything else or for a
// file too short for the size its header claims.
bool parseBitmap(const std::vector<std::uint8_t>& bytes, BitmapFile& out);

} // namespace korvani::test
