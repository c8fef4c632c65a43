// File formats written by the bitmap tool: 24-bit BMP (what the resource compiler embeds),
// PNG (the previews and the large icon image) and ICO (the program icon).
#pragma once

#include "raster.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvani::bitmaps {

// A standard bottom-up 24-bit BI_RGB bitmap file with 4-byte row padding.
std::vector<std::uint8_t> encodeBmp(const Image& image);

// A PNG of the image, RGBA when `withAlpha`, otherwise RGB.
std::vector<std::uint8_t> encodePng(const Image& image, bool withAlpha);

// An icon file holding every image (square, with alpha): up to 128 pixels as 32-bit DIBs with
// an AND mask, larger ones as PNG.
std::vector<std::uint8_t> encodeIco(const std::vector<Image>& images);

// Writes the bytes to the path; false on any failure.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace korvani::bitmaps
