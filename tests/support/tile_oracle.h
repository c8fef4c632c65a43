// The straightforward way to paint the tile strip, written out on its own for the tests to
// compare the real painting against: every tile clears a full subsample mask, tests every edge
// of its glyph on every scanline, counts coverage byte by byte and blends, glyph after glyph.
#pragma once

#include <cstdint>
#include <vector>

namespace korvani::oracle {

struct Colour {
    int blue;
    int green;
    int red;
};

// What one tile shows, worked out from the tile index by the grouping of the strip.
struct Recipe {
    Colour ground;
    int baseGlyph; // -1 for none
    Colour baseColour;
    int overlayGlyph; // -1 for none
    Colour overlayColour;
};

Recipe recipeOf(int tile);

// The strip: stride x cellSize bytes; bytes that belong to no tile keep the value filler.
std::vector<std::uint8_t> strip(int cellSize, std::uint8_t filler);

} // namespace korvani::oracle
