// The 36 mistake tiles: the player's digit in red on the paper or hover ground, with the match
// frame when it is the selected digit, blended from the glyphs' coverage as the atlas's tiles are.
#include "render/mistake_tiles.h"

#include "render/glyph_outlines.h"
#include "render/tile_atlas.h"

#include <cstring>

namespace korvani {

const BgrColour ColourMistake = {0x00, 0x00, 0xE0};

namespace {

// `colour` over what each pixel of the tile holds, by the glyph's coverage.
void blendGlyph(const CoverageMap& map, BgrColour colour, std::uint8_t* tile, int stride,
                int cellSize) {
    const int bgr[3] = {colour.blue, colour.green, colour.red};
    for (int py = 0; py < cellSize; ++py) {
        std::uint8_t* row = tile + static_cast<std::size_t>(py) * stride;
        for (int px = map.rowFirst[py]; px <= map.rowLast[py]; ++px) {
            const int c = map.at(px, py);
            std::uint8_t* pixel = row + 3 * px;
            for (int ch = 0; ch < 3; ++ch)
                pixel[ch] = static_cast<std::uint8_t>((pixel[ch] * (64 - c) + bgr[ch] * c) >> 6);
        }
    }
}

} // namespace

int mistakeStripStride(int cellSize) {
    return (cellSize * 3 * mistakeTileCount + 3) & ~3;
}

int mistakeTileFor(std::uint8_t entered, std::uint8_t selectedDigit, bool hovered) {
    // Anything but 1..9 is drawn as digit 1 rather than outside the strip; the caller only asks
    // for placed digits.
    const int digit = entered >= 1 && entered <= 9 ? entered : 1;
    return digit - 1 + (entered == selectedDigit ? 9 : 0) + (hovered ? 18 : 0);
}

void buildMistakeTiles(GlyphCoverage& coverage, int cellSize, int stride, std::uint8_t* pixels,
                       const Palette& palette) {
    if (cellSize <= 0) return;
    for (int t = 0; t < mistakeTileCount; ++t) {
        const int digit = t % 9 + 1;
        const BgrColour ground = t >= 18 ? palette.cellHover : palette.cellPaper;
        std::uint8_t* tile = pixels + static_cast<std::size_t>(3) * cellSize * t;
        for (int py = 0; py < cellSize; ++py)
            for (int px = 0; px < cellSize; ++px)
                std::memcpy(tile + static_cast<std::size_t>(py) * stride + 3 * px, &ground, 3);
        blendGlyph(coverage.of(digitGlyph(digit), cellSize), palette.mistakeFrame, tile, stride,
                   cellSize);
        if (t % 18 >= 9)
            blendGlyph(coverage.of(GlyphDottedFrame, cellSize), palette.matchFrame, tile, stride,
                       cellSize);
    }
}

} // namespace korvani
