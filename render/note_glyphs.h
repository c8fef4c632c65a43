// The player's notes drawn into an empty cell: the nine digits, small, in a 3 x 3 arrangement
// inside the cell (digit d in column (d - 1) mod 3 and row (d - 1) / 3 of the cell's interior,
// each in its own third), rasterised once per cell size from the built-in outlines and blended
// over the empty cell's tile. The selected digit's notes take the red of the match frame, the
// others a quiet slate grey that stands apart from the given and placed digits.
#pragma once

#include "core/grid.h"
#include "render/glyph_coverage.h"
#include "render/palette.h"

#include <cstdint>
#include <vector>

namespace korvani {

extern const BgrColour ColourNote; // #6A7FAA, slate: notes other than the selected digit's

// The coverage of the nine note digits at one cell size, made by makeNoteGlyphs.
struct NoteGlyphs {
    std::int32_t cellSize = 0;
    // The thirds of the interior, the same on both axes: column or row j spans pixels
    // thirdEdge[j] .. thirdEdge[j + 1] - 1 of the tile.
    std::int32_t thirdEdge[4] = {};
    std::int32_t boxSize = 0;     // side of each digit's coverage square, at most a third's side
    std::int32_t outlineSize = 0; // the size the outlines are drawn at for a note
    // Digit d's square lies at (thirdEdge[(d-1) % 3], thirdEdge[(d-1) / 3]) and holds
    // boxSize x boxSize coverage levels 0..64, rows first, each level three times (once per
    // channel, as the pixels lie in the tile) from coverage[(d-1) * 3 * boxSize^2].
    std::vector<std::uint8_t> coverage;
    // Per digit and row of its square, the first and last column with coverage (first > last
    // in a row without any), from rowFirst/rowLast[(d-1) * boxSize].
    std::vector<std::int16_t> rowFirst;
    std::vector<std::int16_t> rowLast;
    // A row of boxSize pixels in the palette's note colour, and one in its match colour.
    std::vector<std::uint8_t> noteRow;
    std::vector<std::uint8_t> matchRow;
    // The empty cell's grounds of the palette, for paintNoteTile.
    BgrColour paper = {};
    BgrColour hover = {};
};

// The nine note digits for cells of cellSize pixels, cut from the glyphs' coverage at the
// note's outline size; a cell size below 1 gives glyphs of cell size 0, which draw nothing.
NoteGlyphs makeNoteGlyphs(GlyphCoverage& coverage, int cellSize,
                          const Palette& palette = lightPalette);

// Blends the notes of one empty cell over its tile, which the caller has filled with the empty
// cell's image (tile 72, or 73 under the mouse); pixel (x, y) starts at tile + y * stride + 3 * x.
// The note of selectedDigit (1..9, or 0xFF for none) is drawn in ColourMatch, the others in
// ColourNote. Pixels that no note covers are not written, so notes 0 leave the tile as it is.
void paintNotes(const NoteGlyphs& glyphs, DigitMask notes, std::uint8_t selectedDigit,
                std::uint8_t* tile, int stride);

// The whole tile of an empty cell with notes, for a caller that holds no copy of the strip's
// pixels: the empty cell's image (the plain ground of tile 72, or 73 when hovered), then the
// notes as paintNotes draws them. cellSize x cellSize pixels are written.
void paintNoteTile(const NoteGlyphs& glyphs, DigitMask notes, std::uint8_t selectedDigit,
                   bool hovered, std::uint8_t* tile, int stride);

} // namespace korvani
