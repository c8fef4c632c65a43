// The tile atlas: the palette, the table of 74 cell images, the painting of the whole strip at
// one cell size, and the tile index scheme by which a cell's state picks its image.
#pragma once

#include "render/glyph_coverage.h"
#include "render/palette.h"

#include <cstdint>

namespace korvani {

inline constexpr int tileCount = 74;
inline constexpr std::uint8_t NoGlyph = 0xFF;
inline constexpr std::uint8_t NoDigitSelected = 0xFF;

extern const BgrColour ColourPaper;   // ground of a cell not under the mouse
extern const BgrColour ColourHover;   // ground of the cell under the mouse
extern const BgrColour ColourGiven;   // digits given by the puzzle
extern const BgrColour ColourEntered; // digits placed by the player
extern const BgrColour ColourMatch;   // dotted frame around digits equal to the selected one

// The tile table as five parallel columns indexed by tile 0..73. A colour entry whose glyph is
// NoGlyph is null and never read.
extern const std::uint8_t tileBaseGlyph[tileCount];
extern const std::uint8_t tileOverlayGlyph[tileCount];
extern const BgrColour* const tileGroundColour[tileCount];
extern const BgrColour* const tileBaseColour[tileCount];
extern const BgrColour* const tileOverlayColour[tileCount];

// Bytes per row of the strip: 74 tiles x 3 bytes x cellSize, rounded up to a multiple of 4.
int tileAtlasStride(int cellSize);

// Paints all 74 tiles at cellSize into pixels (stride x cellSize bytes, rows top-down; tile t
// starts at byte 3 * cellSize * t of each row), from the glyphs' coverage at that size, in the
// palette's cell colours (the light palette's are the Colour... constants above).
void buildTiles(GlyphCoverage& coverage, int cellSize, int stride, std::uint8_t* pixels,
                const Palette& palette = lightPalette);

// The tile of one cell: given and entered digits 0..9 (0 = none; a given digit wins),
// selectedDigit 1..9 or NoDigitSelected, hovered when the mouse is over the cell.
int tileForCell(std::uint8_t given, std::uint8_t entered, std::uint8_t selectedDigit, bool hovered);

} // namespace korvani
