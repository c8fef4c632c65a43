// The rasteriser: the one way every glyph and shape of the game turns into pixel coverage. Its
// input is a set of straight y-monotone edges already scaled to subsamples (the outline set at a
// size, or a shape built at run time); its output a coverage map of 65 levels per pixel.
//
// Invariants, which every picture drawn from a coverage map relies on:
// - Integer arithmetic only. Coordinates are 20.12 fixed point, y downwards, origin at the
//   map's top-left corner: 4096 is one subsample and a pixel is 8 x 8 subsamples. Subsample
//   row k is sampled at its centre, y = 4096k + 2048 (scanlineY); the centre of subsample
//   column c lies at x = 4096c + 2048.
// - An edge takes part in scanline y when top <= y < bottom, and crosses it at
//   xAtTop + ((y - top) * slope >> 12), a 64-bit product shifted arithmetically. Slopes are
//   ratios and are never scaled.
// - The crossings of a scanline are kept sorted by x, each inserted behind every crossing of
//   equal x: equal crossings keep the order in which their edges were offered, which is the
//   stored order. That tie-break is the only place where the order of the edges shows.
// - No scanline meets more than crossingCapacity edges; any beyond that are dropped rather than
//   written past the scratch (the outline set stays far below, at 18).
// - Non-zero winding: a span runs from the crossing where the running winding sum leaves 0 to
//   the one where it returns to 0. Crossings after the last return to 0 bound nothing.
// - A span covers the subsample columns whose centres lie on or between its two crossings
//   (both ends inclusive), clamped to the map's width. The spans of a scanline come out
//   ascending and disjoint (a column that two touching spans share stays with the first), so
//   every covered subsample is counted once.
// - Coverage of a pixel is the number of its 64 subsamples covered, 0..64. A blend is
//   (a * c + b * (64 - c)) >> 6, truncated: c = 64 gives exactly the ink, c = 0 exactly the
//   ground or the pixel as it was.
#pragma once

#include <cstdint>
#include <vector>

namespace korvani {

// A 24-bit colour in the byte order of the tile strip and of every 24-bit DIB.
struct BgrColour {
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
    bool operator==(const BgrColour&) const = default;
};
static_assert(sizeof(BgrColour) == 3, "a colour is copied into a picture as three bytes");

// Crossings one scanline can hold.
inline constexpr int crossingCapacity = 32;
// Spans one scanline can produce: each takes two crossings at least.
inline constexpr int spanCapacity = crossingCapacity / 2;

// Edges in subsamples x 4096, one entry per edge in each array; they are read, never owned.
struct EdgeSet {
    const std::int32_t* top;
    const std::int32_t* bottom;
    const std::int32_t* xAtTop;
    const std::int32_t* slope;  // dx/dy, 4096 = 1.0
    const std::int8_t* winding; // +1 where the contour runs downwards
};

// Subsample columns left..right, both inclusive, of one scanline inside the shape.
struct CoveredSpan {
    std::int32_t left;
    std::int32_t right;
};

// The height at which subsample row k is sampled: the centre of the row.
constexpr std::int32_t scanlineY(int row) {
    return 4096 * row + 2048;
}

// The one span producer. `reaching` lists the edges that reach scanline y (top <= y < bottom)
// by index in stored order. Returns the number of covered spans, ascending and disjoint, of a
// row maskWidth subsample columns wide, written to spans (at most spanCapacity).
int scanlineSpans(const EdgeSet& edges, const std::int32_t* reaching, int reachingCount,
                  std::int32_t y, int maskWidth, CoveredSpan* spans);

// Coverage levels 0..64 of width x height pixels, rows first, with the covered column range
// of each row (first > last in a row without coverage) so that painting can skip the rest.
struct CoverageMap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> level;
    std::vector<std::int32_t> rowFirst;
    std::vector<std::int32_t> rowLast;

    std::uint8_t at(int x, int y) const { return level[static_cast<std::size_t>(y) * width + x]; }
};

// Fills `map` with the coverage of edges first .. first + count - 1 over width x height pixels.
void computeCoverage(const EdgeSet& edges, int first, int count, int width, int height,
                     CoverageMap& map);

} // namespace korvani
