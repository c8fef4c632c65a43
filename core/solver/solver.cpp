// solveGivens: the short search first; what it leaves, grids with repeated givens and grids it
// cannot finish within its budget, goes to the hard engines' schedule.
#include "core/solver/solver.h"

#include "core/solver/bitboard_search.h"
#include "core/solver/hard/schedule.h"

namespace korvani {

namespace {

// The nodes the short search may take before the hard engines start over. Every published
// puzzle of tests/data ends within 900; a grid that needs more has a dead end that the search
// keeps meeting in new places, which clause learning remembers (on the hunted grids of
// bench/data a larger budget only made the slowest slower).
constexpr long long shortSearchBudget = 2000;

} // namespace

SolveResult solveGivens(const CellGrid& givens) {
    return solveGivens(givens, nullptr);
}

namespace {

SolveResult countUpToTwo(const CellGrid& givens, SolveStats* stats, const CellGrid* preferred) {
    if (stats != nullptr) *stats = SolveStats{};
    for (std::uint8_t value : givens) {
        if (value > 9) return SolveResult{}; // not a grid of digits: no completion
    }
    SolveResult result;
    long long shortNodes = 0;
    const solver::ShortSearchEnd end =
        solver::countStrictCompletions(givens, shortSearchBudget, result, shortNodes, preferred);
    if (end != solver::ShortSearchEnd::settled) result = solver::solveInTurns(givens, stats);
    if (stats != nullptr) stats->nodes += shortNodes;
    return result;
}

} // namespace

SolveResult solveGivens(const CellGrid& givens, SolveStats* stats) {
    return countUpToTwo(givens, stats, nullptr);
}

SolveResult solveGivensNear(const CellGrid& givens, const CellGrid& solution) {
    return countUpToTwo(givens, nullptr, &solution);
}

AvoidingCompletion findCompletionAvoiding(const CellGrid& givens, const CellGrid& solution,
                                          int cell, CellGrid& completion) {
    bool found = false;
    const solver::ShortSearchEnd end = solver::findCompletionAvoiding(
        givens, solution, cell, shortSearchBudget, found, completion);
    if (end != solver::ShortSearchEnd::settled) return AvoidingCompletion::undecided;
    return found ? AvoidingCompletion::found : AvoidingCompletion::none;
}

} // namespace korvani
