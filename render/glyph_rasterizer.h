// The glyph rasteriser: scales the built-in outlines to a cell size, fills one glyph into a
// 1-bit mask of 8x8 subsamples per pixel (non-zero winding, integer arithmetic only) and blends
// a colour into a 24-bit tile by the 65-level coverage of each pixel.
#pragma once

#include "render/glyph_outlines.h"

#include <cstdint>

namespace korvani {

// A 24-bit colour in the byte order of the tile strip.
struct BgrColour {
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
};
static_assert(sizeof(BgrColour) == 3, "a colour is copied into the strip as three bytes");

struct GlyphRasterizer {
    // Scratch for one scanline: crossings in ascending x (subsample units x 4096).
    std::int32_t crossingX[32];
    std::int8_t crossingWinding[32];
    std::int32_t crossingCount;
    // The outline coordinates scaled to the current cell size (subsample units x 4096),
    // glyphEdgeTotal entries each, owned by this object.
    std::int32_t* scaledTop;
    std::int32_t* scaledBottom;
    std::int32_t* scaledXAtTop;
};

// Null when memory runs out. The scaled arrays are zero until the first scaleOutlines.
GlyphRasterizer* createGlyphRasterizer();
// Frees the three scaled arrays, then the object; null is allowed.
void destroyGlyphRasterizer(GlyphRasterizer* rasterizer);

// Fills the scaled arrays for a cell of cellSize pixels.
void scaleOutlines(GlyphRasterizer& rasterizer, int cellSize);

// Sets the bits of the subsamples whose centres lie inside the glyph; the mask must be cleared
// beforehand. Bit 7 - (c mod 8) of byte k * maskStride + c / 8 is subsample column c of row k.
void rasterizeGlyph(GlyphRasterizer& rasterizer, int glyph, int maskWidth, int maskHeight,
                    int maskStride, std::uint8_t* mask);

// Rasterises the glyph into mask (8 * cellSize^2 bytes, cleared here) and writes every pixel of
// the tile as glyphColour over groundColour. Pixel (x, y) starts at tile + y * stride + 3 * x.
void paintGlyphOverColour(GlyphRasterizer& rasterizer, int glyph, std::uint8_t* mask,
                          std::uint8_t* tile, int stride, int cellSize, BgrColour glyphColour,
                          BgrColour groundColour);

// The same, blending glyphColour over what the tile already holds.
void paintGlyphOverTile(GlyphRasterizer& rasterizer, int glyph, std::uint8_t* mask,
                        std::uint8_t* tile, int stride, int cellSize, BgrColour glyphColour);

} // namespace korvani
