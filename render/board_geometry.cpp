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

} // namespace korvani
