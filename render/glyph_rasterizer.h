// The glyph rasteriser: scales the built-in outlines to a cell size, turns each scanline of a
// glyph into covered subsample spans, fills them into a 1-bit mask of 8x8 subsamples per pixel
// and blends a colour into a 24-bit tile by the 65-level coverage of each pixel.
//
// Invariants, which the mask path here and the tile atlas's coverage path both rely on:
// - Integer arithmetic only. Coordinates are 20.12 fixed point, y downwards, origin at the
//   cell's top-left corner. After scaleOutlines, 4096 is one subsample and a pixel is 8 x 8
//   subsamples. Subsample row k is sampled at its centre, y = 4096k + 2048 (scanlineY); the
//   centre of subsample column c lies at x = 4096c + 2048.
// - An edge takes part in scanline y when scaledTop <= y < scaledBottom, and crosses it at
//   scaledXAtTop + ((y - scaledTop) * edgeSlope >> 12), a 64-bit product shifted
//   arithmetically. Slopes are ratios and are never scaled.
// - The crossings of a scanline are kept sorted by x, each inserted behind every crossing of
//   equal x: equal crossings keep the order in which their edges were offered, which is the
//   stored order. That tie-break is the only place where the order of the edges shows.
// - No scanline of the outline set meets more than 18 edges; the scratch holds
//   crossingCapacity crossings and drops any beyond that rather than write past it.
// - Non-zero winding: a span runs from the crossing where the running winding sum leaves 0 to
//   the one where it returns to 0. Crossings after the last return to 0 bound nothing.
// - A span covers the subsample columns whose centres lie on or between its two crossings
//   (both ends inclusive), clamped to 0 .. maskWidth - 1. The spans of a scanline come out
//   ascending and disjoint (a column that two touching spans share stays with the first), so
//   every covered subsample is counted once, whether it is set in a mask or summed directly.
// - Mask layout: subsample column c of row k is bit 7 - (c mod 8) of byte k * maskStride + c/8,
//   the most significant bit leftmost.
// - Coverage of a pixel is the number of its 64 subsamples covered, 0..64. A blend is
//   (a * c + b * (64 - c)) >> 6, truncated: c = 64 gives exactly the glyph colour, c = 0
//   exactly the ground or the pixel as it was.
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

// Crossings one scanline can hold: a limit on the outline data, which stays far below it.
inline constexpr int crossingCapacity = 32;
// Spans one scanline can produce: each takes two crossings at least.
inline constexpr int spanCapacity = crossingCapacity / 2;

// Subsample columns left..right, both inclusive, of one scanline inside the glyph.
struct CoveredSpan {
    std::int32_t left;
    std::int32_t right;
};

struct GlyphRasterizer {
    // Scratch for one scanline: crossings in ascending x (subsample units x 4096).
    std::int32_t crossingX[crossingCapacity];
    std::int8_t crossingWinding[crossingCapacity];
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

// The height at which subsample row k is sampled: the centre of the row.
constexpr std::int32_t scanlineY(int row) {
    return 4096 * row + 2048;
}

// The one span producer of every fill. edges lists the edges that reach scanline y
// (scaledTop <= y < scaledBottom), by edge index in stored order. Collects their crossings
// into the scratch arrays and turns them into the covered spans of a row maskWidth columns
// wide: at most spanCapacity, ascending and disjoint, written to spans. Returns their number.
// Inline, since the tile atlas calls it once for every scanline of every glyph.
inline int scanlineSpans(GlyphRasterizer& rasterizer, const std::int32_t* edges, int edgeCount,
                         std::int32_t y, int maskWidth, CoveredSpan* spans) {
    GlyphRasterizer& r = rasterizer;
    // The crossings in ascending x, each inserted behind those of equal x.
    int crossings = 0; // kept local so that the stores into the arrays cannot touch it
    for (int n = 0; n < edgeCount; ++n) {
        if (crossings == crossingCapacity) break; // never with the outline set
        const std::int32_t i = edges[n];
        const std::int64_t dy = static_cast<std::int64_t>(y) - r.scaledTop[i];
        const auto x = static_cast<std::int32_t>(r.scaledXAtTop[i] + ((dy * edgeSlope[i]) >> 12));
        int j = crossings;
        while (j > 0 && r.crossingX[j - 1] > x) {
            r.crossingX[j] = r.crossingX[j - 1];
            r.crossingWinding[j] = r.crossingWinding[j - 1];
            --j;
        }
        r.crossingX[j] = x;
        r.crossingWinding[j] = edgeWinding[i];
        ++crossings;
    }
    r.crossingCount = crossings;
    // The non-zero spans, clamped to the row and made disjoint.
    int count = 0;
    int sum = 0;
    int spanStart = 0;
    std::int32_t lastRight = -1;
    for (int j = 0; j < crossings; ++j) {
        sum += r.crossingWinding[j];
        if (sum != 0) continue;
        // The first and last columns whose centres lie on or between the two crossings.
        std::int32_t left = (r.crossingX[spanStart] + 2047) >> 12;
        std::int32_t right = (r.crossingX[j] - 2048) >> 12;
        spanStart = j + 1;
        if (left < 0) left = 0;
        if (right > maskWidth - 1) right = maskWidth - 1;
        if (left <= lastRight) left = lastRight + 1;
        if (left > right) continue;
        spans[count++] = {left, right};
        lastRight = right;
    }
    return count;
}

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
