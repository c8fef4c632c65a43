// Makes the bundled problem files: random solved grids from a fixed seed, dug down to minimal
// puzzles with 180-degree symmetry (generate/), graded, and sorted into files by difficulty.
#pragma once

#include "core/grid.h"
#include "generate/digging.h"
#include "generate/graded_puzzle.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvani {

// Puzzle number `index` of the stream that `seed` starts; independent of every other index.
CellGrid generatePuzzle(std::uint64_t seed, std::uint64_t index);

struct PuzzleFilePlan {
    const char* fileName;
    std::vector<std::pair<int, int>> quota; // (difficulty, how many)
};

// The four bundled files: 1-gentle.dat to 4-fiendish.dat.
std::vector<PuzzleFilePlan> bundledPlans();

// Generates puzzles with indices 0, 1, ... of the seed's stream until every quota of every plan
// is full or `maxPuzzles` have been tried; false in the latter case. files[k] receives the
// puzzles of plans[k], easiest first.
bool fillPlans(const std::vector<PuzzleFilePlan>& plans, std::uint64_t seed,
               std::uint64_t maxPuzzles, std::vector<std::vector<GeneratedPuzzle>>& files,
               std::uint64_t& tried);

// One problem-file line without its line feed: the difficulty, '/', 81 cells with '.' for empty.
std::string problemLine(const GeneratedPuzzle& puzzle);

inline constexpr std::uint64_t bundledSeed = 20240605;

} // namespace korvani
