// The mistake tiles: the player's digits drawn in the mistake red, for the cells whose digit the
// mistake display marks. They mirror the atlas's tiles of the player's digits (plain, inside the
// match frame, and both on the hover ground), only with the red digit, and are painted with the
// glyphs' cached coverage into a strip of their own, so the 74 tiles of the atlas stay exactly as
// they are.
#pragma once

#include "render/glyph_coverage.h"
#include "render/palette.h"

#include <cstdint>

namespace korvani {

inline constexpr int mistakeTileCount = 36;
extern const BgrColour ColourMistake; // the red of the hint's mistake frame, RGB (224, 0, 0)

// Bytes per row of the strip: 36 tiles x 3 bytes x cellSize, rounded up to a multiple of 4.
int mistakeStripStride(int cellSize);

// The tile of a placed digit 1..9: digit - 1, +9 when it is the selected digit, +18 when hovered.
int mistakeTileFor(std::uint8_t entered, std::uint8_t selectedDigit, bool hovered);

// Paints the 36 tiles at cellSize into pixels (stride x cellSize bytes, rows top-down, tile t at
// byte 3 * cellSize * t of each row).
void buildMistakeTiles(GlyphCoverage& coverage, int cellSize, int stride, std::uint8_t* pixels,
                       const Palette& palette = lightPalette);

} // namespace korvani
