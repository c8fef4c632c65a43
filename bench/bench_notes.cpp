// A frame of notes at the cell sizes of the default window (52) and a maximised 4K window (208):
// every candidate filled on a typical start position, then all 81 cells drawn into a 24-bit
// back buffer as drawCells would with notes (the cell's tile copied from the strip, the notes
// blended over the empty ones), or only the note tiles that the game adds to today's frame.
// What the Windows copies add is not in here. Also the cost of the note glyphs, built once per
// layout next to the tile strip.
#include "core/notes.h"
#include "render/board_geometry.h"
#include "render/glyph_coverage.h"
#include "render/note_glyphs.h"
#include "render/tile_atlas.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using namespace korvani;

// A classic start position: 30 givens, 51 empty cells.
CellGrid startPosition() {
    const char* text =
        "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
    CellGrid grid{};
    for (int i = 0; i < 81; ++i)
        grid[i] = text[i] == '.' ? 0 : static_cast<std::uint8_t>(text[i] - '0');
    return grid;
}

struct Board {
    BoardGeometry geometry;
    int cellSize;
    int frameStride;
    std::vector<std::uint8_t> frame; // the back buffer, top-down 24-bit rows
    int stripStride;
    std::vector<std::uint8_t> strip; // the 74 tiles
    GlyphCoverage coverage;
    NoteGlyphs notes;

    explicit Board(int size) : cellSize(size) {
        const int width = 10 * size;
        const int height = 10 * size + bandHeight;
        geometry = computeBoardGeometry(width, height);
        frameStride = (3 * width + 3) & ~3;
        frame.assign(static_cast<std::size_t>(frameStride) * height, 0);
        stripStride = tileAtlasStride(size);
        strip.assign(static_cast<std::size_t>(stripStride) * size, 0);
        buildTiles(coverage, size, stripStride, strip.data());
        notes = makeNoteGlyphs(coverage, size);
    }

    void drawCell(int cell, int tile, DigitMask cellNotes, std::uint8_t selected) {
        std::uint8_t* to = frame.data() +
                           static_cast<std::size_t>(geometry.rowY[cell / 9]) * frameStride +
                           3 * geometry.colX[cell % 9];
        const std::uint8_t* from = strip.data() + static_cast<std::size_t>(3) * cellSize * tile;
        for (int y = 0; y < cellSize; ++y)
            std::memcpy(to + static_cast<std::size_t>(y) * frameStride,
                        from + static_cast<std::size_t>(y) * stripStride,
                        static_cast<std::size_t>(3) * cellSize);
        if (cellNotes != 0) paintNotes(notes, cellNotes, selected, to, frameStride);
    }
};

void BM_FillCandidatesAndDrawCells(benchmark::State& state) {
    Board board(static_cast<int>(state.range(0)));
    const CellGrid givens = startPosition();
    const CellGrid user{};
    const std::uint8_t selected = 5;
    const int hovered = 40;
    NoteGrid notes{};
    for (auto _ : state) {
        notes.fill(0);
        fillCandidateNotes(notes, givens, user);
        for (int cell = 0; cell < 81; ++cell)
            board.drawCell(cell, tileForCell(givens[cell], user[cell], selected, cell == hovered),
                           notes[cell], selected);
        benchmark::DoNotOptimize(board.frame.data());
    }
}

// What the game adds to a frame when it draws each empty cell's note tile into a scratch tile
// and copies that into the back buffer (the copy is the Windows side's): the fill, then one
// whole note tile per empty cell.
void BM_FillCandidatesAndNoteTiles(benchmark::State& state) {
    Board board(static_cast<int>(state.range(0)));
    const CellGrid givens = startPosition();
    const CellGrid user{};
    const int stride = (3 * board.cellSize + 3) & ~3;
    std::vector<std::uint8_t> scratch(static_cast<std::size_t>(stride) * board.cellSize);
    NoteGrid notes{};
    for (auto _ : state) {
        notes.fill(0);
        fillCandidateNotes(notes, givens, user);
        for (int cell = 0; cell < 81; ++cell) {
            if (notes[cell] == 0) continue;
            paintNoteTile(board.notes, notes[cell], 5, cell == 40, scratch.data(), stride);
            benchmark::DoNotOptimize(scratch.data());
        }
    }
}

// Today's frame for comparison: the same cells without notes, 81 tile copies.
void BM_DrawCellsWithoutNotes(benchmark::State& state) {
    Board board(static_cast<int>(state.range(0)));
    const CellGrid givens = startPosition();
    const CellGrid user{};
    for (auto _ : state) {
        for (int cell = 0; cell < 81; ++cell)
            board.drawCell(cell, tileForCell(givens[cell], user[cell], 5, cell == 40), 0, 5);
        benchmark::DoNotOptimize(board.frame.data());
    }
}

void BM_FillCandidates(benchmark::State& state) {
    const CellGrid givens = startPosition();
    const CellGrid user{};
    NoteGrid notes{};
    for (auto _ : state) {
        notes.fill(0);
        fillCandidateNotes(notes, givens, user);
        benchmark::DoNotOptimize(notes.data());
    }
}

// A fresh coverage cache each time, so that the digits are rasterised every round.
void BM_BuildNoteGlyphs(benchmark::State& state) {
    const int cellSize = static_cast<int>(state.range(0));
    for (auto _ : state) {
        GlyphCoverage coverage;
        NoteGlyphs glyphs = makeNoteGlyphs(coverage, cellSize);
        benchmark::DoNotOptimize(glyphs.coverage.data());
    }
}

} // namespace

BENCHMARK(BM_FillCandidatesAndDrawCells)->Arg(52)->Arg(208)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillCandidatesAndNoteTiles)->Arg(52)->Arg(208)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawCellsWithoutNotes)->Arg(52)->Arg(208)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillCandidates)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildNoteGlyphs)->Arg(52)->Arg(208)->Unit(benchmark::kMillisecond);
