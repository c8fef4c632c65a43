// The rasteriser's fill rules, checked on hand-placed edges: spans and their ends, clipping at
// the map's borders, touching spans, non-zero winding, and coverage counted into pixels.
#include "render/glyph_coverage.h"
#include "render/glyph_outlines.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvani {
namespace {

// Vertical edges placed by hand, in the order they are added.
class PlacedEdges : public ::testing::Test {
  protected:
    // A vertical edge at x over subsample rows firstRow..lastRow running down (+1) or up (-1).
    int place(std::int32_t x, int firstRow, int lastRow, std::int8_t winding) {
        top.push_back(4096 * firstRow);
        bottom.push_back(4096 * (lastRow + 1));
        xAtTop.push_back(x);
        slope.push_back(0);
        windings.push_back(winding);
        return static_cast<int>(top.size()) - 1;
    }
    // A span from x0 to x1 on the given rows.
    void span(std::int32_t x0, std::int32_t x1, int firstRow, int lastRow) {
        place(x0, firstRow, lastRow, 1);
        place(x1, firstRow, lastRow, -1);
    }
    EdgeSet edges() const {
        return {top.data(), bottom.data(), xAtTop.data(), slope.data(), windings.data()};
    }
    // The subsample columns covered on scanline row of a map maskWidth columns wide.
    std::vector<int> columns(int row, int maskWidth) const {
        std::vector<std::int32_t> reaching;
        const std::int32_t y = scanlineY(row);
        for (int i = 0; i < static_cast<int>(top.size()); ++i)
            if (top[i] <= y && y < bottom[i]) reaching.push_back(i);
        CoveredSpan spans[spanCapacity];
        const int count = scanlineSpans(edges(), reaching.data(), static_cast<int>(reaching.size()),
                                        y, maskWidth, spans);
        std::vector<int> out;
        for (int n = 0; n < count; ++n)
            for (int c = spans[n].left; c <= spans[n].right; ++c) out.push_back(c);
        return out;
    }
    CoverageMap coverage(int width, int height) const {
        CoverageMap map;
        computeCoverage(edges(), 0, static_cast<int>(top.size()), width, height, map);
        return map;
    }

    std::vector<std::int32_t> top, bottom, xAtTop, slope;
    std::vector<std::int8_t> windings;
};

TEST_F(PlacedEdges, CentreOnACrossingIsInsideAtEitherEnd) {
    span(43008, 49252, 0, 0);                       // 43008 is the centre of column 10
    span(4096 * 20 + 2049, 4096 * 24 + 2048, 1, 1); // just past centre 20, on centre 24
    EXPECT_EQ(columns(0, 32), (std::vector<int>{10, 11}));
    EXPECT_EQ(columns(1, 32), (std::vector<int>{21, 22, 23, 24}));
}

TEST_F(PlacedEdges, SpanBetweenTwoCentresCoversNothing) {
    span(43008 + 1, 43008 + 4095, 0, 0);
    EXPECT_TRUE(columns(0, 32).empty());
}

TEST_F(PlacedEdges, SpansAreCutAtTheMapBorders) {
    span(4096 * 13, 4096 * 40, 0, 0); // beyond the right border
    span(-4096 * 9, 4096 * 2, 1, 1);  // left of column 0
    EXPECT_EQ(columns(0, 16), (std::vector<int>{13, 14, 15}));
    EXPECT_EQ(columns(1, 16), (std::vector<int>{0, 1})); // centre of column 2 lies right of it
    const CoverageMap map = coverage(2, 1);
    EXPECT_EQ(map.at(0, 0), 2);
    EXPECT_EQ(map.at(1, 0), 3);
}

TEST_F(PlacedEdges, TouchingSpansShareNoColumn) {
    // Two spans meet on the centre of column 10. The coverage sums spans, so the producer must
    // hand the column to one span only: the first in the tie, as the edges are stored.
    place(4096 * 10 + 2048, 0, 0, -1); // ends the first span: it comes first in the tie
    place(4096 * 10 + 2048, 0, 0, 1);
    place(4096 * 2, 0, 0, 1);
    place(4096 * 20, 0, 0, -1);
    EXPECT_EQ(columns(0, 32).size(), 18u);
    CoverageMap map = coverage(4, 1);
    EXPECT_EQ(map.at(0, 0), 6); // columns 2..7
    EXPECT_EQ(map.at(1, 0), 8); // 8..15, column 10 once
    EXPECT_EQ(map.at(2, 0), 4); // 16..19
}

TEST_F(PlacedEdges, NestedCrossingsFillOnlyWhereTheSumReturnsToZero) {
    place(4096 * 2, 0, 0, 1);
    place(4096 * 6, 0, 0, 1);
    place(4096 * 10, 0, 0, -1);
    place(4096 * 20, 0, 0, -1);
    const std::vector<int> covered = columns(0, 32);
    ASSERT_EQ(covered.size(), 18u);
    EXPECT_EQ(covered.front(), 2);
    EXPECT_EQ(covered.back(), 19);
}

TEST_F(PlacedEdges, CoverageCountsEverySubsampleOfAPixelAndTheRowsRange) {
    // Pixel 0 fully inside, pixel 1 half, pixel 2 empty, on all three pixel rows; a fourth row
    // without edges.
    span(-4096 * 100, 4096 * 12, 0, 8 * 3 - 1);
    const CoverageMap map = coverage(3, 4);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(map.at(0, y), 64);
        EXPECT_EQ(map.at(1, y), 32);
        EXPECT_EQ(map.at(2, y), 0);
        EXPECT_EQ(map.rowFirst[y], 0);
        EXPECT_EQ(map.rowLast[y], 1);
    }
    EXPECT_GT(map.rowFirst[3], map.rowLast[3]);
    EXPECT_EQ(map.at(0, 3), 0);
}

TEST_F(PlacedEdges, EdgesBelowTheLastScanlineAndEmptyMapsGiveNothing) {
    span(0, 4096 * 16, 4 * 8, 9 * 8); // below a map 4 pixels high
    const CoverageMap map = coverage(2, 4);
    for (const std::uint8_t level : map.level) EXPECT_EQ(level, 0);
    const CoverageMap empty = coverage(0, 0);
    EXPECT_TRUE(empty.level.empty());
}

TEST(GlyphCoverage, ScalesByTheTruncatedFactorPerSizeAndKeepsEachMap) {
    const int sizes[4] = {30, 40, 48, 64};
    const std::int32_t factors[4] = {650, 867, 1040, 1387};
    for (int n = 0; n < 4; ++n) EXPECT_EQ(outlineScale(sizes[n]), factors[n]);
    GlyphCoverage cache;
    const CoverageMap& five = cache.of(digitGlyph(5), 40);
    EXPECT_EQ(five.width, 40);
    EXPECT_EQ(five.height, 40);
    cache.of(digitGlyph(5), 52);
    cache.of(digitGlyph(7), 40);
    EXPECT_EQ(&cache.of(digitGlyph(5), 40), &five) << "asked again, the same map";
    int covered = 0;
    for (const std::uint8_t level : five.level) covered += level;
    EXPECT_GT(covered, 40 * 40 * 64 / 20);
}

} // namespace
} // namespace korvani
