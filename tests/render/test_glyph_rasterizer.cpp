// The rasteriser's fill and blend rules, checked on hand-placed edges: spans and their ends,
// clipping at the mask's borders, the order of equal crossings, touching spans, and the
// coverage extremes.
#include "render/glyph_rasterizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace korvani {
namespace {

// Borrows vertical edges of the solid frame (glyph 1) and places them by hand in the scaled
// arrays; every other edge of the glyph is switched off (empty range).
class PlacedEdges : public ::testing::Test {
  protected:
    static constexpr int glyph = GlyphSolidFrame;

    void SetUp() override {
        rasterizer = createGlyphRasterizer();
        ASSERT_NE(rasterizer, nullptr);
        for (int i = glyphFirstEdge[glyph]; i < glyphFirstEdge[glyph + 1]; ++i) {
            rasterizer->scaledTop[i] = 0;
            rasterizer->scaledBottom[i] = 0;
            rasterizer->scaledXAtTop[i] = 0;
            if (edgeSlope[i] != 0) continue;
            (edgeWinding[i] > 0 ? down : up).push_back(i);
        }
        ASSERT_GE(down.size(), 2u);
        ASSERT_GE(up.size(), 2u);
    }
    void TearDown() override { destroyGlyphRasterizer(rasterizer); }

    // A vertical edge at x over subsample rows firstRow..lastRow.
    void place(int edge, std::int32_t x, int firstRow, int lastRow) {
        rasterizer->scaledTop[edge] = 4096 * firstRow;
        rasterizer->scaledBottom[edge] = 4096 * (lastRow + 1);
        rasterizer->scaledXAtTop[edge] = x;
    }
    // A span from x0 to x1 on the given rows, whichever way the edges happen to run.
    void span(std::int32_t x0, std::int32_t x1, int firstRow, int lastRow, int pair = 0) {
        place(down[pair], x0, firstRow, lastRow);
        place(up[pair], x1, firstRow, lastRow);
    }
    std::vector<int> setColumns(const std::vector<std::uint8_t>& mask, int stride, int row) {
        std::vector<int> columns;
        for (int c = 0; c < stride * 8; ++c)
            if (mask[static_cast<std::size_t>(row) * stride + c / 8] & (0x80 >> (c % 8)))
                columns.push_back(c);
        return columns;
    }

    GlyphRasterizer* rasterizer = nullptr;
    std::vector<int> down, up;
};

TEST_F(PlacedEdges, CentreOnACrossingIsInsideAtEitherEnd) {
    std::vector<std::uint8_t> mask(4 * 4, 0);
    span(43008, 49252, 0, 0);                          // 43008 is the centre of column 10
    span(4096 * 20 + 2049, 4096 * 24 + 2048, 1, 1, 1); // just past centre 20, on centre 24
    rasterizeGlyph(*rasterizer, glyph, 32, 2, 4, mask.data());
    EXPECT_EQ(setColumns(mask, 4, 0), (std::vector<int>{10, 11}));
    EXPECT_EQ(setColumns(mask, 4, 1), (std::vector<int>{21, 22, 23, 24}));
}

TEST_F(PlacedEdges, SpanBetweenTwoCentresSetsNothing) {
    std::vector<std::uint8_t> mask(4, 0);
    span(43008 + 1, 43008 + 4095, 0, 0);
    rasterizeGlyph(*rasterizer, glyph, 32, 1, 4, mask.data());
    EXPECT_TRUE(setColumns(mask, 4, 0).empty());
}

TEST_F(PlacedEdges, SpansAreCutAtTheMaskBordersAndNothingIsWrittenOutside) {
    // Mask rows of 2 bytes (16 columns) inside rows of 4 bytes: the spare bytes must stay.
    std::vector<std::uint8_t> mask(4 * 3, 0xA5);
    for (int row = 0; row < 3; ++row) mask[row * 4] = mask[row * 4 + 1] = 0;
    span(4096 * 13, 4096 * 40, 0, 0);   // beyond the right border
    span(-4096 * 9, 4096 * 2, 1, 1, 1); // left of column 0
    rasterizeGlyph(*rasterizer, glyph, 16, 3, 4, mask.data());
    EXPECT_EQ(mask[0], 0x00);
    EXPECT_EQ(mask[1], 0x07);
    EXPECT_EQ(mask[4], 0xC0); // columns 0..1: the centre of column 2 lies right of 2 * 4096
    EXPECT_EQ(mask[5], 0x00);
    EXPECT_EQ(mask[8], 0x00); // row 2 has no edges
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(mask[row * 4 + 2], 0xA5);
        EXPECT_EQ(mask[row * 4 + 3], 0xA5);
    }
}

TEST_F(PlacedEdges, EdgesBelowTheLastScanlineContributeNothing) {
    std::vector<std::uint8_t> mask(2 * 4, 0);
    span(0, 4096 * 16, 4, 9); // rows 4..9 of a mask with 4 rows
    rasterizeGlyph(*rasterizer, glyph, 16, 4, 2, mask.data());
    for (std::uint8_t byte : mask) EXPECT_EQ(byte, 0);
}

TEST_F(PlacedEdges, WideSpanFillsWholeBytes) {
    std::vector<std::uint8_t> mask(8, 0);
    span(4096 * 5, 4096 * 58 + 2048, 0, 0); // columns 5..58
    rasterizeGlyph(*rasterizer, glyph, 64, 1, 8, mask.data());
    const std::uint8_t expected[8] = {0x07, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xE0};
    EXPECT_EQ(std::memcmp(mask.data(), expected, 8), 0);
}

TEST_F(PlacedEdges, EqualCrossingsKeepTheOrderOfTheirEdges) {
    std::vector<std::uint8_t> mask(4, 0);
    const int a = down[0];
    const int b = up[0];
    place(a, 4096 * 7, 0, 0);
    place(b, 4096 * 7, 0, 0);
    rasterizeGlyph(*rasterizer, glyph, 32, 1, 4, mask.data());
    ASSERT_EQ(rasterizer->crossingCount, 2);
    EXPECT_EQ(rasterizer->crossingX[0], 4096 * 7);
    EXPECT_EQ(rasterizer->crossingWinding[0], edgeWinding[a < b ? a : b]);
    EXPECT_EQ(rasterizer->crossingWinding[1], edgeWinding[a < b ? b : a]);
}

TEST_F(PlacedEdges, TouchingSpansShareNoColumn) {
    // Two spans meet on the centre of column 10. The mask sets it either way, but the tile
    // atlas sums spans into coverage, so the producer must hand the column to one span only.
    const std::vector<int> lower = down[0] < up[0] ? down : up; // holds the lowest edge index
    const std::vector<int> other = down[0] < up[0] ? up : down;
    place(other[0], 4096 * 2, 0, 0);
    place(lower[0], 4096 * 10 + 2048, 0, 0); // ends the first span: it comes first in the tie
    place(lower[1], 4096 * 10 + 2048, 0, 0);
    place(other[1], 4096 * 20, 0, 0);
    std::vector<std::int32_t> edges = {lower[0], lower[1], other[0], other[1]};
    std::sort(edges.begin(), edges.end()); // the edges that reach the scanline, stored order
    CoveredSpan spans[spanCapacity];
    const int count = scanlineSpans(*rasterizer, edges.data(), static_cast<int>(edges.size()),
                                    scanlineY(0), 32, spans);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(spans[0].left, 2);
    EXPECT_EQ(spans[0].right, 10);
    EXPECT_EQ(spans[1].left, 11);
    EXPECT_EQ(spans[1].right, 19);
}

TEST_F(PlacedEdges, NestedCrossingsFillOnlyWhereTheSumReturnsToZero) {
    // down, down, up, up: one span from the first to the last crossing.
    std::vector<std::uint8_t> mask(4, 0);
    place(down[0], 4096 * 2, 0, 0);
    place(down[1], 4096 * 6, 0, 0);
    place(up[0], 4096 * 10, 0, 0);
    place(up[1], 4096 * 20, 0, 0);
    rasterizeGlyph(*rasterizer, glyph, 32, 1, 4, mask.data());
    const std::vector<int> columns = setColumns(mask, 4, 0);
    ASSERT_EQ(columns.size(), 18u);
    EXPECT_EQ(columns.front(), 2);
    EXPECT_EQ(columns.back(), 19);
}

TEST_F(PlacedEdges, FullAndZeroCoverageGiveTheExactColours) {
    const int cellSize = 3;
    const int stride = 3 * 3 * 2 + 1;
    std::vector<std::uint8_t> mask(8 * cellSize * cellSize);
    std::vector<std::uint8_t> tile(static_cast<std::size_t>(stride) * cellSize, 0x5A);
    const BgrColour glyphColour = {0x12, 0x34, 0x56};
    const BgrColour ground = {0xFE, 0xDC, 0xBA};

    // Columns of pixel 0 fully inside, pixel 1 half, pixel 2 empty.
    span(-4096 * 100, 4096 * 12, 0, 8 * cellSize - 1);
    paintGlyphOverColour(*rasterizer, glyph, mask.data(), tile.data(), stride, cellSize,
                         glyphColour, ground);
    for (int py = 0; py < cellSize; ++py) {
        const std::uint8_t* row = tile.data() + py * stride;
        EXPECT_EQ(row[0], 0x12);
        EXPECT_EQ(row[1], 0x34);
        EXPECT_EQ(row[2], 0x56);
        EXPECT_EQ(row[3], (0x12 * 32 + 0xFE * 32) >> 6);
        EXPECT_EQ(row[4], (0x34 * 32 + 0xDC * 32) >> 6);
        EXPECT_EQ(row[5], (0x56 * 32 + 0xBA * 32) >> 6);
        EXPECT_EQ(row[6], 0xFE);
        EXPECT_EQ(row[7], 0xDC);
        EXPECT_EQ(row[8], 0xBA);
        EXPECT_EQ(row[9], 0x5A); // beyond the tile
    }

    // Over the tile: the empty pixel keeps what it held, the full one takes the glyph colour,
    // the half one is blended with truncation.
    const BgrColour over = {0x01, 0x02, 0xFF};
    paintGlyphOverTile(*rasterizer, glyph, mask.data(), tile.data(), stride, cellSize, over);
    const std::uint8_t* row = tile.data();
    EXPECT_EQ(row[0], 0x01);
    EXPECT_EQ(row[2], 0xFF);
    EXPECT_EQ(row[3], ((((0x12 * 32 + 0xFE * 32) >> 6) * 32 + 0x01 * 32) >> 6));
    EXPECT_EQ(row[6], 0xFE);
    EXPECT_EQ(row[8], 0xBA);
}

TEST_F(PlacedEdges, GlyphThatCoversNothingLeavesTheTileUnchanged) {
    const int cellSize = 5;
    const int stride = 16;
    std::vector<std::uint8_t> mask(8 * cellSize * cellSize, 0xFF); // stale bits get cleared
    std::vector<std::uint8_t> tile(static_cast<std::size_t>(stride) * cellSize);
    for (std::size_t i = 0; i < tile.size(); ++i) tile[i] = static_cast<std::uint8_t>(i * 37);
    const std::vector<std::uint8_t> before = tile;
    span(4096 * 3 + 2049, 4096 * 4 + 2047, 0, 8 * cellSize - 1); // between two centres
    paintGlyphOverTile(*rasterizer, glyph, mask.data(), tile.data(), stride, cellSize,
                       BgrColour{0, 0, 0});
    EXPECT_EQ(tile, before);
}

TEST_F(PlacedEdges, CellSizeZeroWritesNothing) {
    std::vector<std::uint8_t> tile(16, 0x77);
    std::uint8_t mask[1] = {0x77};
    span(-4096 * 100, 4096 * 100, 0, 100);
    paintGlyphOverColour(*rasterizer, glyph, mask, tile.data(), 12, 0, BgrColour{0, 0, 0},
                         BgrColour{0, 0, 0});
    paintGlyphOverTile(*rasterizer, glyph, mask, tile.data(), 12, 0, BgrColour{0, 0, 0});
    rasterizeGlyph(*rasterizer, glyph, 0, 0, 0, mask);
    EXPECT_EQ(tile, std::vector<std::uint8_t>(16, 0x77));
    EXPECT_EQ(mask[0], 0x77);
}

TEST(GlyphRasterizerScaling, UsesTheTruncatedFactorPerCellSize) {
    GlyphRasterizer* r = createGlyphRasterizer();
    ASSERT_NE(r, nullptr);
    const int sizes[4] = {30, 40, 48, 64};
    const std::int64_t factors[4] = {650, 867, 1040, 1387};
    for (int n = 0; n < 4; ++n) {
        scaleOutlines(*r, sizes[n]);
        for (int i = 0; i < glyphEdgeTotal; i += 97) {
            EXPECT_EQ(r->scaledTop[i], static_cast<std::int32_t>((factors[n] * edgeTop[i]) >> 12));
            EXPECT_EQ(r->scaledBottom[i],
                      static_cast<std::int32_t>((factors[n] * edgeBottom[i]) >> 12));
            EXPECT_EQ(r->scaledXAtTop[i],
                      static_cast<std::int32_t>((factors[n] * edgeXAtTop[i]) >> 12));
        }
    }
    destroyGlyphRasterizer(r);
    destroyGlyphRasterizer(nullptr);
}

} // namespace
} // namespace korvani
