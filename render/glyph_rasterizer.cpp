// The glyph rasteriser: scaling of the outline set, the span producer that every fill goes
// through, the straightforward fill into a subsample mask and the coverage blend into a tile.
// The rules they keep are listed at the top of glyph_rasterizer.h.
#include "render/glyph_rasterizer.h"

#include <cstdlib>
#include <cstring>

namespace korvani {

namespace {

struct BitCountTable {
    std::uint8_t count[256];
    constexpr BitCountTable() : count() {
        for (int v = 0; v < 256; ++v) {
            int n = 0;
            for (int b = v; b != 0; b >>= 1) n += b & 1;
            count[v] = static_cast<std::uint8_t>(n);
        }
    }
};
constexpr BitCountTable bitCount;

std::int32_t scaleCoordinate(std::int64_t scale, std::int32_t value) {
    return static_cast<std::int32_t>((scale * value) >> 12);
}

// Every edge index in stored order: a glyph's whole edge list is the slice from its first edge.
struct StoredOrder {
    std::int32_t edge[glyphEdgeTotal];
    constexpr StoredOrder() : edge() {
        for (int i = 0; i < glyphEdgeTotal; ++i) edge[i] = i;
    }
};
constexpr StoredOrder storedOrder;

// Collects the crossings of scanline y in ascending x; equal x keep the order of the edges.
void collectCrossings(GlyphRasterizer& r, const std::int32_t* edges, int edgeCount,
                      std::int32_t y) {
    r.crossingCount = 0;
    for (int n = 0; n < edgeCount; ++n) {
        const std::int32_t i = edges[n];
        if (y < r.scaledTop[i] || y >= r.scaledBottom[i]) continue;
        const std::int64_t dy = static_cast<std::int64_t>(y) - r.scaledTop[i];
        const auto x = static_cast<std::int32_t>(r.scaledXAtTop[i] + ((dy * edgeSlope[i]) >> 12));
        if (r.crossingCount == crossingCapacity) continue; // never with the outline set
        int j = r.crossingCount;
        while (j > 0 && r.crossingX[j - 1] > x) {
            r.crossingX[j] = r.crossingX[j - 1];
            r.crossingWinding[j] = r.crossingWinding[j - 1];
            --j;
        }
        r.crossingX[j] = x;
        r.crossingWinding[j] = edgeWinding[i];
        ++r.crossingCount;
    }
}

// The non-zero spans of the collected crossings, clamped to the row and made disjoint.
int spansOfCrossings(const GlyphRasterizer& r, int maskWidth, CoveredSpan* spans) {
    int count = 0;
    int sum = 0;
    int spanStart = 0;
    std::int32_t lastRight = -1;
    for (int j = 0; j < r.crossingCount; ++j) {
        sum += r.crossingWinding[j];
        if (sum != 0) continue;
        // The first and last columns whose centres lie on or between the two crossings.
        std::int32_t left = (r.crossingX[spanStart] + 2047) >> 12;
        std::int32_t right = (r.crossingX[j] - 2048) >> 12;
        spanStart = j + 1;
        if (left < 0) left = 0;
        if (right > maskWidth - 1) right = maskWidth - 1;
        if (left <= lastRight) left = lastRight + 1;
        if (left > right) continue;
        spans[count++] = {left, right};
        lastRight = right;
    }
    return count;
}

// Sets columns left..right of one mask row, the whole bytes between the ends as one block.
void fillSpan(std::uint8_t* row, int left, int right) {
    const int leftByte = left >> 3;
    const int rightByte = right >> 3;
    const auto leftMask = static_cast<std::uint8_t>(0xFF >> (left & 7));
    const auto rightMask = static_cast<std::uint8_t>(0xFF << (7 - (right & 7)));
    if (leftByte == rightByte) {
        row[leftByte] |= static_cast<std::uint8_t>(leftMask & rightMask);
        return;
    }
    row[leftByte] |= leftMask;
    if (rightByte - leftByte > 1) std::memset(row + leftByte + 1, 0xFF, rightByte - leftByte - 1);
    row[rightByte] |= rightMask;
}

int pixelCoverage(const std::uint8_t* mask, int cellSize, int px, int py) {
    const std::uint8_t* byte = mask + static_cast<std::size_t>(py) * 8 * cellSize + px;
    int c = 0;
    for (int k = 0; k < 8; ++k) c += bitCount.count[byte[static_cast<std::size_t>(k) * cellSize]];
    return c;
}

// Fills the glyph into the cleared mask and hands every pixel of the tile, with its coverage,
// to blend.
template <class Blend>
void paintByCoverage(GlyphRasterizer& r, int glyph, std::uint8_t* mask, std::uint8_t* tile,
                     int stride, int cellSize, Blend blend) {
    if (cellSize <= 0) return;
    std::memset(mask, 0, static_cast<std::size_t>(cellSize) * cellSize * 8);
    rasterizeGlyph(r, glyph, cellSize * 8, cellSize * 8, cellSize, mask);
    for (int py = 0; py < cellSize; ++py) {
        std::uint8_t* pixel = tile + static_cast<std::size_t>(py) * stride;
        for (int px = 0; px < cellSize; ++px, pixel += 3)
            blend(pixel, pixelCoverage(mask, cellSize, px, py));
    }
}

} // namespace

GlyphRasterizer* createGlyphRasterizer() {
    auto* r = static_cast<GlyphRasterizer*>(std::calloc(1, sizeof(GlyphRasterizer)));
    if (!r) return nullptr;
    r->scaledTop = static_cast<std::int32_t*>(std::calloc(glyphEdgeTotal, sizeof(std::int32_t)));
    r->scaledBottom = static_cast<std::int32_t*>(std::calloc(glyphEdgeTotal, sizeof(std::int32_t)));
    r->scaledXAtTop = static_cast<std::int32_t*>(std::calloc(glyphEdgeTotal, sizeof(std::int32_t)));
    if (!r->scaledTop || !r->scaledBottom || !r->scaledXAtTop) {
        destroyGlyphRasterizer(r);
        return nullptr;
    }
    return r;
}

void destroyGlyphRasterizer(GlyphRasterizer* rasterizer) {
    if (!rasterizer) return;
    std::free(rasterizer->scaledTop);
    std::free(rasterizer->scaledBottom);
    std::free(rasterizer->scaledXAtTop);
    std::free(rasterizer);
}

void scaleOutlines(GlyphRasterizer& rasterizer, int cellSize) {
    // Subsamples per outline unit in 20.12, cut down to an integer: 1511 units span the cell.
    const auto scale =
        static_cast<std::int32_t>(static_cast<std::int64_t>(cellSize) * 32768 / 1511);
    for (int i = 0; i < glyphEdgeTotal; ++i) {
        rasterizer.scaledTop[i] = scaleCoordinate(scale, edgeTop[i]);
        rasterizer.scaledBottom[i] = scaleCoordinate(scale, edgeBottom[i]);
        rasterizer.scaledXAtTop[i] = scaleCoordinate(scale, edgeXAtTop[i]);
    }
}

int scanlineSpans(GlyphRasterizer& rasterizer, const std::int32_t* edges, int edgeCount,
                  std::int32_t y, int maskWidth, CoveredSpan* spans) {
    collectCrossings(rasterizer, edges, edgeCount, y);
    return spansOfCrossings(rasterizer, maskWidth, spans);
}

void rasterizeGlyph(GlyphRasterizer& rasterizer, int glyph, int maskWidth, int maskHeight,
                    int maskStride, std::uint8_t* mask) {
    // Every edge of the glyph on every scanline: no active-edge list here.
    const std::int32_t* edges = storedOrder.edge + glyphFirstEdge[glyph];
    const int edgeCount = glyphFirstEdge[glyph + 1] - glyphFirstEdge[glyph];
    CoveredSpan spans[spanCapacity];
    for (int k = 0; k < maskHeight; ++k) {
        const int spanCount =
            scanlineSpans(rasterizer, edges, edgeCount, scanlineY(k), maskWidth, spans);
        std::uint8_t* row = mask + static_cast<std::size_t>(k) * maskStride;
        for (int n = 0; n < spanCount; ++n) fillSpan(row, spans[n].left, spans[n].right);
    }
}

void paintGlyphOverColour(GlyphRasterizer& rasterizer, int glyph, std::uint8_t* mask,
                          std::uint8_t* tile, int stride, int cellSize, BgrColour glyphColour,
                          BgrColour groundColour) {
    const int glyphBgr[3] = {glyphColour.blue, glyphColour.green, glyphColour.red};
    const int groundBgr[3] = {groundColour.blue, groundColour.green, groundColour.red};
    paintByCoverage(
        rasterizer, glyph, mask, tile, stride, cellSize, [&](std::uint8_t* pixel, int c) {
            for (int ch = 0; ch < 3; ++ch)
                pixel[ch] =
                    static_cast<std::uint8_t>((glyphBgr[ch] * c + groundBgr[ch] * (64 - c)) >> 6);
        });
}

void paintGlyphOverTile(GlyphRasterizer& rasterizer, int glyph, std::uint8_t* mask,
                        std::uint8_t* tile, int stride, int cellSize, BgrColour glyphColour) {
    const int glyphBgr[3] = {glyphColour.blue, glyphColour.green, glyphColour.red};
    paintByCoverage(
        rasterizer, glyph, mask, tile, stride, cellSize, [&](std::uint8_t* pixel, int c) {
            for (int ch = 0; ch < 3; ++ch)
                pixel[ch] =
                    static_cast<std::uint8_t>((pixel[ch] * (64 - c) + glyphBgr[ch] * c) >> 6);
        });
}

} // namespace korvani
