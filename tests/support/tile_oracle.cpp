// The straightforward tile painting that the tests hold the real one to.
#include "tests/support/tile_oracle.h"

#include "render/glyph_outlines.h"
#include "render/tile_atlas.h"

#include <bit>

namespace korvani::oracle {

namespace {

constexpr Colour paper = {0xFF, 0xFF, 0xFF};
constexpr Colour hover = {0xB0, 0xE4, 0xEF};
constexpr Colour given = {0x26, 0x26, 0x26};
constexpr Colour entered = {0x80, 0x80, 0x80};
constexpr Colour match = {0x26, 0x26, 0xFF};

// The outline coordinates of every edge scaled to cellSize.
struct Scaled {
    std::vector<std::int32_t> top, bottom, xAtTop;
};

Scaled scale(int cellSize) {
    const std::int64_t s = cellSize * 32768 / 1511;
    Scaled out;
    for (int i = 0; i < glyphEdgeTotal; ++i) {
        out.top.push_back(static_cast<std::int32_t>((s * edgeTop[i]) >> 12));
        out.bottom.push_back(static_cast<std::int32_t>((s * edgeBottom[i]) >> 12));
        out.xAtTop.push_back(static_cast<std::int32_t>((s * edgeXAtTop[i]) >> 12));
    }
    return out;
}

// The subsample mask of one glyph: cellSize * 8 rows of cellSize bytes, set bit by bit.
std::vector<std::uint8_t> mask(const Scaled& scaled, int glyph, int cellSize) {
    const int width = cellSize * 8;
    std::vector<std::uint8_t> m(static_cast<std::size_t>(cellSize) * cellSize * 8, 0);
    for (int k = 0; k < cellSize * 8; ++k) {
        const std::int32_t y = 4096 * k + 2048;
        std::vector<std::int32_t> xs;
        std::vector<int> ws;
        for (int i = glyphFirstEdge[glyph]; i < glyphFirstEdge[glyph + 1]; ++i) {
            if (!(scaled.top[i] <= y && y < scaled.bottom[i])) continue;
            const std::int32_t x = static_cast<std::int32_t>(
                scaled.xAtTop[i] +
                ((static_cast<std::int64_t>(y - scaled.top[i]) * edgeSlope[i]) >> 12));
            std::size_t at = xs.size();
            while (at > 0 && xs[at - 1] > x) --at;
            xs.insert(xs.begin() + static_cast<std::ptrdiff_t>(at), x);
            ws.insert(ws.begin() + static_cast<std::ptrdiff_t>(at), edgeWinding[i]);
        }
        int sum = 0;
        std::size_t start = 0;
        for (std::size_t j = 0; j < xs.size(); ++j) {
            sum += ws[j];
            if (sum != 0) continue;
            int left = (xs[start] + 2047) >> 12;
            int right = (xs[j] - 2048) >> 12;
            start = j + 1;
            if (left < 0) left = 0;
            if (right > width - 1) right = width - 1;
            for (int c = left; c <= right; ++c)
                m[static_cast<std::size_t>(k) * cellSize + c / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (c % 8));
        }
    }
    return m;
}

void paint(const Scaled& scaled, int glyph, int cellSize, std::uint8_t* tile, int stride,
           Colour colour, const Colour* ground) {
    const std::vector<std::uint8_t> m = mask(scaled, glyph, cellSize);
    const int g[3] = {colour.blue, colour.green, colour.red};
    for (int py = 0; py < cellSize; ++py)
        for (int px = 0; px < cellSize; ++px) {
            int c = 0;
            for (int k = 0; k < 8; ++k)
                c += std::popcount(m[static_cast<std::size_t>(py * 8 + k) * cellSize + px]);
            std::uint8_t* pixel = tile + static_cast<std::size_t>(py) * stride + 3 * px;
            for (int ch = 0; ch < 3; ++ch) {
                if (ground) {
                    const int b[3] = {ground->blue, ground->green, ground->red};
                    pixel[ch] = static_cast<std::uint8_t>((g[ch] * c + b[ch] * (64 - c)) >> 6);
                } else {
                    pixel[ch] = static_cast<std::uint8_t>((pixel[ch] * (64 - c) + g[ch] * c) >> 6);
                }
            }
        }
}

} // namespace

Recipe recipeOf(int tile) {
    if (tile >= 72) return {tile == 72 ? paper : hover, -1, {}, -1, {}};
    const int group = (tile % 36) / 9; // given, entered, given framed, entered framed
    const int digit = tile % 9 + 1;
    Recipe r;
    r.ground = tile >= 36 ? hover : paper;
    r.baseGlyph = 11 - digit;
    r.baseColour = group % 2 == 0 ? given : entered;
    r.overlayGlyph = group >= 2 ? 0 : -1;
    r.overlayColour = match;
    return r;
}

std::vector<std::uint8_t> strip(int cellSize, std::uint8_t filler) {
    const int stride = tileAtlasStride(cellSize);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(stride) * cellSize, filler);
    const Scaled scaled = scale(cellSize);
    for (int t = 0; t < 74; ++t) {
        const Recipe r = recipeOf(t);
        std::uint8_t* tile = out.data() + static_cast<std::size_t>(3) * cellSize * t;
        if (r.baseGlyph >= 0) {
            paint(scaled, r.baseGlyph, cellSize, tile, stride, r.baseColour, &r.ground);
        } else {
            for (int py = 0; py < cellSize; ++py)
                for (int px = 0; px < cellSize; ++px) {
                    std::uint8_t* pixel = tile + static_cast<std::size_t>(py) * stride + 3 * px;
                    pixel[0] = static_cast<std::uint8_t>(r.ground.blue);
                    pixel[1] = static_cast<std::uint8_t>(r.ground.green);
                    pixel[2] = static_cast<std::uint8_t>(r.ground.red);
                }
        }
        if (r.overlayGlyph >= 0)
            paint(scaled, r.overlayGlyph, cellSize, tile, stride, r.overlayColour, nullptr);
    }
    return out;
}

} // namespace korvani::oracle
