// The frame-drag clamp: whichever edge is dragged stops at a client area of 522 x 554 and the
// opposite edges never move; larger rectangles pass unchanged.
#include "win/sizing_limit.h"

#include <gtest/gtest.h>

namespace korvani {
namespace {

// A typical frame: 8-pixel borders, a 23-pixel caption and a 19-pixel menu bar; the band adds 32.
constexpr FrameExtra frame{16, 8 + 23 + 19 + 8 + 32};
constexpr int chromeHeight = frame.height - 32;

// The window rectangle of a client area of w x h whose window starts at (100, 50).
RECT windowFor(int w, int h) {
    return RECT{100, 50, 100 + frame.width + w, 50 + chromeHeight + h};
}

bool same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(SizingLimit, DraggingTheLeftEdgeInwardAtTheMinimumChangesNothing) {
    const RECT minimum = windowFor(522, 554);
    RECT proposed = minimum;
    proposed.left += 40;
    clampSizingRect(proposed, WMSZ_LEFT, frame);
    EXPECT_TRUE(same(proposed, minimum));
}

TEST(SizingLimit, BottomLeftCornerClampsLeftAndBottom) {
    const RECT start = windowFor(600, 700);
    RECT proposed = start;
    proposed.left += 200;   // client would be 400 wide
    proposed.bottom -= 300; // and 400 high
    clampSizingRect(proposed, WMSZ_BOTTOMLEFT, frame);
    EXPECT_EQ(proposed.right, start.right);
    EXPECT_EQ(proposed.top, start.top);
    EXPECT_EQ(proposed.right - proposed.left - frame.width, 522);
    EXPECT_EQ(proposed.bottom - proposed.top - chromeHeight, 554);
}

TEST(SizingLimit, TopEdgeStopsAtTheMinimumHeightAndMovesTheTop) {
    const RECT start = windowFor(522, 700);
    RECT proposed = start;
    proposed.top += 400;
    clampSizingRect(proposed, WMSZ_TOP, frame);
    EXPECT_EQ(proposed.bottom, start.bottom);
    EXPECT_EQ(proposed.bottom - proposed.top - chromeHeight, 554);
    EXPECT_EQ(proposed.left, start.left);
    EXPECT_EQ(proposed.right, start.right);
}

TEST(SizingLimit, EveryEdgeMovesOnlyItsOwnSides) {
    struct Case {
        WPARAM edge;
        bool movesLeft;
        bool movesTop;
    };
    const Case cases[] = {
        {WMSZ_LEFT, true, false},       {WMSZ_RIGHT, false, false},
        {WMSZ_TOP, false, true},        {WMSZ_TOPLEFT, true, true},
        {WMSZ_TOPRIGHT, false, true},   {WMSZ_BOTTOM, false, false},
        {WMSZ_BOTTOMLEFT, true, false}, {WMSZ_BOTTOMRIGHT, false, false},
    };
    for (const Case& c : cases) {
        const RECT start = windowFor(522, 554);
        RECT proposed = {start.left + 10, start.top + 10, start.right - 10, start.bottom - 10};
        clampSizingRect(proposed, c.edge, frame);
        EXPECT_EQ(proposed.right - proposed.left - frame.width, 522) << c.edge;
        EXPECT_EQ(proposed.bottom - proposed.top - chromeHeight, 554) << c.edge;
        // The side under the mouse is put back at the minimum measured from the opposite side,
        // which keeps its proposed place (10 pixels inside the start).
        EXPECT_EQ(proposed.left, start.left + (c.movesLeft ? -10 : 10)) << c.edge;
        EXPECT_EQ(proposed.right, start.right + (c.movesLeft ? -10 : 10)) << c.edge;
        EXPECT_EQ(proposed.top, start.top + (c.movesTop ? -10 : 10)) << c.edge;
        EXPECT_EQ(proposed.bottom, start.bottom + (c.movesTop ? -10 : 10)) << c.edge;
    }
}

TEST(SizingLimit, LargerRectanglesAreLeftAlone) {
    for (WPARAM edge = WMSZ_LEFT; edge <= WMSZ_BOTTOMRIGHT; ++edge) {
        const RECT start = windowFor(523, 555);
        RECT proposed = start;
        clampSizingRect(proposed, edge, frame);
        EXPECT_TRUE(same(proposed, start)) << edge;
    }
}

} // namespace
} // namespace korvani
