// Board layout arithmetic for a client area of a given size.
#include "render/board_geometry.h"

#include <algorithm>

namespace korvani {

BoardGeometry computeBoardGeometry(int width, int height) {
    BoardGeometry g;
    g.cellSize = std::min(width / 10, (height - bandHeight) / 10);
    g.boardSize = 9 * g.cellSize + 28;
    // The outline sits 2 px left of and above the centred position: the cells, not the
    // outline, are what the offsets below are measured from.
    g.colX[0] = (width - g.boardSize) / 2 + 2;
    g.rowY[0] = (height - bandHeight - g.boardSize) / 2 + bandHeight + 2;
    const int pitch = g.cellSize + 2;
    for (int i = 1; i < 10; ++i) {
        g.colX[i] = g.colX[0] + i * pitch + 2 * (i / 3);
        g.rowY[i] = g.rowY[0] + i * pitch + 2 * (i / 3);
    }
    g.buttonBarX = g.colX[0] - 4;
    g.clockX = g.colX[9] - clockWidth;
    return g;
}

void clockGlyphs(int clockX, int seconds, ClockGlyph out[5]) {
    const int n = std::clamp(seconds, 0, clockMaxSeconds);
    const int minutes = n / 60;
    const int secs = n % 60;
    out[0] = {clockX, clockDigitWidth,
              minutes < 10 ? clockBlankX : clockDigitWidth * (minutes / 10)};
    out[1] = {clockX + 15, clockDigitWidth, clockDigitWidth * (minutes % 10)};
    out[2] = {clockX + 30, clockColonWidth, clockColonX};
    out[3] = {clockX + 38, clockDigitWidth, clockDigitWidth * (secs / 10)};
    out[4] = {clockX + 53, clockDigitWidth, clockDigitWidth * (secs % 10)};
}

bool bannerPosition(int width, int height, int& x, int& y) {
    const unsigned ux = (static_cast<unsigned>(width) - bannerWidth) / 2;
    const unsigned uy = (static_cast<unsigned>(height) - bannerHeight) / 2;
    // Drawn only when it lies wholly inside the buffer; a wrapped position never does.
    if (width < 0 || height < 0) return false;
    if (ux + bannerWidth > static_cast<unsigned>(width)) return false;
    if (uy + bannerHeight > static_cast<unsigned>(height)) return false;
    x = static_cast<int>(ux);
    y = static_cast<int>(uy);
    return true;
}

} // namespace korvani
