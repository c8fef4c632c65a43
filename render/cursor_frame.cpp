// The cursor's bars, scaled with the cell: thicker than a hint's frame, so that the two read
// apart even where they meet at a corner.
#include "render/cursor_frame.h"

namespace korvani {

int cursorFrameRects(int cellSize, bool noteMode, CellRect* out) {
    if (cellSize < 16) return 0;
    const int thick = cellSize / 12 < 3 ? 3 : cellSize / 12;
    const int arm = cellSize / 3;
    const int far = cellSize - thick; // the right or bottom bar's offset
    const int armFar = cellSize - arm;
    int count = 0;
    const auto bar = [&](int x, int y, int width, int height) {
        out[count++] = {x, y, width, height};
    };
    // Each corner: a horizontal arm, then the vertical arm below or above it.
    bar(0, 0, arm, thick);
    bar(0, thick, thick, arm - thick);
    bar(armFar, 0, arm, thick);
    bar(far, thick, thick, arm - thick);
    bar(0, far, arm, thick);
    bar(0, armFar, thick, arm - thick);
    bar(armFar, far, arm, thick);
    bar(far, armFar, thick, arm - thick);
    if (noteMode) {
        const int tick = cellSize / 6;
        const int middle = (cellSize - tick) / 2;
        bar(middle, 0, tick, thick);
        bar(middle, far, tick, thick);
        bar(0, middle, thick, tick);
        bar(far, middle, thick, tick);
    }
    return count;
}

} // namespace korvani
