// The solver's short path: one bitboard search for grids whose givens repeat no digit in any
// unit, which is every ordinary puzzle. It counts completions up to two within a budget of
// nodes; what it cannot finish goes to the engines of core/solver/hard/.
#pragma once

#include "core/grid.h"
#include "core/solver/solver.h"

namespace korvani::solver {

enum class ShortSearchEnd {
    settled,         // `result` holds the count (and the completion when there is one)
    repeatedGivens,  // some unit repeats a given: not a grid for this search
    budgetExhausted, // more than `nodeBudget` nodes were needed
};

// Counts the completions of `givens` (digits 0..9, 0 an empty cell) up to two; `nodes`
// receives the nodes visited, the root counting as one. With `preferred`, every branch tries
// its digit there first.
ShortSearchEnd countStrictCompletions(const CellGrid& givens, long long nodeBudget,
                                      SolveResult& result, long long& nodes,
                                      const CellGrid* preferred = nullptr);

// Whether `givens` (digits 0..9, `cell` empty) have a completion in which `cell` holds another
// digit than in `solution`, one of their completions; the first one met goes to `completion`.
// Every branch tries the digit of `solution` first, so the completion found tends to differ
// from it in few cells.
ShortSearchEnd findCompletionAvoiding(const CellGrid& givens, const CellGrid& solution, int cell,
                                      long long nodeBudget, bool& found, CellGrid& completion);

} // namespace korvani::solver
