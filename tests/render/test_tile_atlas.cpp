// The tile strip: the choice of tile for a cell, the table behind the tiles, and the painted
// strip held pixel for pixel against the straightforward painting at several cell sizes.
#include "render/tile_atlas.h"

#include "render/glyph_outlines.h"

#include "tests/support/tile_oracle.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvani {
namespace {

TEST(TileSelection, GivenDigitWinsOverThePlayersDigit) {
    EXPECT_EQ(tileForCell(4, 7, NoDigitSelected, false), 3);
    EXPECT_EQ(tileForCell(4, 7, 7, false), 3);  // the player's 7 under it is not looked at
    EXPECT_EQ(tileForCell(4, 7, 4, false), 21); // framed given 4
    EXPECT_EQ(tileForCell(9, 0, 9, true), 62);
}

TEST(TileSelection, PlayersDigitsAndEmptyCells) {
    EXPECT_EQ(tileForCell(0, 3, 5, false), 11);
    EXPECT_EQ(tileForCell(0, 5, 5, true), 67); // cream ground, grey 5, red dotted frame
    EXPECT_EQ(tileForCell(0, 1, 1, false), 27);
    EXPECT_EQ(tileForCell(5, 0, 5, true), 58);
    EXPECT_EQ(tileForCell(0, 0, 5, false), 72);
    EXPECT_EQ(tileForCell(0, 0, NoDigitSelected, true), 73);
}

TEST(TileSelection, EveryStateMapsOntoTheSchemeAndStaysInTheStrip) {
    for (int g = 0; g <= 9; ++g)
        for (int p = 0; p <= 9; ++p)
            for (int sel : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xFF})
                for (bool hovered : {false, true}) {
                    const int t =
                        tileForCell(static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(p),
                                    static_cast<std::uint8_t>(sel), hovered);
                    const int digit = g != 0 ? g : p;
                    int expected = 72;
                    if (digit != 0)
                        expected = (digit - 1) + (g != 0 ? 0 : 9) + (digit == sel ? 18 : 0);
                    if (hovered) expected += digit != 0 ? 36 : 1;
                    EXPECT_EQ(t, expected) << g << " " << p << " " << sel << " " << hovered;
                    if (sel == 0xFF) {
                        EXPECT_FALSE((t >= 18 && t <= 35) || (t >= 54 && t <= 71));
                    }
                    if (!hovered) {
                        EXPECT_TRUE(t < 36 || t == 72);
                    }
                }
}

TEST(TileSelection, ValuesOutsideOneToNineCountAsNoDigit) {
    EXPECT_EQ(tileForCell(10, 0, NoDigitSelected, false), 72);
    EXPECT_EQ(tileForCell(0xFF, 3, NoDigitSelected, true), 47);
    EXPECT_EQ(tileForCell(0, 0xFF, 0xFF, false), 72);
}

TEST(TileTable, RowsFollowTheirGroups) {
    for (int t = 0; t < tileCount; ++t) {
        const oracle::Recipe r = oracle::recipeOf(t);
        const BgrColour& ground = *tileGroundColour[t];
        EXPECT_EQ(ground.blue, r.ground.blue) << t;
        EXPECT_EQ(ground.green, r.ground.green) << t;
        EXPECT_EQ(ground.red, r.ground.red) << t;
        EXPECT_EQ(tileBaseGlyph[t], r.baseGlyph < 0 ? NoGlyph : r.baseGlyph) << t;
        EXPECT_EQ(tileOverlayGlyph[t], r.overlayGlyph < 0 ? NoGlyph : r.overlayGlyph) << t;
        if (r.baseGlyph >= 0) {
            EXPECT_EQ(tileBaseColour[t]->red, r.baseColour.red) << t;
        }
        if (r.overlayGlyph >= 0) {
            EXPECT_EQ(tileOverlayColour[t], &ColourMatch) << t;
        }
        EXPECT_NE(tileBaseGlyph[t], GlyphSolidFrame);
        EXPECT_NE(tileOverlayGlyph[t], GlyphSolidFrame);
    }
    EXPECT_EQ(tileGroundColour[22], &ColourPaper);
    EXPECT_EQ(tileGroundColour[58], &ColourHover);
    EXPECT_EQ(tileBaseColour[13], &ColourEntered);
}

std::vector<std::uint8_t> buildStrip(int cellSize, std::uint8_t filler) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(tileAtlasStride(cellSize)) * cellSize,
                                     filler);
    GlyphCoverage coverage;
    buildTiles(coverage, cellSize, tileAtlasStride(cellSize), pixels.data());
    return pixels;
}

TEST(TileStrip, StrideCoversSeventyFourTilesRoundedToFourBytes) {
    EXPECT_EQ(tileAtlasStride(49), 222 * 49 + 2);
    EXPECT_EQ(tileAtlasStride(49), 10880);
    EXPECT_EQ(tileAtlasStride(52), 222 * 52);
    EXPECT_EQ(tileAtlasStride(1), 224);
    EXPECT_EQ(tileAtlasStride(0), 0);
}

TEST(TileStrip, MatchesTheStraightforwardPaintingPixelForPixel) {
    for (int cellSize : {1, 2, 7, 30, 49, 52, 64, 100, 208}) {
        const std::vector<std::uint8_t> expected = oracle::strip(cellSize, 0xC3);
        const std::vector<std::uint8_t> actual = buildStrip(cellSize, 0xC3);
        ASSERT_EQ(actual.size(), expected.size());
        std::size_t firstDifference = actual.size();
        for (std::size_t i = 0; i < actual.size() && firstDifference == actual.size(); ++i)
            if (actual[i] != expected[i]) firstDifference = i;
        EXPECT_EQ(firstDifference, actual.size()) << "cell size " << cellSize;
    }
}

TEST(TileStrip, OddCellSizeLeavesTheTwoBytesBehindTheLastTile) {
    const int cellSize = 49;
    const std::vector<std::uint8_t> pixels = buildStrip(cellSize, 0xC3);
    for (int y = 0; y < cellSize; ++y) {
        EXPECT_EQ(pixels[y * 10880 + 10878], 0xC3);
        EXPECT_EQ(pixels[y * 10880 + 10879], 0xC3);
        EXPECT_NE(pixels[y * 10880 + 10877], 0xC3); // the last byte of tile 73 (cream red)
    }
}

TEST(TileStrip, EmptyCellsArePlainFills) {
    const int cellSize = 30;
    const int stride = tileAtlasStride(cellSize);
    const std::vector<std::uint8_t> pixels = buildStrip(cellSize, 0);
    for (int t : {72, 73}) {
        const BgrColour c = t == 72 ? ColourPaper : ColourHover;
        for (int y = 0; y < cellSize; ++y)
            for (int x = 0; x < cellSize; ++x) {
                const std::uint8_t* p = pixels.data() + y * stride + 3 * (cellSize * t + x);
                ASSERT_EQ(p[0], c.blue);
                ASSERT_EQ(p[1], c.green);
                ASSERT_EQ(p[2], c.red);
            }
    }
}

TEST(TileStrip, FramedHoveredPlayersFiveShowsAllThreeColours) {
    const int cellSize = 100;
    const int stride = tileAtlasStride(cellSize);
    const std::vector<std::uint8_t> pixels = buildStrip(cellSize, 0);
    int counts[3] = {};
    const BgrColour colours[3] = {ColourHover, ColourEntered, ColourMatch};
    for (int y = 0; y < cellSize; ++y)
        for (int x = 0; x < cellSize; ++x) {
            const std::uint8_t* p = pixels.data() + y * stride + 3 * (cellSize * 67 + x);
            for (int n = 0; n < 3; ++n)
                if (p[0] == colours[n].blue && p[1] == colours[n].green && p[2] == colours[n].red)
                    ++counts[n];
        }
    EXPECT_GT(counts[0], 1000);
    EXPECT_GT(counts[1], 100);
    EXPECT_GT(counts[2], 100);
}

TEST(TileStrip, RebuildingAtTheSameSizeAfterAnotherGivesTheSameStrip) {
    GlyphCoverage coverage;
    const int stride = tileAtlasStride(64);
    std::vector<std::uint8_t> first(static_cast<std::size_t>(stride) * 64, 1);
    std::vector<std::uint8_t> second(static_cast<std::size_t>(stride) * 64, 1);
    std::vector<std::uint8_t> other(static_cast<std::size_t>(tileAtlasStride(33)) * 33, 1);
    buildTiles(coverage, 64, stride, first.data());
    buildTiles(coverage, 33, tileAtlasStride(33), other.data()); // in between, rescaled
    coverage.clear();
    buildTiles(coverage, 64, stride, second.data());
    EXPECT_TRUE(first == second);
}

TEST(TileStrip, CellSizeZeroPaintsNothing) {
    GlyphCoverage coverage;
    std::uint8_t guard[4] = {9, 9, 9, 9};
    buildTiles(coverage, 0, 0, guard);
    EXPECT_EQ(guard[0], 9);
    EXPECT_EQ(guard[3], 9);
}

} // namespace
} // namespace korvani
