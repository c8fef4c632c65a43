// The glyph rasteriser: scaling of the outline set, the scanline fill into a subsample mask and
// the coverage blend into a tile, exactly as the tiles are defined (integer arithmetic only).
#include "render/glyph_rasterizer.h"

#include <cstdlib>
#include <cstring>

namespace korvani {

namespace {

constexpr int crossingCapacity = 32;

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

// Collects the crossings of one scanline in ascending x; equal x keep the order of the edges.
void collectCrossings(GlyphRasterizer& r, int glyph, std::int32_t y) {
    r.crossingCount = 0;
    for (std::int32_t i = glyphFirstEdge[glyph]; i < glyphFirstEdge[glyph + 1]; ++i) {
        if (y < r.scaledTop[i] || y >= r.scaledBottom[i]) continue;
        const std::int64_t dy = static_cast<std::int64_t>(y) - r.scaledTop[i];
        const auto x = static_cast<std::int32_t>(r.scaledXAtTop[i] + ((dy * edgeSlope[i]) >> 12));
        // The outline data stays far below the capacity; a crossing beyond it is dropped
        // rather than written past the scratch arrays.
        if (r.crossingCount == crossingCapacity) continue;
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

// Clears the mask, fills the glyph and returns nothing; coverage is read by the callers.
void rasterizeForTile(GlyphRasterizer& r, int glyph, std::uint8_t* mask, int cellSize) {
    std::memset(mask, 0, static_cast<std::size_t>(cellSize) * cellSize * 8);
    rasterizeGlyph(r, glyph, cellSize * 8, cellSize * 8, cellSize, mask);
}

int pixelCoverage(const std::uint8_t* mask, int cellSize, int px, int py) {
    const std::uint8_t* byte = mask + static_cast<std::size_t>(py) * 8 * cellSize + px;
    int c = 0;
    for (int k = 0; k < 8; ++k) c += bitCount.count[byte[static_cast<std::size_t>(k) * cellSize]];
    return c;
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

void rasterizeGlyph(GlyphRasterizer& rasterizer, int glyph, int maskWidth, int maskHeight,
                    int maskStride, std::uint8_t* mask) {
    for (int k = 0; k < maskHeight; ++k) {
        collectCrossings(rasterizer, glyph, 4096 * k + 2048);
        std::uint8_t* row = mask + static_cast<std::size_t>(k) * maskStride;
        int sum = 0;
        int spanStart = 0;
        for (int j = 0; j < rasterizer.crossingCount; ++j) {
            sum += rasterizer.crossingWinding[j];
            if (sum != 0) continue;
            // A subsample belongs to the span when its centre lies on or between the crossings.
            int left = (rasterizer.crossingX[spanStart] + 2047) >> 12;
            int right = (rasterizer.crossingX[j] - 2048) >> 12;
            if (left < 0) left = 0;
            if (right > maskWidth - 1) right = maskWidth - 1;
            spanStart = j + 1;
            if (left <= right) fillSpan(row, left, right);
        }
    }
}

void paintGlyphOverColour(GlyphRasterizer& rasterizer, int glyph, std::uint8_t* mask,
                          std::uint8_t* tile, int stride, int cellSize, BgrColour glyphColour,
                          BgrColour groundColour) {
    if (cellSize <= 0) return;
    rasterizeForTile(rasterizer, glyph, mask, cellSize);
    const int glyphBgr[3] = {glyphColour.blue, glyphColour.green, glyphColour.red};
    const int groundBgr[3] = {groundColour.blue, groundColour.green, groundColour.red};
    for (int py = 0; py < cellSize; ++py) {
        std::uint8_t* pixel = tile + static_cast<std::size_t>(py) * stride;
        for (int px = 0; px < cellSize; ++px, pixel += 3) {
            const int c = pixelCoverage(mask, cellSize, px, py);
            for (int ch = 0; ch < 3; ++ch)
                pixel[ch] =
                    static_cast<std::uint8_t>((glyphBgr[ch] * c + groundBgr[ch] * (64 - c)) >> 6);
        }
    }
}

void paintGlyphOverTile(GlyphRasterizer& rasterizer, int glyph, std::uint8_t* mask,
                        std::uint8_t* tile, int stride, int cellSize, BgrColour glyphColour) {
    if (cellSize <= 0) return;
    rasterizeForTile(rasterizer, glyph, mask, cellSize);
    const int glyphBgr[3] = {glyphColour.blue, glyphColour.green, glyphColour.red};
    for (int py = 0; py < cellSize; ++py) {
        std::uint8_t* pixel = tile + static_cast<std::size_t>(py) * stride;
        for (int px = 0; px < cellSize; ++px, pixel += 3) {
            const int c = pixelCoverage(mask, cellSize, px, py);
            for (int ch = 0; ch < 3; ++ch)
                pixel[ch] =
                    static_cast<std::uint8_t>((pixel[ch] * (64 - c) + glyphBgr[ch] * c) >> 6);
        }
    }
}

} // namespace korvani
