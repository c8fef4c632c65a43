// The glyph rasteriser: scaling of the outline set, the straightforward fill into a subsample
// mask and the coverage blend into a tile. The span producer that every fill goes through is
// inline in glyph_rasterizer.h, below the rules they all keep.
#include "render/glyph_rasterizer.h"

#include "core/grid.h"

#include <cstdlib>
#include <cstring>

namespace korvani {

namespace {

std::int32_t scaleCoordinate(std::int64_t scale, std::int32_t value) {
    return static_cast<std::int32_t>((scale * value) >> 12);
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
    std::uint64_t bits = 0; // the eight mask bytes of the pixel side by side
    for (int k = 0; k < 8; ++k) bits = bits << 8 | byte[static_cast<std::size_t>(k) * cellSize];
    return bitCount64(bits);
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

void rasterizeGlyph(GlyphRasterizer& rasterizer, int glyph, int maskWidth, int maskHeight,
                    int maskStride, std::uint8_t* mask) {
    // No active-edge list here: every edge of the glyph is tested on every scanline. Edges
    // beyond the capacity would be dropped by the producer anyway, in the same order.
    std::int32_t reaching[crossingCapacity];
    CoveredSpan spans[spanCapacity];
    for (int k = 0; k < maskHeight; ++k) {
        const std::int32_t y = scanlineY(k);
        int reachingCount = 0;
        for (std::int32_t i = glyphFirstEdge[glyph]; i < glyphFirstEdge[glyph + 1]; ++i)
            if (rasterizer.scaledTop[i] <= y && y < rasterizer.scaledBottom[i] &&
                reachingCount < crossingCapacity)
                reaching[reachingCount++] = i;
        const int spanCount =
            scanlineSpans(rasterizer, reaching, reachingCount, y, maskWidth, spans);
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
