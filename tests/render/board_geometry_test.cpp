// Known layouts of the board for several client sizes, the clock's glyph choice and the
// placement of the "clear!" banner.
#include "render/board_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvani {
namespace {

std::vector<int> edges(const std::int32_t (&values)[10]) {
    return {values, values + 10};
}

TEST(BoardGeometry, StartingClientAreaGivesTheKnownEdges) {
    const BoardGeometry g = computeBoardGeometry(522, 554);
    EXPECT_EQ(g.cellSize, 52);
    EXPECT_EQ(g.boardSize, 496);
    EXPECT_EQ(edges(g.colX), (std::vector<int>{15, 69, 123, 179, 233, 287, 343, 397, 451, 507}));
    EXPECT_EQ(edges(g.rowY), (std::vector<int>{47, 101, 155, 211, 265, 319, 375, 429, 483, 539}));
    EXPECT_EQ(g.buttonBarX, 11);
    EXPECT_EQ(g.clockX, 439);
    // The outline square ends exactly at colX[9] / rowY[9].
    EXPECT_EQ(g.colX[0] - 4 + g.boardSize, g.colX[9]);
    EXPECT_EQ(g.rowY[0] - 4 + g.boardSize, g.rowY[9]);
}

TEST(BoardGeometry, HeightOrWidthLimitsTheCellSize) {
    const BoardGeometry wide = computeBoardGeometry(800, 554);
    EXPECT_EQ(wide.cellSize, 52);
    EXPECT_EQ(wide.colX[0], 154);
    EXPECT_EQ(wide.buttonBarX, 150);
    EXPECT_EQ(wide.clockX, 578);

    const BoardGeometry tall = computeBoardGeometry(600, 800);
    EXPECT_EQ(tall.cellSize, 60);
    EXPECT_EQ(tall.boardSize, 568);
    EXPECT_EQ(tall.colX[0], 18);
    EXPECT_EQ(tall.rowY[0], 134);
}

TEST(BoardGeometry, OnePixelMoreKeepsTheLayout) {
    const BoardGeometry a = computeBoardGeometry(522, 554);
    const BoardGeometry b = computeBoardGeometry(523, 555);
    EXPECT_EQ(edges(a.colX), edges(b.colX));
    EXPECT_EQ(edges(a.rowY), edges(b.rowY));
    EXPECT_EQ(a.cellSize, b.cellSize);
}

TEST(BoardGeometry, BoxesAreSeparatedByWiderGaps) {
    const BoardGeometry g = computeBoardGeometry(1000, 1000);
    for (int i = 0; i < 9; ++i) {
        const int gap = g.colX[i + 1] - g.colX[i] - g.cellSize;
        EXPECT_EQ(gap, (i == 2 || i == 5 || i == 8) ? 4 : 2) << "after column " << i;
        EXPECT_EQ(g.rowY[i + 1] - g.rowY[i], g.colX[i + 1] - g.colX[i]);
    }
}

struct ExpectedClock {
    int seconds;
    int sources[5];
};

TEST(ClockGlyphs, MinutesAndSecondsPickTheirGlyphs) {
    const ExpectedClock cases[] = {
        {0, {150, 0, 165, 0, 0}},        // blank, 0, colon, 0, 0
        {599, {150, 135, 165, 75, 135}}, // 9:59
        {600, {15, 0, 165, 0, 0}},       // 10:00
        {3599, {75, 135, 165, 75, 135}}, // 59:59
        {75, {150, 15, 165, 15, 75}},    // 1:15
    };
    for (const ExpectedClock& c : cases) {
        ClockGlyph glyphs[5];
        clockGlyphs(439, c.seconds, glyphs);
        for (int k = 0; k < 5; ++k) EXPECT_EQ(glyphs[k].sourceX, c.sources[k]) << c.seconds;
        EXPECT_EQ(glyphs[0].destX, 439);
        EXPECT_EQ(glyphs[1].destX, 454);
        EXPECT_EQ(glyphs[2].destX, 469);
        EXPECT_EQ(glyphs[2].width, 8);
        EXPECT_EQ(glyphs[3].destX, 477);
        EXPECT_EQ(glyphs[4].destX, 492);
        EXPECT_EQ(glyphs[4].destX + glyphs[4].width, 439 + clockWidth);
    }
}

TEST(ClockGlyphs, DamagedCountsStayInsideTheFontStrip) {
    ClockGlyph glyphs[5];
    clockGlyphs(0, -5, glyphs);
    EXPECT_EQ(glyphs[1].sourceX, 0);
    EXPECT_EQ(glyphs[4].sourceX, 0);
    clockGlyphs(0, 40000, glyphs);
    EXPECT_EQ(glyphs[0].sourceX, 75); // shown as 59:59
    for (const ClockGlyph& g : glyphs) {
        EXPECT_GE(g.sourceX, 0);
        EXPECT_LE(g.sourceX + g.width, clockColonX + clockColonWidth);
    }
}

TEST(BannerPosition, CentredInTheBackBuffer) {
    int x = -1;
    int y = -1;
    ASSERT_TRUE(bannerPosition(522, 554, x, y));
    EXPECT_EQ(x, 114);
    EXPECT_EQ(y, 233);
    ASSERT_TRUE(bannerPosition(293, 88, x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST(BannerPosition, TooSmallABufferDrawsNothing) {
    int x = 7;
    int y = 7;
    EXPECT_FALSE(bannerPosition(292, 554, x, y));
    EXPECT_FALSE(bannerPosition(522, 87, x, y));
    EXPECT_FALSE(bannerPosition(32, 32, x, y));
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 7);
}

} // namespace
} // namespace korvani
