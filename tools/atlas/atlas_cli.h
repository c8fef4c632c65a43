// korvani-atlas: writes the tile strip that buildTiles paints at one cell size as a 24-bit BMP,
// or a few cells with notes beside a given and a placed digit (--notes), or prints the edge and
// crossing counts of the outline set. Kept apart from main() so that the tests can drive it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

namespace korvani {

inline constexpr int atlasToolMaxCellSize = 512;

// Exit status: 0 done, 1 the strip could not be made or written, 2 usage error.
int runAtlasTool(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

// The BMP file (bottom-up rows, BITMAPFILEHEADER + BITMAPINFOHEADER) of a strip of
// stride x cellSize bytes whose rows are top-down, as buildTiles paints them.
std::vector<std::uint8_t> encodeStripBmp(const std::uint8_t* pixels, int cellSize, int stride);

// The same for any image of width x height pixels whose top-down rows lie stride bytes apart,
// stride being the BMP row size (3 * width rounded up to a multiple of 4).
std::vector<std::uint8_t> encodeBmp(const std::uint8_t* pixels, int width, int height, int stride);

// The most edges that any scanline y (edgeTop <= y < edgeBottom) of the glyph meets, in outline
// units, without scaling.
int glyphMaxCrossings(int glyph);

} // namespace korvani
