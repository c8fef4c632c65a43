// The tile atlas: palette, tile table, tile selection and the painting of the 74-tile strip.
// The strip is painted from one coverage map per glyph: every tile that shows a glyph reads the
// same 65-level coverage that the rasteriser's own paint operations would count from its mask,
// so the pixels equal those of painting each tile glyph by glyph, only without rasterising the
// same glyph again for every tile that shows it.
#include "render/tile_atlas.h"

#include <algorithm>
#include <cstdlib>
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

// The working buffer of one build: a coverage map (cellSize^2 levels 0..64) for every glyph
// that the table uses, the covered pixel range of each map row, and the edge lists of the fill.
struct BuildScratch {
    std::uint8_t* coverage[glyphCount];
    std::int32_t* rowFirst[glyphCount];
    std::int32_t* rowLast[glyphCount];
    std::int32_t* edgeOrder;  // one glyph's edges by scaled top
    std::int32_t* activeEdge; // edges crossing the current scanline, by edge index
};

bool tableUsesGlyph(int glyph) {
    for (int t = 0; t < tileCount; ++t)
        if (tileBaseGlyph[t] == glyph || tileOverlayGlyph[t] == glyph) return true;
    return false;
}

// Adds subsample columns left..right of one subsample row to the coverage of their pixels.
void addSpan(std::uint8_t* coverageRow, int left, int right) {
    const int firstPixel = left >> 3;
    const int lastPixel = right >> 3;
    if (firstPixel == lastPixel) {
        coverageRow[firstPixel] =
            static_cast<std::uint8_t>(coverageRow[firstPixel] + right - left + 1);
        return;
    }
    coverageRow[firstPixel] = static_cast<std::uint8_t>(coverageRow[firstPixel] + 8 - (left & 7));
    for (int p = firstPixel + 1; p < lastPixel; ++p)
        coverageRow[p] = static_cast<std::uint8_t>(coverageRow[p] + 8);
    coverageRow[lastPixel] = static_cast<std::uint8_t>(coverageRow[lastPixel] + (right & 7) + 1);
}

// The rasteriser's spans, counted straight into pixel coverage. Only the edges that reach the
// scanline are offered (they enter in order of their top and leave at their bottom), kept in
// stored order, so the crossings, their order and the spans are the same as when every edge is
// tested.
void computeCoverage(GlyphRasterizer& r, const BuildScratch& s, int glyph, int cellSize) {
    std::uint8_t* coverage = s.coverage[glyph];
    std::int32_t* rowFirst = s.rowFirst[glyph];
    std::int32_t* rowLast = s.rowLast[glyph];
    std::memset(coverage, 0, static_cast<std::size_t>(cellSize) * cellSize);
    for (int py = 0; py < cellSize; ++py) {
        rowFirst[py] = cellSize;
        rowLast[py] = -1;
    }

    const std::int32_t first = glyphFirstEdge[glyph];
    const int edgeCount = glyphFirstEdge[glyph + 1] - first;
    for (int n = 0; n < edgeCount; ++n) s.edgeOrder[n] = first + n;
    std::sort(s.edgeOrder, s.edgeOrder + edgeCount, [&r](std::int32_t a, std::int32_t b) {
        return r.scaledTop[a] != r.scaledTop[b] ? r.scaledTop[a] < r.scaledTop[b] : a < b;
    });

    CoveredSpan spans[spanCapacity];
    int nextEdge = 0;
    int activeCount = 0;
    for (int k = 0; k < cellSize * 8; ++k) {
        const std::int32_t y = scanlineY(k);
        // Drop the edges that end at or above this scanline.
        int kept = 0;
        for (int a = 0; a < activeCount; ++a)
            if (r.scaledBottom[s.activeEdge[a]] > y) s.activeEdge[kept++] = s.activeEdge[a];
        activeCount = kept;
        // Take in the edges that begin at or above it.
        while (nextEdge < edgeCount && r.scaledTop[s.edgeOrder[nextEdge]] <= y) {
            const std::int32_t e = s.edgeOrder[nextEdge++];
            if (r.scaledBottom[e] <= y) continue;
            int at = activeCount++;
            while (at > 0 && s.activeEdge[at - 1] > e) {
                s.activeEdge[at] = s.activeEdge[at - 1];
                --at;
            }
            s.activeEdge[at] = e;
        }
        if (activeCount == 0) {
            if (nextEdge == edgeCount) break;
            continue;
        }

        const int spanCount = scanlineSpans(r, s.activeEdge, activeCount, y, cellSize * 8, spans);
        const int py = k >> 3;
        std::uint8_t* coverageRow = coverage + static_cast<std::size_t>(py) * cellSize;
        for (int n = 0; n < spanCount; ++n) {
            addSpan(coverageRow, spans[n].left, spans[n].right);
            rowFirst[py] = std::min(rowFirst[py], spans[n].left >> 3);
            rowLast[py] = std::max(rowLast[py], spans[n].right >> 3);
        }
    }
}

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

void paintBase(const BuildScratch& s, std::uint8_t* tile, int stride, int cellSize, int t) {
    const BgrColour ground = *tileGroundColour[t];
    const int glyph = tileBaseGlyph[t];
    if (glyph == NoGlyph) {
        for (int px = 0; px < cellSize; ++px) std::memcpy(tile + 3 * px, &ground, 3);
        for (int py = 1; py < cellSize; ++py)
            std::memcpy(tile + static_cast<std::size_t>(py) * stride, tile,
                        static_cast<std::size_t>(cellSize) * 3);
        return;
    }
    BlendTable blend;
    makeBlendTable(blend, *tileBaseColour[t], ground);
    for (int py = 0; py < cellSize; ++py) {
        std::uint8_t* row = tile + static_cast<std::size_t>(py) * stride;
        const std::uint8_t* coverageRow =
            s.coverage[glyph] + static_cast<std::size_t>(py) * cellSize;
        const int first = s.rowFirst[glyph][py];
        const int last = s.rowLast[glyph][py];
        for (int px = 0; px < first; ++px) std::memcpy(row + 3 * px, &ground, 3);
        for (int px = first; px <= last; ++px)
            std::memcpy(row + 3 * px, blend.bgr[coverageRow[px]], 3);
        for (int px = std::max(first, last + 1); px < cellSize; ++px)
            std::memcpy(row + 3 * px, &ground, 3);
    }
}

void paintOverlay(const BuildScratch& s, std::uint8_t* tile, int stride, int cellSize, int t) {
    const int glyph = tileOverlayGlyph[t];
    if (glyph == NoGlyph) return;
    const BgrColour colour = *tileOverlayColour[t];
    const int bgr[3] = {colour.blue, colour.green, colour.red};
    for (int py = 0; py < cellSize; ++py) {
        std::uint8_t* row = tile + static_cast<std::size_t>(py) * stride;
        const std::uint8_t* coverageRow =
            s.coverage[glyph] + static_cast<std::size_t>(py) * cellSize;
        const int last = s.rowLast[glyph][py];
        for (int px = s.rowFirst[glyph][py]; px <= last; ++px) {
            const int c = coverageRow[px];
            if (c == 0) continue;
            std::uint8_t* pixel = row + 3 * px;
            for (int ch = 0; ch < 3; ++ch)
                pixel[ch] = static_cast<std::uint8_t>((pixel[ch] * (64 - c) + bgr[ch] * c) >> 6);
        }
    }
}

} // namespace

bool buildTiles(GlyphRasterizer& rasterizer, int cellSize, int stride, std::uint8_t* pixels) {
    scaleOutlines(rasterizer, cellSize);
    if (cellSize <= 0) return true;

    int usedGlyphs = 0;
    bool used[glyphCount] = {};
    for (int g = 0; g < glyphCount; ++g)
        if (tableUsesGlyph(g)) {
            used[g] = true;
            ++usedGlyphs;
        }
    int maxEdges = 0;
    for (int g = 0; g < glyphCount; ++g)
        maxEdges = std::max(maxEdges, glyphFirstEdge[g + 1] - glyphFirstEdge[g]);

    const std::size_t area = static_cast<std::size_t>(cellSize) * cellSize;
    const std::size_t rowsBytes = static_cast<std::size_t>(cellSize) * sizeof(std::int32_t);
    const std::size_t edgeBytes = static_cast<std::size_t>(maxEdges) * sizeof(std::int32_t);
    const std::size_t total = 2 * edgeBytes + usedGlyphs * (2 * rowsBytes + area);
    auto* buffer = static_cast<std::uint8_t*>(std::malloc(total));
    if (!buffer) return false;

    // The 32-bit lists first, the byte maps after them, so every list stays aligned.
    BuildScratch scratch = {};
    auto* words = reinterpret_cast<std::int32_t*>(buffer);
    scratch.edgeOrder = words;
    scratch.activeEdge = words + maxEdges;
    words += 2 * maxEdges;
    std::uint8_t* bytes = buffer + 2 * edgeBytes + usedGlyphs * 2 * rowsBytes;
    for (int g = 0; g < glyphCount; ++g) {
        if (!used[g]) continue;
        scratch.rowFirst[g] = words;
        scratch.rowLast[g] = words + cellSize;
        words += 2 * cellSize;
        scratch.coverage[g] = bytes;
        bytes += area;
    }
    for (int g = 0; g < glyphCount; ++g)
        if (used[g]) computeCoverage(rasterizer, scratch, g, cellSize);

    for (int t = 0; t < tileCount; ++t) {
        std::uint8_t* tile = pixels + static_cast<std::size_t>(3) * cellSize * t;
        paintBase(scratch, tile, stride, cellSize, t);
        paintOverlay(scratch, tile, stride, cellSize, t);
    }
    std::free(buffer);
    return true;
}

} // namespace korvani
