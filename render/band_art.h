// The pictures of the band drawn at run time, at any display scale and in any palette: the
// button shapes, the clock's digits and colon from the game's own outlines, and the "clear!"
// banner from its letters' edges. Platform-free; the lettering that needs the system's fonts is
// added by band_text (Windows).
#pragma once

#include "render/board_geometry.h"
#include "render/glyph_coverage.h"
#include "render/palette.h"

#include <cstdint>
#include <vector>

namespace korvani {

// A 24-bit picture, rows top-down, each stride bytes (3 * width rounded up to 4), as a DIB.
struct Picture {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<std::uint8_t> bgr;

    Picture() = default;
    Picture(int w, int h, BgrColour fill);
    std::uint8_t* pixel(int x, int y) { return &bgr[static_cast<std::size_t>(y) * stride + 3 * x]; }
    const std::uint8_t* pixel(int x, int y) const {
        return &bgr[static_cast<std::size_t>(y) * stride + 3 * x];
    }
    bool empty() const { return bgr.empty(); }
};

// Closed polygons as edges for the rasteriser, made at run time. Points are in pixels.
struct ShapeEdges {
    std::vector<std::int32_t> top, bottom, xAtTop, slope;
    std::vector<std::int8_t> winding;

    void addPolygon(const std::vector<double>& xy); // x0, y0, x1, y1, ...; closed implicitly
    EdgeSet edges() const {
        return {top.data(), bottom.data(), xAtTop.data(), slope.data(), winding.data()};
    }
    int count() const { return static_cast<int>(top.size()); }
};

// Adds a rounded rectangle [left, right) x [top, bottom) with corner radius; reversed runs it
// the other way round, so that inside another one it cuts a hole.
void addRoundedRectangle(ShapeEdges& shape, double left, double top, double right, double bottom,
                         double radius, bool reversed = false);

// The coverage of a shape over width x height pixels.
CoverageMap shapeCoverage(const ShapeEdges& shape, int width, int height);

// Blends ink into the picture through the map placed with its top-left corner at (x, y),
// clipped to the picture.
void paintCoverage(Picture& picture, const CoverageMap& map, int x, int y, BgrColour ink);

// One button image's shape at a display scale: its body covers [left, right) x [top, bottom)
// with rounded corners, the border `line` wide, the shadow the same shape shadowOffset down
// and right.
struct ButtonShape {
    int width;
    int height;
    double left, top, right, bottom, radius, line;
    int shadowOffset;
};
ButtonShape buttonShape(const LayoutMetrics& metrics);

// The button labels, in the order of the buttons.
inline constexpr int buttonCount = 2;

// The two buttons, then the same two lit, side by side without labels.
Picture paintButtonShapes(const LayoutMetrics& metrics, const Palette& palette);

// The clock font at a display scale: digits 0-9, a blank and the colon in the glyph rows as
// clockGlyphs lays them out, and below them the banner's area in the banner's key colour.
Picture paintClockFont(GlyphCoverage& coverage, const LayoutMetrics& metrics,
                       const Palette& palette);

// The banner's rim around its letters, in pixels at a display scale.
double bannerRimWidth(const LayoutMetrics& metrics);

// Paints the banner into the clock font's banner area from the letters' edges, placed in the
// area's pixels: the letters in bannerLetters, a rim of bannerRimWidth in bannerRim around them,
// with a hard outer edge (a blend towards the key colour would show as a fringe).
void paintBanner(Picture& clockFont, const ShapeEdges& letters, const LayoutMetrics& metrics,
                 const Palette& palette);

} // namespace korvani

namespace korvani {

// Scales and centres the banner's letters (closed polygons in any units, y down, as a font's
// path gives them) so that, with their rim, they fill the banner area less a margin.
ShapeEdges placeBannerLetters(const std::vector<std::vector<double>>& polygons,
                              const LayoutMetrics& metrics);

} // namespace korvani
