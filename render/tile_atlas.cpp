// The tile atlas: palette, tile table, tile selection and the painting of the 74-tile strip.
// The strip is painted from the one coverage map of each glyph at the cell size, which every
// tile that shows the glyph reads.
#include "render/tile_atlas.h"

#include "render/glyph_outlines.h"

#include <algorithm>
#include <cstring>

namespace korvani {

const BgrColour ColourPaper = {0xFF, 0xFF, 0xFF};
const BgrColour ColourHover = {0xB0, 0xE4, 0xEF};
const BgrColour ColourGiven = {0x26, 0x26, 0x26};
const BgrColour ColourEntered = {0x80, 0x80, 0x80};
const BgrColour ColourMatch = {0x26, 0x26, 0xFF};

// Tiles in groups of nine, digit 1 first (glyph 11 - d is digit d): given digits, the player's
// digits, both again inside the match frame; the same 36 on the hover ground; then the two
// empty cells.
#define KORVANI_DIGIT_GLYPHS 10, 9, 8, 7, 6, 5, 4, 3, 2
#define KORVANI_NINE(x) x, x, x, x, x, x, x, x, x

const std::uint8_t tileBaseGlyph[tileCount] = {KORVANI_DIGIT_GLYPHS,
                                               KORVANI_DIGIT_GLYPHS,
                                               KORVANI_DIGIT_GLYPHS,
                                               KORVANI_DIGIT_GLYPHS,
                                               KORVANI_DIGIT_GLYPHS,
                                               KORVANI_DIGIT_GLYPHS,
                                               KORVANI_DIGIT_GLYPHS,
                                               KORVANI_DIGIT_GLYPHS,
                                               NoGlyph,
                                               NoGlyph};

const std::uint8_t tileOverlayGlyph[tileCount] = {KORVANI_NINE(NoGlyph),
                                                  KORVANI_NINE(NoGlyph),
                                                  KORVANI_NINE(GlyphDottedFrame),
                                                  KORVANI_NINE(GlyphDottedFrame),
                                                  KORVANI_NINE(NoGlyph),
                                                  KORVANI_NINE(NoGlyph),
                                                  KORVANI_NINE(GlyphDottedFrame),
                                                  KORVANI_NINE(GlyphDottedFrame),
                                                  NoGlyph,
                                                  NoGlyph};

const BgrColour* const tileGroundColour[tileCount] = {KORVANI_NINE(&ColourPaper),
                                                      KORVANI_NINE(&ColourPaper),
                                                      KORVANI_NINE(&ColourPaper),
                                                      KORVANI_NINE(&ColourPaper),
                                                      KORVANI_NINE(&ColourHover),
                                                      KORVANI_NINE(&ColourHover),
                                                      KORVANI_NINE(&ColourHover),
                                                      KORVANI_NINE(&ColourHover),
                                                      &ColourPaper,
                                                      &ColourHover};

const BgrColour* const tileBaseColour[tileCount] = {KORVANI_NINE(&ColourGiven),
                                                    KORVANI_NINE(&ColourEntered),
                                                    KORVANI_NINE(&ColourGiven),
                                                    KORVANI_NINE(&ColourEntered),
                                                    KORVANI_NINE(&ColourGiven),
                                                    KORVANI_NINE(&ColourEntered),
                                                    KORVANI_NINE(&ColourGiven),
                                                    KORVANI_NINE(&ColourEntered),
                                                    nullptr,
                                                    nullptr};

const BgrColour* const tileOverlayColour[tileCount] = {KORVANI_NINE(nullptr),
                                                       KORVANI_NINE(nullptr),
                                                       KORVANI_NINE(&ColourMatch),
                                                       KORVANI_NINE(&ColourMatch),
                                                       KORVANI_NINE(nullptr),
                                                       KORVANI_NINE(nullptr),
                                                       KORVANI_NINE(&ColourMatch),
                                                       KORVANI_NINE(&ColourMatch),
                                                       nullptr,
                                                       nullptr};

#undef KORVANI_NINE
#undef KORVANI_DIGIT_GLYPHS

int tileAtlasStride(int cellSize) {
    return (cellSize * 222 + 3) & ~3;
}

int tileForCell(std::uint8_t given, std::uint8_t entered, std::uint8_t selectedDigit,
                bool hovered) {
    // Anything but 1..9 counts as no digit, so a stray value can never pick a tile outside
    // the strip.
    const bool hasGiven = given >= 1 && given <= 9;
    const bool hasEntered = entered >= 1 && entered <= 9;
    int index;
    if (hasGiven) {
        index = given == selectedDigit ? given + 17 : given - 1;
    } else if (hasEntered) {
        index = entered == selectedDigit ? entered + 26 : entered + 8;
    } else {
        return hovered ? 73 : 72;
    }
    return hovered ? index + 36 : index;
}

namespace {

struct BlendTable {
    std::uint8_t bgr[65][3];
};

// The colour of each coverage level: glyphColour over groundColour.
void makeBlendTable(BlendTable& table, BgrColour glyph, BgrColour ground) {
    const int g[3] = {glyph.blue, glyph.green, glyph.red};
    const int b[3] = {ground.blue, ground.green, ground.red};
    for (int c = 0; c <= 64; ++c)
        for (int ch = 0; ch < 3; ++ch)
            table.bgr[c][ch] = static_cast<std::uint8_t>((g[ch] * c + b[ch] * (64 - c)) >> 6);
}

// The table names the light colours; a theme puts its own in their place.
BgrColour themed(const Palette& palette, const BgrColour* entry) {
    if (entry == &ColourPaper) return palette.cellPaper;
    if (entry == &ColourHover) return palette.cellHover;
    if (entry == &ColourGiven) return palette.givenInk;
    if (entry == &ColourEntered) return palette.enteredInk;
    if (entry == &ColourMatch) return palette.matchFrame;
    return *entry;
}

void paintBase(GlyphCoverage& coverage, std::uint8_t* tile, int stride, int cellSize, int t,
               const Palette& palette) {
    const BgrColour ground = themed(palette, tileGroundColour[t]);
    const int glyph = tileBaseGlyph[t];
    if (glyph == NoGlyph) {
        for (int px = 0; px < cellSize; ++px) std::memcpy(tile + 3 * px, &ground, 3);
        for (int py = 1; py < cellSize; ++py)
            std::memcpy(tile + static_cast<std::size_t>(py) * stride, tile,
                        static_cast<std::size_t>(cellSize) * 3);
        return;
    }
    const CoverageMap& map = coverage.of(glyph, cellSize);
    BlendTable blend;
    makeBlendTable(blend, themed(palette, tileBaseColour[t]), ground);
    for (int py = 0; py < cellSize; ++py) {
        std::uint8_t* row = tile + static_cast<std::size_t>(py) * stride;
        const std::uint8_t* coverageRow = &map.level[static_cast<std::size_t>(py) * cellSize];
        const int first = map.rowFirst[py];
        const int last = map.rowLast[py];
        for (int px = 0; px < first; ++px) std::memcpy(row + 3 * px, &ground, 3);
        for (int px = first; px <= last; ++px)
            std::memcpy(row + 3 * px, blend.bgr[coverageRow[px]], 3);
        for (int px = std::max(first, last + 1); px < cellSize; ++px)
            std::memcpy(row + 3 * px, &ground, 3);
    }
}

void paintOverlay(GlyphCoverage& coverage, std::uint8_t* tile, int stride, int cellSize, int t,
                  const Palette& palette) {
    const int glyph = tileOverlayGlyph[t];
    if (glyph == NoGlyph) return;
    const CoverageMap& map = coverage.of(glyph, cellSize);
    const BgrColour colour = themed(palette, tileOverlayColour[t]);
    const int bgr[3] = {colour.blue, colour.green, colour.red};
    for (int py = 0; py < cellSize; ++py) {
        std::uint8_t* row = tile + static_cast<std::size_t>(py) * stride;
        const std::uint8_t* coverageRow = &map.level[static_cast<std::size_t>(py) * cellSize];
        const int last = map.rowLast[py];
        for (int px = map.rowFirst[py]; px <= last; ++px) {
            const int c = coverageRow[px];
            if (c == 0) continue;
            std::uint8_t* pixel = row + 3 * px;
            for (int ch = 0; ch < 3; ++ch)
                pixel[ch] = static_cast<std::uint8_t>((pixel[ch] * (64 - c) + bgr[ch] * c) >> 6);
        }
    }
}

} // namespace

void buildTiles(GlyphCoverage& coverage, int cellSize, int stride, std::uint8_t* pixels,
                const Palette& palette) {
    if (cellSize <= 0) return;
    for (int t = 0; t < tileCount; ++t) {
        std::uint8_t* tile = pixels + static_cast<std::size_t>(3) * cellSize * t;
        paintBase(coverage, tile, stride, cellSize, t, palette);
        paintOverlay(coverage, tile, stride, cellSize, t, palette);
    }
}

} // namespace korvani
