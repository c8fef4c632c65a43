// Board layout arithmetic for a client area of a given size at a given display scale.
#include "render/board_geometry.h"

#include <algorithm>
#include <cstdint>

namespace korvani {

int scalePixels(int px, int dpi) {
    const std::int64_t product = static_cast<std::int64_t>(px) * dpi;
    const std::int64_t half = baseDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / baseDpi
                                         : -((-product + half) / baseDpi));
}

LayoutMetrics layoutMetrics(int dpi) {
    // Windows offers no scale below 100 %; a smaller report would squeeze the 96-DPI artwork
    // into a narrower band.
    dpi = std::max(dpi, baseDpi);
    const LayoutMetrics base;
    LayoutMetrics m;
    m.dpi = dpi;
    m.band = scalePixels(base.band, dpi);
    m.outline = scalePixels(base.outline, dpi);
    m.edgeGap = scalePixels(base.edgeGap, dpi);
    m.cellGap = scalePixels(base.cellGap, dpi);
    m.boxGap = scalePixels(base.boxGap, dpi);
    m.outlineLift = scalePixels(base.outlineLift, dpi);
    // The height is the width plus the band, so that the smallest window holds a square board
    // area below the band at every scale.
    m.minimumClientWidth = scalePixels(base.minimumClientWidth, dpi);
    m.minimumClientHeight = m.minimumClientWidth + m.band;
    m.clockGlyphY = scalePixels(base.clockGlyphY, dpi);
    m.buttonWidth = scalePixels(base.buttonWidth, dpi);
    m.buttonHeight = scalePixels(base.buttonHeight, dpi);
    // At 96 DPI the buttons end exactly at the band's bottom; rounding both up (125 %, 175 %)
    // would push them one pixel over it, so they move up instead.
    m.buttonY = std::min(scalePixels(base.buttonY, dpi), m.band - m.buttonHeight);
    m.clockGlyphHeight = scalePixels(base.clockGlyphHeight, dpi);
    m.clockDigitWidth = scalePixels(base.clockDigitWidth, dpi);
    m.clockColonWidth = scalePixels(base.clockColonWidth, dpi);
    m.clockWidth = 4 * m.clockDigitWidth + m.clockColonWidth;
    m.bannerWidth = scalePixels(base.bannerWidth, dpi);
    m.bannerHeight = scalePixels(base.bannerHeight, dpi);
    return m;
}

BoardGeometry computeBoardGeometry(int width, int height, const LayoutMetrics& m) {
    BoardGeometry g;
    g.cellSize = std::min(width / 10, (height - m.band) / 10);
    const int rim = m.outline + m.edgeGap; // outline edge to the first cell
    g.boardSize = 9 * g.cellSize + 2 * rim + 6 * m.cellGap + 2 * m.boxGap;
    // The outline sits a little left of and above the centred position: the cells, not the
    // outline, are what the offsets below are measured from.
    g.colX[0] = (width - g.boardSize) / 2 - m.outlineLift + rim;
    g.rowY[0] = (height - m.band - g.boardSize) / 2 + m.band - m.outlineLift + rim;
    const int pitch = g.cellSize + m.cellGap;
    const int boxExtra = m.boxGap - m.cellGap;
    for (int i = 1; i < 9; ++i) {
        g.colX[i] = g.colX[0] + i * pitch + boxExtra * (i / 3);
        g.rowY[i] = g.rowY[0] + i * pitch + boxExtra * (i / 3);
    }
    // Index 9 is the outline's far edge.
    g.colX[9] = g.colX[8] + g.cellSize + rim;
    g.rowY[9] = g.rowY[8] + g.cellSize + rim;
    g.buttonBarX = g.colX[0] - rim;
    g.clockX = g.colX[9] - m.clockWidth;
    return g;
}

void clockGlyphs(int clockX, int seconds, const LayoutMetrics& m, ClockGlyph out[5]) {
    const int n = std::clamp(seconds, 0, clockMaxSeconds);
    const int minutes = n / 60;
    const int secs = n % 60;
    const int digit = m.clockDigitWidth;
    const int colon = m.clockColonWidth;
    out[0] = {clockX, digit, minutes < 10 ? 10 * digit : digit * (minutes / 10)};
    out[1] = {clockX + digit, digit, digit * (minutes % 10)};
    out[2] = {clockX + 2 * digit, colon, 11 * digit};
    out[3] = {clockX + 2 * digit + colon, digit, digit * (secs / 10)};
    out[4] = {clockX + 3 * digit + colon, digit, digit * (secs % 10)};
}

bool bannerPosition(int width, int height, int bannerW, int bannerH, int& x, int& y) {
    const unsigned ux = (static_cast<unsigned>(width) - static_cast<unsigned>(bannerW)) / 2;
    const unsigned uy = (static_cast<unsigned>(height) - static_cast<unsigned>(bannerH)) / 2;
    // Drawn only when it lies wholly inside the buffer; a wrapped position never does.
    if (width < 0 || height < 0) return false;
    if (ux + bannerW > static_cast<unsigned>(width)) return false;
    if (uy + bannerH > static_cast<unsigned>(height)) return false;
    x = static_cast<int>(ux);
    y = static_cast<int>(uy);
    return true;
}

} // namespace korvani
