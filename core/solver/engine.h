// What the three engines of the solver share: the counts of a board that they start from, and
// the verdict each gives once it has settled a grid. Every engine has the same shape: `start`
// from a board, `run` for a budget of its own unit of work (nodes, conflicts, steps), as often
// as asked, and `verdict`.
#pragma once

#include "core/grid.h"
#include "core/solver/solver.h"

#include <cstdint>

namespace korvani::solver {

// A board narrowed by deductions that every completion obeys. `filled` holds the givens and the
// digits already placed, `candidates` the digits each empty cell may still take (none that a
// filled peer holds), `required` per unit (rows 0-8, columns 9-17, boxes 18-26) the digits its
// empty cells must take. Completions keep `filled` as it stands. `looseUnits` has bit u set
// for each unit u whose givens repeat a digit: it need not take every digit it lacks, only as
// many as it has empty cells.
struct RootCounts {
    CellGrid filled{};
    DigitMask candidates[81] = {};
    DigitMask required[27] = {};
    std::uint32_t looseUnits = 0;
};

// The counts of a grid of givens (digits 0..9, 0 empty) before any deduction: a cell loses the
// digits of its peers, and a unit that repeats no given requires every digit it lacks.
RootCounts rootCountsOf(const CellGrid& givens);

// What an engine has found: once `settled`, the number of completions (0, 1 or 2 for two or
// more) and, for one, the completion.
struct Verdict {
    bool settled = false;
    SolveResult result{};
};

} // namespace korvani::solver
