// The straightforward search that defines what the solver must answer: naked singles, then a
// branch on the first empty cell, digits tried in ascending order, undo instead of copying.
// It can take hours on some sparse grids, so only tests and benchmarks call it; the game uses
// solveGivens (core/solver/solver.h), which must give the same answers.
#pragma once

#include "core/grid.h"
#include "core/solver/solver.h"

#include <cstdint>

namespace korvani {

using MaskGrid = DigitMask[81]; // 0 = empty cell; a filled cell holds exactly one bit

// The fills made by propagation: the row, column and box of each, in fill order.
struct UndoStack {
    std::int32_t count = 0;
    std::int32_t row[81];
    std::int32_t column[81];
    std::int32_t box[81];
};

// Lets a caller stop a search that would run too long (tests pick grids this way). When the
// budget runs out every level unwinds as after a second completion, and `exhausted` is set.
struct SearchBudget {
    long long callsLeft = 0;
    bool exhausted = false;
};

void buildUnitMasks(const MaskGrid grid, DigitMask rowMask[9], DigitMask columnMask[9],
                    DigitMask boxMask[9]);

// Adds the completions found below `start` to solutionCount (stopping once it is above 1) and
// leaves the grid, the unit masks and the stack as it found them.
void searchSolutions(UndoStack& stack, MaskGrid grid, MaskGrid solutionMasks, DigitMask rowMask[9],
                     DigitMask columnMask[9], DigitMask boxMask[9], int start,
                     std::int32_t& solutionCount, SearchBudget* budget = nullptr);

SolveResult solveGivensReference(const CellGrid& givens);

// As above, but gives up after `maxCalls` calls of searchSolutions; false when it gave up
// (the result is then meaningless).
bool solveGivensReferenceBounded(const CellGrid& givens, long long maxCalls, SolveResult& result);

} // namespace korvani
