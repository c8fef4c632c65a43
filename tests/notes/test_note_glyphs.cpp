// The note digits at every cell size from 20 to 208: each lands whole in its own third, is
// anti-aliased and can be told from the other eight; painted, the selected digit's notes are red
// and the others the note grey, and a cell without notes is left exactly as it was.
#include "render/note_glyphs.h"

#include "render/glyph_outlines.h"
#include "render/tile_atlas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace korvani {
namespace {

// Subsamples that the digit covers when rasterised whole at the note's outline size.
long wholeGlyphSubsamples(GlyphCoverage& coverage, int digit, int outlineSize) {
    long total = 0;
    for (const std::uint8_t level : coverage.of(digitGlyph(digit), outlineSize).level)
        total += level;
    return total;
}

TEST(NoteGlyphs, EveryDigitWholeAntiAliasedAndDistinctAtEveryCellSize) {
    GlyphCoverage coverage;
    for (int cellSize = 20; cellSize <= 208; ++cellSize) {
        SCOPED_TRACE(cellSize);
        const NoteGlyphs glyphs = makeNoteGlyphs(coverage, cellSize);
        const int box = glyphs.boxSize;
        for (int j = 0; j < 3; ++j) ASSERT_LE(box, glyphs.thirdEdge[j + 1] - glyphs.thirdEdge[j]);
        ASSERT_GE(glyphs.thirdEdge[0], 1);
        ASSERT_LE(glyphs.thirdEdge[3], cellSize - 1);
        const std::size_t area = static_cast<std::size_t>(box) * box;
        for (int d = 1; d <= 9; ++d) {
            SCOPED_TRACE(d);
            const std::uint8_t* levels = glyphs.coverage.data() + (d - 1) * 3 * area;
            long covered = 0;
            bool partial = false;
            for (std::size_t i = 0; i < area; ++i) {
                covered += levels[3 * i];
                partial |= levels[3 * i] > 0 && levels[3 * i] < 64;
            }
            EXPECT_TRUE(partial) << "anti-aliased";
            // Nothing of the digit is cut off by its square.
            EXPECT_EQ(covered, wholeGlyphSubsamples(coverage, d, glyphs.outlineSize));
            for (int e = 1; e < d; ++e)
                EXPECT_NE(
                    std::memcmp(levels, glyphs.coverage.data() + (e - 1) * 3 * area, 3 * area), 0)
                    << "digits " << e << " and " << d << " look alike";
        }
    }
}

// One empty tile of cellSize pixels on the given ground, with its bytes around it in a larger
// buffer so that a write outside the tile shows.
struct TileBuffer {
    int cellSize;
    int stride;
    std::vector<std::uint8_t> bytes;
    TileBuffer(int size, BgrColour ground)
        : cellSize(size), stride(3 * (size + 2)),
          bytes(static_cast<std::size_t>(stride) * (size + 2), 0x5A) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) std::memcpy(&bytes[at(x, y)], &ground, 3);
    }
    // Byte index of pixel (x, y) of the tile; -1 and cellSize reach the bytes around it.
    std::size_t at(int x, int y) const {
        return static_cast<std::size_t>((y + 1) * stride + 3 * (x + 1));
    }
    std::uint8_t* tile() { return bytes.data() + at(0, 0); }
};

bool isColour(const std::uint8_t* pixel, BgrColour colour) {
    return pixel[0] == colour.blue && pixel[1] == colour.green && pixel[2] == colour.red;
}

TEST(NoteGlyphs, EachNoteInItsThirdInItsColourAndNoNotesTouchNothing) {
    GlyphCoverage coverage;
    for (const int cellSize : {52, 208}) {
        const NoteGlyphs glyphs = makeNoteGlyphs(coverage, cellSize);
        for (const BgrColour ground : {ColourPaper, ColourHover}) {
            const TileBuffer plain(cellSize, ground);
            TileBuffer none = plain;
            paintNotes(glyphs, 0, 5, none.tile(), none.stride);
            EXPECT_EQ(none.bytes, plain.bytes) << "a cell without notes is not touched";

            for (int d = 1; d <= 9; ++d) {
                SCOPED_TRACE(testing::Message() << "size " << cellSize << " digit " << d);
                for (const std::uint8_t selected : {std::uint8_t{0xFF}, std::uint8_t(d)}) {
                    const BgrColour colour = selected == d ? ColourMatch : ColourNote;
                    TileBuffer painted = plain;
                    paintNotes(glyphs, digitMaskTable[d], selected, painted.tile(), painted.stride);
                    const int column = (d - 1) % 3;
                    const int row = (d - 1) / 3;
                    int changed = 0;
                    int full = 0;
                    for (int y = -1; y <= cellSize; ++y) {
                        for (int x = -1; x <= cellSize; ++x) {
                            const std::uint8_t* p = &painted.bytes[painted.at(x, y)];
                            if (std::memcmp(p, &plain.bytes[plain.at(x, y)], 3) == 0) continue;
                            ++changed;
                            full += isColour(p, colour);
                            EXPECT_TRUE(x >= glyphs.thirdEdge[column] &&
                                        x < glyphs.thirdEdge[column + 1] &&
                                        y >= glyphs.thirdEdge[row] && y < glyphs.thirdEdge[row + 1])
                                << "pixel " << x << "," << y << " outside the third";
                        }
                    }
                    EXPECT_GT(changed, 0);
                    // At 208 the strokes are several pixels wide: their cores are the colour.
                    if (cellSize == 208) {
                        EXPECT_GT(full, 0);
                    }
                }
            }
        }
    }
}

// A note tile made from nothing is the strip's empty tile with the notes over it.
TEST(NoteGlyphs, NoteTileStartsFromTheStripsEmptyTile) {
    GlyphCoverage coverage;
    const int cellSize = 49;
    const int stripStride = tileAtlasStride(cellSize);
    std::vector<std::uint8_t> strip(static_cast<std::size_t>(stripStride) * cellSize);
    buildTiles(coverage, cellSize, stripStride, strip.data());
    const NoteGlyphs glyphs = makeNoteGlyphs(coverage, cellSize);
    for (const bool hovered : {false, true}) {
        TileBuffer fromStrip(cellSize, ColourGiven);
        for (int y = 0; y < cellSize; ++y)
            std::memcpy(&fromStrip.bytes[fromStrip.at(0, y)],
                        &strip[y * stripStride + 3 * cellSize * (hovered ? 73 : 72)], 3 * cellSize);
        paintNotes(glyphs, 0x1FF, 5, fromStrip.tile(), fromStrip.stride);
        TileBuffer made(cellSize, ColourGiven);
        paintNoteTile(glyphs, 0x1FF, 5, hovered, made.tile(), made.stride);
        EXPECT_EQ(made.bytes, fromStrip.bytes) << "hovered " << hovered;
    }
}

TEST(NoteGlyphs, NoteGreyStandsApartFromTheDigitColours) {
    auto distance = [](BgrColour a, BgrColour b) {
        return std::abs(a.blue - b.blue) + std::abs(a.green - b.green) + std::abs(a.red - b.red);
    };
    for (const BgrColour other : {ColourGiven, ColourEntered, ColourMatch, ColourPaper})
        EXPECT_GE(distance(ColourNote, other), 64);
}

} // namespace
} // namespace korvani
