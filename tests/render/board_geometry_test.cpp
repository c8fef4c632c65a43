// Known layouts of the board for several client sizes and display scales, the clock's glyph
// choice and the placement of the "clear!" banner.
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

TEST(DisplayScale, SmallestClientAtOneAndAHalfAndTwiceTheScale) {
    const LayoutMetrics m144 = layoutMetrics(144);
    EXPECT_EQ(m144.minimumClientWidth, 783);
    EXPECT_EQ(m144.minimumClientHeight, 831);
    const BoardGeometry g = computeBoardGeometry(783, 831, m144);
    EXPECT_EQ(g.cellSize, 78);
    EXPECT_EQ(g.boardSize, 744);
    EXPECT_EQ(edges(g.colX), (std::vector<int>{22, 103, 184, 268, 349, 430, 514, 595, 676, 760}));
    EXPECT_EQ(edges(g.rowY), (std::vector<int>{70, 151, 232, 316, 397, 478, 562, 643, 724, 808}));
    EXPECT_EQ(g.buttonBarX, 16);
    EXPECT_EQ(g.clockX, 760 - 104); // four 23-pixel digits and a 12-pixel colon
    EXPECT_EQ(m144.buttonWidth, 135);
    EXPECT_EQ(m144.buttonHeight, 45);
    EXPECT_EQ(m144.buttonY, 3);

    const LayoutMetrics m192 = layoutMetrics(192);
    EXPECT_EQ(m192.minimumClientWidth, 1044);
    EXPECT_EQ(m192.minimumClientHeight, 1108);
    const BoardGeometry d = computeBoardGeometry(1044, 1108, m192);
    EXPECT_EQ(d.cellSize, 104);
    EXPECT_EQ(edges(d.colX), (std::vector<int>{30, 138, 246, 358, 466, 574, 686, 794, 902, 1014}));
    EXPECT_EQ(d.rowY[0], 94);
    EXPECT_EQ(d.buttonBarX, 22);
    EXPECT_EQ(d.clockX, 1014 - 136);
    // Twice the scale is exactly twice every 96-DPI quantity.
    const LayoutMetrics m96 = layoutMetrics(96);
    EXPECT_EQ(m192.band, 2 * m96.band);
    EXPECT_EQ(m192.bannerWidth, 2 * m96.bannerWidth);
    EXPECT_EQ(m192.clockWidth, 2 * m96.clockWidth);
}

TEST(DisplayScale, NinetySixDpiIsTheUnscaledLayout) {
    const LayoutMetrics m = layoutMetrics(96);
    const LayoutMetrics base;
    EXPECT_EQ(m.minimumClientWidth, 522);
    EXPECT_EQ(m.minimumClientHeight, 554);
    EXPECT_EQ(m.clockWidth, clockWidth);
    const BoardGeometry g = computeBoardGeometry(700, 640, m);
    const BoardGeometry b = computeBoardGeometry(700, 640, base);
    EXPECT_EQ(edges(g.colX), edges(b.colX));
    EXPECT_EQ(edges(g.rowY), edges(b.rowY));
    // Below 100 % (which Windows never offers) the 100 % layout is used.
    EXPECT_EQ(layoutMetrics(72).band, 32);
}

TEST(DisplayScale, PicturesFollowTheExactScale) {
    // Between the scales Windows offers too: the pictures are drawn at whatever scale comes.
    EXPECT_EQ(layoutMetrics(143).buttonWidth, 134);
    EXPECT_EQ(layoutMetrics(143).bannerHeight, 131);
    EXPECT_EQ(layoutMetrics(200).clockDigitWidth, 31);
    EXPECT_EQ(scalePixels(2, 120), 3); // halves round away from zero, as MulDiv does
    EXPECT_EQ(scalePixels(522, 168), 914);
}

TEST(DisplayScale, EveryScaleFitsTheBandAndTheSmallestClient) {
    for (int dpi = 96; dpi <= 480; ++dpi) {
        SCOPED_TRACE(dpi);
        const LayoutMetrics m = layoutMetrics(dpi);
        EXPECT_LE(m.buttonY + m.buttonHeight, m.band);
        EXPECT_LE(m.clockGlyphY + m.clockGlyphHeight, m.band);
        const int w = m.minimumClientWidth;
        const int h = m.minimumClientHeight;
        const BoardGeometry g = computeBoardGeometry(w, h, m);
        const int rim = m.outline + m.edgeGap;
        // The outline square ends at index 9 and lies wholly in the client below the band.
        EXPECT_EQ(g.colX[9] - (g.colX[0] - rim), g.boardSize);
        EXPECT_EQ(g.rowY[9] - (g.rowY[0] - rim), g.boardSize);
        EXPECT_GE(g.colX[0] - rim, 0);
        EXPECT_GE(g.rowY[0] - rim, m.band);
        EXPECT_LE(g.colX[9], w);
        EXPECT_LE(g.rowY[9], h);
        // Both buttons end left of the clock, and the banner fits the board.
        EXPECT_LE(g.buttonBarX + 2 * m.buttonWidth, g.clockX);
        int x = 0;
        int y = 0;
        EXPECT_TRUE(bannerPosition(w, h, m.bannerWidth, m.bannerHeight, x, y));
        EXPECT_LE(m.bannerWidth, g.boardSize);
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
