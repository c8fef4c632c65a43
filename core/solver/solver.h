// The solver that proves a puzzle: counts the completions of a grid of givens up to two and
// hands out the only one. Repeated givens are allowed; their digits simply block their units.
//
// Words used throughout core/solver/, and what they are called elsewhere:
// - completion: a solution; givens: clues; a unit: a row, column or box (a house).
// - required digit of a unit: one its empty cells must take (an exactly-one constraint). A unit
//   whose givens repeat no digit requires every digit it lacks.
// - loose unit: one whose givens repeat a digit, so it must take only as many of the digits it
//   lacks as it has empty cells; the digits it leaves out are its omissions. A strict unit, or
//   grid, has no repeated given.
// - region: a band, a stack or the whole grid, each partitioned into units two ways (rows and
//   boxes, columns and boxes, or either); a digit is placed there as often counted either way.
// - the matching check of whole units: Hall sets (a bipartite matching of a unit's digits to its
//   cells); box-line reduction: locked candidates (pointing and claiming).
// - tries, striking out candidates: failed-literal probing.
// - attempts of growing length, each in another order: restarts with growing limits.
// - the clause counter: a conflict-driven clause-learning (CDCL) search that counts models up
//   to two with a blocking clause per completion; learned clauses: clause learning; its runs
//   between restarts follow Luby's sequence.
// - the linear relaxation and its multipliers: the Lagrangian dual of the relaxed counts,
//   raised by subgradient steps; a proof is a Farkas certificate checked in integers.
// - turns: a portfolio in which the engines take turns on one grid, each keeping its state.
#pragma once

#include "core/grid.h"

namespace korvani {

struct SolveResult {
    int count = 0;       // 0, 1 or 2 (2 stands for "two or more")
    CellGrid solution{}; // valid only when count == 1; the givens are kept as they stand
    // When count == 2 and the short search decided it, the first two completions it met (they
    // differ); otherwise all zero. The cells where a completion differs from a known solution
    // form a set of which every puzzle with that solution must keep a given.
    std::array<CellGrid, 2> twoCompletions{};
};

// Counts completions of `givens` up to two. A completion fills every empty cell with a digit
// that no other cell of its row, column or box holds; givens are never checked against each
// other. A byte past 9 makes no grid: no completion.
SolveResult solveGivens(const CellGrid& givens);

// For tools and benchmarks that look at how hard a grid was.
struct SolveStats {
    long long nodes = 0;           // search nodes of both searches (each root counts as one)
    long long probes = 0;          // candidates tried on a copy of the board
    long long conflicts = 0;       // dead ends met by the clause counter
    long long relaxationSteps = 0; // steps of arithmetic in the linear relaxation
};

SolveResult solveGivens(const CellGrid& givens, SolveStats* stats);

// solveGivens for digging a puzzle out of `solution`, one of its completions: the search tries
// the digit of `solution` first at every branch, so that when there are two completions, the
// second one met tends to differ from it in few cells. The count is the same.
SolveResult solveGivensNear(const CellGrid& givens, const CellGrid& solution);

// For digging a puzzle out of a known solution: whether `givens` (`cell` empty, no repeated
// given), of which `solution` is a completion, have one in which `cell` holds another digit. A
// found completion goes to `completion`; it keeps the digits of `solution` where the search can,
// so the cells where the two differ tend to be few. Undecided when the short search cannot
// settle it; count the grid then.
enum class AvoidingCompletion { none, found, undecided };
AvoidingCompletion findCompletionAvoiding(const CellGrid& givens, const CellGrid& solution,
                                          int cell, CellGrid& completion);

} // namespace korvani
