// The built-in outline set: thirteen glyphs (two cell frames, the digits 9 down to 0 and the
// clock's colon) drawn on a square of 1511.68 units, as straight y-monotone edges in 20.12
// fixed point. The data lives in glyph_outlines_data.cpp, written by tools/outlines
// (korvani-outlines); do not edit it.
#pragma once

#include <cstdint>

namespace korvani {

inline constexpr int glyphCount = 13;
inline constexpr int glyphEdgeTotal = 1746;

// Glyph ids. Glyph 11 - d is digit d; the board shows 1 to 9, the clock 0 to 9 and the colon.
inline constexpr int GlyphDottedFrame = 0;
inline constexpr int GlyphSolidFrame = 1;
inline constexpr int GlyphColon = 12;
constexpr int digitGlyph(int digit) {
    return 11 - digit;
}

// Glyph g owns edges glyphFirstEdge[g] .. glyphFirstEdge[g + 1] - 1.
extern const std::int32_t glyphFirstEdge[glyphCount + 1];

// One entry per edge. Coordinates are outline units x 4096; the edge covers
// edgeTop <= y < edgeBottom, and its x at height y is
// edgeXAtTop + (y - edgeTop) * edgeSlope / 4096.
extern const std::int32_t edgeXAtTop[glyphEdgeTotal];
extern const std::int32_t edgeTop[glyphEdgeTotal];
extern const std::int32_t edgeBottom[glyphEdgeTotal];
extern const std::int32_t edgeSlope[glyphEdgeTotal];  // dx/dy, 4096 = 1.0
extern const std::int8_t edgeWinding[glyphEdgeTotal]; // +1 where the contour runs downwards

} // namespace korvani
