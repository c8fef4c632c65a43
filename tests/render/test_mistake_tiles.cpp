// The mistake tiles against the atlas: each is the atlas's tile of the same placed digit with the
// digit's grey turned into the mistake red at every coverage level, the ground and the match
// frame untouched.
#include "render/mistake_tiles.h"
#include "render/tile_atlas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace korvani {
namespace {

// The blend of a glyph colour over a ground at coverage c, as every paint does it.
int blend(int glyph, int ground, int c) {
    return (glyph * c + ground * (64 - c)) >> 6;
}

TEST(MistakeTiles, AreTheAtlasTilesOfPlacedDigitsWithTheDigitInRed) {
    GlyphCoverage coverage;
    for (const int cellSize : {21, 52, 97}) {
        std::vector<std::uint8_t> atlas(static_cast<std::size_t>(tileAtlasStride(cellSize)) *
                                        cellSize);
        std::vector<std::uint8_t> strip(static_cast<std::size_t>(mistakeStripStride(cellSize)) *
                                        cellSize);
        buildTiles(coverage, cellSize, tileAtlasStride(cellSize), atlas.data());
        buildMistakeTiles(coverage, cellSize, mistakeStripStride(cellSize), strip.data());
        for (int digit = 1; digit <= 9; ++digit) {
            for (const bool selected : {false, true}) {
                for (const bool hovered : {false, true}) {
                    const auto entered = static_cast<std::uint8_t>(digit);
                    const std::uint8_t selection = selected ? entered : NoDigitSelected;
                    const int atlasTile = tileForCell(0, entered, selection, hovered);
                    const int redTile = mistakeTileFor(entered, selection, hovered);
                    const BgrColour ground = hovered ? ColourHover : ColourPaper;
                    int redPixels = 0;
                    for (int y = 0; y < cellSize; ++y) {
                        for (int x = 0; x < cellSize; ++x) {
                            const std::uint8_t* a =
                                &atlas[static_cast<std::size_t>(y) * tileAtlasStride(cellSize) +
                                       3 * (cellSize * atlasTile + x)];
                            const std::uint8_t* m =
                                &strip[static_cast<std::size_t>(y) * mistakeStripStride(cellSize) +
                                       3 * (cellSize * redTile + x)];
                            // The digit's coverage, read back from the atlas's blue channel
                            // where no frame lies over it (grey 0x80 over a lighter ground).
                            int c = -1;
                            for (int k = 0; k <= 64 && !selected; ++k)
                                if (blend(ColourEntered.blue, ground.blue, k) == a[0] &&
                                    blend(ColourEntered.red, ground.red, k) == a[2]) {
                                    c = k;
                                    break;
                                }
                            if (selected) {
                                // Where the atlas shows the plain ground, so does the red tile.
                                if (a[0] == ground.blue && a[1] == ground.green &&
                                    a[2] == ground.red) {
                                    EXPECT_TRUE(m[0] == a[0] && m[1] == a[1] && m[2] == a[2]);
                                }
                                continue;
                            }
                            ASSERT_GE(c, 0) << "not a grey digit pixel at " << x << "," << y;
                            EXPECT_EQ(m[0], blend(ColourMistake.blue, ground.blue, c));
                            EXPECT_EQ(m[2], blend(ColourMistake.red, ground.red, c));
                            if (c == 64) ++redPixels;
                        }
                    }
                    if (!selected) {
                        EXPECT_GT(redPixels, 0) << "digit " << digit;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace korvani
