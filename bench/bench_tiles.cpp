// The tile strip at the cell sizes of a small, a default, a large and a maximised 4K window:
// buildTiles as the renderer calls it, and the tests' straightforward painting (every tile
// rasterises its glyphs anew into a subsample mask), which gives the same pixels.
#include "render/tile_atlas.h"
#include "tests/support/tile_oracle.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using namespace korvani;

void BM_BuildTiles(benchmark::State& state) {
    const int cellSize = static_cast<int>(state.range(0));
    const int stride = tileAtlasStride(cellSize);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * cellSize);
    for (auto _ : state) {
        GlyphCoverage coverage; // fresh, so that every round rasterises the glyphs
        buildTiles(coverage, cellSize, stride, pixels.data());
        benchmark::DoNotOptimize(pixels.data());
    }
}

void BM_StraightforwardTiles(benchmark::State& state) {
    const int cellSize = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::vector<std::uint8_t> pixels = oracle::strip(cellSize, 0);
        benchmark::DoNotOptimize(pixels.data());
    }
}

} // namespace

BENCHMARK(BM_BuildTiles)->Arg(30)->Arg(52)->Arg(100)->Arg(208)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StraightforwardTiles)
    ->Arg(30)
    ->Arg(52)
    ->Arg(100)
    ->Arg(208)
    ->Unit(benchmark::kMillisecond);
