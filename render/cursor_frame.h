// The keyboard cursor's frame: where its bars lie inside a cell. Its shape is its own: thick
// brackets on the four corners, unlike the hover's ground, the selection's dotted frame and a
// hint's thin solid frame; in note mode short bars in the middle of each side join them, so the
// mode shows without a word.
#pragma once

namespace korvani {

struct CellRect {
    int x = 0; // from the cell's left edge
    int y = 0; // from the cell's top edge
    int width = 0;
    int height = 0;
};

inline constexpr int maxCursorRects = 16;

// The bars of the cursor's frame for a cell of `cellSize` pixels, into `out` (room for
// maxCursorRects); returns how many. Every bar lies inside the cell; none for a cell below 16.
int cursorFrameRects(int cellSize, bool noteMode, CellRect* out);

} // namespace korvani
