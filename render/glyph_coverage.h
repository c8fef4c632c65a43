// The coverage of the built-in glyphs, computed once per glyph and size and kept: the tile
// strip, the note digits and the clock's digits all draw from here.
#pragma once

#include "render/glyph_rasterizer.h"

#include <map>
#include <utility>
#include <vector>

namespace korvani {

class GlyphCoverage {
  public:
    // The glyph's coverage when the outline square (1511.68 units) spans size x size pixels.
    // The reference stays valid until clear().
    const CoverageMap& of(int glyph, int size);
    // Forgets every map, for instance when the window's sizes change.
    void clear() { maps_.clear(); }

  private:
    void scaleTo(int size);

    std::map<std::pair<int, int>, CoverageMap> maps_; // by glyph and size
    int scaledSize_ = -1;
    // The outline coordinates at scaledSize_: subsamples x 4096.
    std::vector<std::int32_t> top_, bottom_, xAtTop_;
};

// The factor, in 20.12 fixed point, that takes outline units to subsamples at a size: 1511
// units span the square, cut down to an integer.
std::int32_t outlineScale(int size);

} // namespace korvani
