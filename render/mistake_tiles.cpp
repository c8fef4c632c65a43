// The 36 mistake tiles: the player's digit in red on the paper or hover ground, with the match
// frame when it is the selected digit, painted glyph by glyph as the atlas's tiles would be.
#include "render/mistake_tiles.h"

#include "render/tile_atlas.h"

#include <cstdlib>

namespace korvani {

const BgrColour ColourMistake = {0x00, 0x00, 0xE0};

int mistakeStripStride(int cellSize) {
    return (cellSize * 3 * mistakeTileCount + 3) & ~3;
}

int mistakeTileFor(std::uint8_t entered, std::uint8_t selectedDigit, bool hovered) {
    // Anything but 1..9 is drawn as digit 1 rather than outside the strip; the caller only asks
    // for placed digits.
    const int digit = entered >= 1 && entered <= 9 ? entered : 1;
    return digit - 1 + (entered == selectedDigit ? 9 : 0) + (hovered ? 18 : 0);
}

bool buildMistakeTiles(GlyphRasterizer& rasterizer, int cellSize, int stride,
                       std::uint8_t* pixels) {
    scaleOutlines(rasterizer, cellSize);
    if (cellSize <= 0) return true;
    auto* mask =
        static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(8) * cellSize * cellSize));
    if (mask == nullptr) return false;
    for (int t = 0; t < mistakeTileCount; ++t) {
        const int digit = t % 9 + 1;
        const bool selected = t % 18 >= 9;
        const BgrColour ground = t >= 18 ? ColourHover : ColourPaper;
        std::uint8_t* tile = pixels + static_cast<std::size_t>(3) * cellSize * t;
        paintGlyphOverColour(rasterizer, digitGlyph(digit), mask, tile, stride, cellSize,
                             ColourMistake, ground);
        if (selected)
            paintGlyphOverTile(rasterizer, GlyphDottedFrame, mask, tile, stride, cellSize,
                               ColourMatch);
    }
    std::free(mask);
    return true;
}

} // namespace korvani
