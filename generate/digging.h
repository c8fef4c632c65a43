// Random solved grids and the digging that turns one into a minimal puzzle: givens are emptied in
// a random order, each only while the puzzle keeps exactly one solution (proved by solveGivens).
#pragma once

#include "core/grid.h"
#include "generate/puzzle_rng.h"

namespace korvani {

// A random complete grid.
CellGrid randomSolvedGrid(PuzzleRng& rng);

// Empties symmetric pairs of cells (cell and 80 - cell) in random order, keeping each pair empty
// only while the puzzle keeps exactly one solution. Since emptying cells never takes a solution
// away, a pair that could not be emptied never can be later: the result is minimal for the
// symmetry.
CellGrid digSymmetricPuzzle(const CellGrid& solution, PuzzleRng& rng);

// The same with single cells: the result is minimal (no given can be removed).
CellGrid digPuzzle(const CellGrid& solution, PuzzleRng& rng);

// True when each of the nine digits appears among the givens; with click-only play a digit that
// no cell shows can never be chosen.
bool showsEveryDigit(const CellGrid& givens);

} // namespace korvani
