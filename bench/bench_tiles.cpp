// The tile strip at the cell sizes of a small, a default, a large and a maximised 4K window:
// buildTiles as the renderer calls it, and the straightforward painting (every tile rasterises
// its glyphs anew through the rasteriser's paint operations), which gives the same pixels.
#include "render/glyph_rasterizer.h"
#include "render/tile_atlas.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using namespace korvani;

void straightforwardTiles(GlyphRasterizer& r, int cellSize, int stride, std::uint8_t* pixels,
                          std::uint8_t* mask) {
    scaleOutlines(r, cellSize);
    for (int t = 0; t < tileCount; ++t) {
        std::uint8_t* tile = pixels + 3 * cellSize * t;
        if (tileBaseGlyph[t] != NoGlyph) {
            paintGlyphOverColour(r, tileBaseGlyph[t], mask, tile, stride, cellSize,
                                 *tileBaseColour[t], *tileGroundColour[t]);
        } else {
            for (int y = 0; y < cellSize; ++y)
                for (int x = 0; x < cellSize; ++x) {
                    std::uint8_t* p = tile + y * stride + 3 * x;
                    p[0] = tileGroundColour[t]->blue;
                    p[1] = tileGroundColour[t]->green;
                    p[2] = tileGroundColour[t]->red;
                }
        }
        if (tileOverlayGlyph[t] != NoGlyph)
            paintGlyphOverTile(r, tileOverlayGlyph[t], mask, tile, stride, cellSize,
                               *tileOverlayColour[t]);
    }
}

void BM_BuildTiles(benchmark::State& state) {
    const int cellSize = static_cast<int>(state.range(0));
    const int stride = tileAtlasStride(cellSize);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * cellSize);
    GlyphRasterizer* r = createGlyphRasterizer();
    for (auto _ : state) {
        buildTiles(*r, cellSize, stride, pixels.data());
        benchmark::DoNotOptimize(pixels.data());
    }
    destroyGlyphRasterizer(r);
}

void BM_StraightforwardTiles(benchmark::State& state) {
    const int cellSize = static_cast<int>(state.range(0));
    const int stride = tileAtlasStride(cellSize);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * cellSize);
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(8) * cellSize * cellSize);
    GlyphRasterizer* r = createGlyphRasterizer();
    for (auto _ : state) {
        straightforwardTiles(*r, cellSize, stride, pixels.data(), mask.data());
        benchmark::DoNotOptimize(pixels.data());
    }
    destroyGlyphRasterizer(r);
}

} // namespace

BENCHMARK(BM_BuildTiles)->Arg(30)->Arg(52)->Arg(100)->Arg(208)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StraightforwardTiles)
    ->Arg(30)
    ->Arg(52)
    ->Arg(100)
    ->Arg(208)
    ->Unit(benchmark::kMillisecond);
