// The cursor's frame as a set of pixels in a cell: inside the cell, no pixel twice, all four
// corners taken and the middle of each side left free, except in note mode, which also takes
// the middle of each side. So it never reads as a hint's frame, which runs all around.
#include "render/cursor_frame.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvani {
namespace {

std::vector<int> coverage(int size, bool noteMode) {
    std::vector<int> hits(static_cast<std::size_t>(size * size), 0);
    CellRect rects[maxCursorRects];
    const int count = cursorFrameRects(size, noteMode, rects);
    for (int i = 0; i < count; ++i) {
        const CellRect& r = rects[i];
        EXPECT_GT(r.width, 0);
        EXPECT_GT(r.height, 0);
        EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.width <= size && r.y + r.height <= size)
            << "bar " << i << " leaves a cell of " << size;
        for (int y = r.y; y < r.y + r.height; ++y)
            for (int x = r.x; x < r.x + r.width; ++x)
                if (x >= 0 && y >= 0 && x < size && y < size) ++hits[y * size + x];
    }
    return hits;
}

TEST(CursorFrame, CornersAlwaysTheMiddleOfEachSideOnlyInNoteMode) {
    for (int size = 16; size <= 160; ++size) {
        for (bool noteMode : {false, true}) {
            const std::vector<int> hits = coverage(size, noteMode);
            const auto at = [&](int x, int y) { return hits[y * size + x]; };
            for (int hit : hits) ASSERT_LE(hit, 1) << "a pixel painted twice at " << size;
            const int last = size - 1;
            const int middle = size / 2;
            for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
                EXPECT_EQ(at(x, y), 1) << "corner at " << size;
            const int expected = noteMode ? 1 : 0;
            EXPECT_EQ(at(middle, 0), expected) << size;
            EXPECT_EQ(at(middle, last), expected) << size;
            EXPECT_EQ(at(0, middle), expected) << size;
            EXPECT_EQ(at(last, middle), expected) << size;
            EXPECT_EQ(at(middle, middle), 0) << "the digit stays clear at " << size;
        }
    }
    CellRect rects[maxCursorRects];
    EXPECT_EQ(cursorFrameRects(15, true, rects), 0);
}

} // namespace
} // namespace korvani
