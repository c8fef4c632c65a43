// The band's pictures drawn at run time: shapes turned into edges for the rasteriser, the
// button images, the clock font from the outline set, and the banner's letters with their rim.
#include "render/band_art.h"

#include "render/glyph_outlines.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace korvani {

namespace {

// Pixels to the rasteriser's units: 8 subsamples of 4096 each.
std::int64_t toUnits(double pixels) {
    return std::llround(pixels * 32768.0);
}

void fill(Picture& picture, int x, int y, int width, int height, BgrColour colour) {
    for (int py = std::max(y, 0); py < std::min(y + height, picture.height); ++py)
        for (int px = std::max(x, 0); px < std::min(x + width, picture.width); ++px)
            std::memcpy(picture.pixel(px, py), &colour, 3);
}

std::uint8_t blend(int ink, int ground, int c) {
    return static_cast<std::uint8_t>((ink * c + ground * (64 - c)) >> 6);
}

} // namespace

Picture::Picture(int w, int h, BgrColour colour)
    : width(w), height(h), stride((3 * w + 3) & ~3), bgr(static_cast<std::size_t>(stride) * h, 0) {
    fill(*this, 0, 0, w, h, colour);
}

void ShapeEdges::addPolygon(const std::vector<double>& xy) {
    const std::size_t points = xy.size() / 2;
    for (std::size_t i = 0; i < points; ++i) {
        const std::size_t j = (i + 1) % points;
        const std::int64_t x0 = toUnits(xy[2 * i]), y0 = toUnits(xy[2 * i + 1]);
        const std::int64_t x1 = toUnits(xy[2 * j]), y1 = toUnits(xy[2 * j + 1]);
        if (y0 == y1) continue;
        const bool down = y1 > y0;
        const std::int64_t xTop = down ? x0 : x1, xBottom = down ? x1 : x0;
        const std::int64_t yTop = std::min(y0, y1), yBottom = std::max(y0, y1);
        top.push_back(static_cast<std::int32_t>(yTop));
        bottom.push_back(static_cast<std::int32_t>(yBottom));
        xAtTop.push_back(static_cast<std::int32_t>(xTop));
        slope.push_back(static_cast<std::int32_t>(std::llround(
            static_cast<double>(xBottom - xTop) * 4096.0 / static_cast<double>(yBottom - yTop))));
        winding.push_back(static_cast<std::int8_t>(down ? 1 : -1));
    }
}

void addRoundedRectangle(ShapeEdges& shape, double left, double top, double right, double bottom,
                         double radius, bool reversed) {
    radius = std::clamp(radius, 0.0, std::min(right - left, bottom - top) / 2);
    // Enough chords that no corner shows a facet: about one per pixel and a half of arc.
    const int steps = std::max(2, static_cast<int>(std::ceil(radius * 1.2)));
    const double centres[4][2] = {{right - radius, top + radius},
                                  {right - radius, bottom - radius},
                                  {left + radius, bottom - radius},
                                  {left + radius, top + radius}};
    std::vector<double> xy;
    for (int corner = 0; corner < 4; ++corner) {
        // Clockwise on the screen: the top-right corner turns from north to east, and so on.
        const double start = -90.0 + 90.0 * corner;
        for (int s = 0; s <= steps; ++s) {
            const double angle = (start + 90.0 * s / steps) * 3.14159265358979323846 / 180.0;
            xy.push_back(centres[corner][0] + radius * std::cos(angle));
            xy.push_back(centres[corner][1] + radius * std::sin(angle));
        }
    }
    if (reversed) {
        std::vector<double> back;
        for (std::size_t i = xy.size(); i >= 2; i -= 2) {
            back.push_back(xy[i - 2]);
            back.push_back(xy[i - 1]);
        }
        xy.swap(back);
    }
    shape.addPolygon(xy);
}

CoverageMap shapeCoverage(const ShapeEdges& shape, int width, int height) {
    CoverageMap map;
    computeCoverage(shape.edges(), 0, shape.count(), width, height, map);
    return map;
}

void paintCoverage(Picture& picture, const CoverageMap& map, int x, int y, BgrColour ink) {
    for (int my = std::max(0, -y); my < map.height && y + my < picture.height; ++my) {
        const int first = std::max({map.rowFirst[my], -x, 0});
        const int last = std::min(map.rowLast[my], picture.width - 1 - x);
        for (int mx = first; mx <= last; ++mx) {
            const int c = map.at(mx, my);
            if (c == 0) continue;
            std::uint8_t* p = picture.pixel(x + mx, y + my);
            p[0] = blend(ink.blue, p[0], c);
            p[1] = blend(ink.green, p[1], c);
            p[2] = blend(ink.red, p[2], c);
        }
    }
}

ButtonShape buttonShape(const LayoutMetrics& m) {
    // At 96 DPI the body covers [0, 86) x [1, 27) of a 90 x 30 image with corners of 5 pixels;
    // the shadow 2 pixels down and right keeps neighbouring buttons 2 pixels apart.
    const int dpi = m.dpi;
    ButtonShape b;
    b.width = m.buttonWidth;
    b.height = m.buttonHeight;
    b.left = 0;
    b.top = scalePixels(1, dpi);
    b.right = b.width - scalePixels(4, dpi);
    b.bottom = b.height - scalePixels(3, dpi);
    b.radius = 5.0 * dpi / baseDpi;
    b.line = scalePixels(1, dpi);
    b.shadowOffset = scalePixels(2, dpi);
    return b;
}

Picture paintButtonShapes(const LayoutMetrics& metrics, const Palette& palette) {
    const ButtonShape b = buttonShape(metrics);
    ShapeEdges outer, inner, sheen;
    addRoundedRectangle(outer, b.left, b.top, b.right, b.bottom, b.radius);
    addRoundedRectangle(inner, b.left + b.line, b.top + b.line, b.right - b.line, b.bottom - b.line,
                        b.radius - b.line);
    // A line as thin as the border under the top border: the face less the face moved down.
    addRoundedRectangle(sheen, b.left + b.line, b.top + b.line, b.right - b.line, b.bottom - b.line,
                        b.radius - b.line);
    addRoundedRectangle(sheen, b.left + b.line, b.top + 2 * b.line, b.right - b.line,
                        b.bottom - b.line, b.radius - b.line, true);
    const CoverageMap outerMap = shapeCoverage(outer, b.width, b.height);
    const CoverageMap innerMap = shapeCoverage(inner, b.width, b.height);
    const CoverageMap sheenMap = shapeCoverage(sheen, b.width, b.height);

    Picture strip(2 * buttonCount * b.width, b.height, palette.band);
    for (int image = 0; image < 2 * buttonCount; ++image) {
        const bool lit = image >= buttonCount;
        const int x = image * b.width;
        paintCoverage(strip, outerMap, x + b.shadowOffset, b.shadowOffset,
                      lit ? palette.buttonShadowLit : palette.buttonShadow);
        paintCoverage(strip, outerMap, x, 0, palette.buttonBorder);
        paintCoverage(strip, innerMap, x, 0, lit ? palette.buttonFaceLit : palette.buttonFace);
        paintCoverage(strip, sheenMap, x, 0, lit ? palette.buttonSheenLit : palette.buttonSheen);
    }
    return strip;
}

Picture paintClockFont(GlyphCoverage& coverage, const LayoutMetrics& m, const Palette& palette) {
    const int glyphHeight = m.clockGlyphHeight;
    Picture font(std::max(m.bannerWidth, 11 * m.clockDigitWidth + m.clockColonWidth),
                 glyphHeight + m.bannerHeight, palette.band);
    fill(font, 0, glyphHeight, font.width, m.bannerHeight, palette.bannerKey);
    // The outline square is drawn so that the digits, three fifths of it high, stand about four
    // fifths of the glyph row high, centred in their cells as the square is.
    const int size = (glyphHeight * 24 + 9) / 19;
    const int y = (glyphHeight - size) / 2;
    for (int d = 0; d <= 9; ++d) {
        const CoverageMap& digit = coverage.of(digitGlyph(d), size);
        paintCoverage(font, digit, d * m.clockDigitWidth + (m.clockDigitWidth - size) / 2, y,
                      palette.clockInk);
    }
    const CoverageMap& colon = coverage.of(GlyphColon, size);
    paintCoverage(font, colon, 11 * m.clockDigitWidth + (m.clockColonWidth - size) / 2, y,
                  palette.clockInk);
    return font;
}

double bannerRimWidth(const LayoutMetrics& metrics) {
    return 3.0 * metrics.dpi / baseDpi;
}

ShapeEdges placeBannerLetters(const std::vector<std::vector<double>>& polygons,
                              const LayoutMetrics& metrics) {
    double left = 1e300, top = 1e300, right = -1e300, bottom = -1e300;
    for (const std::vector<double>& p : polygons)
        for (std::size_t i = 0; i + 1 < p.size(); i += 2) {
            left = std::min(left, p[i]);
            right = std::max(right, p[i]);
            top = std::min(top, p[i + 1]);
            bottom = std::max(bottom, p[i + 1]);
        }
    ShapeEdges letters;
    if (right <= left || bottom <= top) return letters;
    const double keep = 2.0 * (scalePixels(2, metrics.dpi) + bannerRimWidth(metrics));
    const double scale = std::min((metrics.bannerWidth - keep) / (right - left),
                                  (metrics.bannerHeight - keep) / (bottom - top));
    const double x0 = (metrics.bannerWidth - scale * (right - left)) / 2 - scale * left;
    const double y0 = (metrics.bannerHeight - scale * (bottom - top)) / 2 - scale * top;
    for (const std::vector<double>& p : polygons) {
        std::vector<double> placed(p.size());
        for (std::size_t i = 0; i + 1 < p.size(); i += 2) {
            placed[i] = x0 + scale * p[i];
            placed[i + 1] = y0 + scale * p[i + 1];
        }
        letters.addPolygon(placed);
    }
    return letters;
}

void paintBanner(Picture& clockFont, const ShapeEdges& letters, const LayoutMetrics& m,
                 const Palette& palette) {
    const int width = m.bannerWidth;
    const int height = m.bannerHeight;
    const int top = m.clockGlyphHeight;
    const CoverageMap fillMap = shapeCoverage(letters, width, height);
    // The rim: the letters grown by the rim's width, each pixel taking the most coverage found
    // within that distance.
    const double rim = bannerRimWidth(m);
    const int reach = static_cast<int>(std::floor(rim));
    std::vector<std::pair<int, int>> disc;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (dx * dx + dy * dy <= rim * rim) disc.emplace_back(dx, dy);
    for (int y = 0; y < height && top + y < clockFont.height; ++y) {
        for (int x = 0; x < width && x < clockFont.width; ++x) {
            int grown = 0;
            for (const auto& [dx, dy] : disc) {
                const int sx = x + dx, sy = y + dy;
                if (sx < 0 || sy < 0 || sx >= width || sy >= height) continue;
                grown = std::max<int>(grown, fillMap.at(sx, sy));
                if (grown == 64) break;
            }
            // Opaque where the rim covers at least half the pixel.
            if (2 * grown < 64) continue;
            const int c = fillMap.at(x, y);
            std::uint8_t* p = clockFont.pixel(x, top + y);
            p[0] = blend(palette.bannerLetters.blue, palette.bannerRim.blue, c);
            p[1] = blend(palette.bannerLetters.green, palette.bannerRim.green, c);
            p[2] = blend(palette.bannerLetters.red, palette.bannerRim.red, c);
        }
    }
}

} // namespace korvani
