// From glyph descriptions to the stored outline set: pieces of curves joined into closed
// contours, cut into y-monotone stretches (a vertex where a curve turns in x, one level chord
// across each horizontal tangent), flattened with exactly as many chords as the glyph's edge
// budget allows (spent where the curves bend), fitted to the glyph's box, quantised to 20.12
// fixed point, checked, and written out as the C++ source of render/glyph_outlines_data.cpp.
#pragma once

#include "tools/outlines/outline_geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvani::outlines {

// A stretch of a curve from parameter t0 to t1 (t1 < t0 runs it backwards).
struct Piece {
    Curve curve;
    double t0 = 0;
    double t1 = 1;
};

// A closed contour: each piece starts where the previous one ends, the last ends at the first.
using Contour = std::vector<Piece>;

struct GlyphDesign {
    const char* name = "";
    int edges = 0;        // exact number of stored edges
    int maxCrossings = 0; // the most edges any scanline may meet
    bool frame = false;   // frames run their outer contours the other way round
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0; // the box the outline must fill exactly
    std::vector<Contour> contours;
};

struct StoredEdge {
    std::int32_t xAtTop, top, bottom, slope;
    std::int8_t winding;
};

struct StoredGlyph {
    std::vector<StoredEdge> edges;
    double largestFitCorrection = 0; // how far the box fit moved any point (outline units)
    double drawnBox[4] = {};         // the flattened outline's x and y range before the fit
};

// Builds one glyph; on failure prints why to stderr and returns false.
bool buildGlyph(const GlyphDesign& design, StoredGlyph& out);

// Checks the stored glyph as the rasteriser will meet it at every cell size 1..256: crossings
// per scanline and the winding range; prints the first problem and returns false.
bool checkGlyph(const GlyphDesign& design, const StoredGlyph& glyph);

// The text of render/glyph_outlines_data.cpp.
std::string outlineSource(const std::vector<GlyphDesign>& designs,
                          const std::vector<StoredGlyph>& glyphs);

} // namespace korvani::outlines
