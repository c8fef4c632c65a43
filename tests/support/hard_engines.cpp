// The hard engines alone and the schedule opened with tries at the root.
#include "tests/support/hard_engines.h"

#include "core/solver/hard/branching_search.h"
#include "core/solver/hard/clause_counter.h"
#include "core/solver/hard/schedule.h"

namespace korvani::test {

namespace {

// The start the schedule makes (the short attempt of loose grids), then the tries at the root.
void openWithRootTries(solver::BranchingSearch& branching, const CellGrid& givens,
                       const solver::ScheduleTuning& tuning, bool triesAtRoot) {
    branching.start(solver::rootCountsOf(givens), tuning);
    if (branching.hasLooseUnits() && tuning.quickAttemptNodes > 0 &&
        branching.run(tuning.quickAttemptNodes))
        return;
    if (triesAtRoot) branching.strikeAtRoot();
}

} // namespace

SolveResult countByBranching(const CellGrid& givens, const solver::ScheduleTuning& tuning,
                             bool triesAtRoot) {
    solver::BranchingSearch branching;
    openWithRootTries(branching, givens, tuning, triesAtRoot);
    long long limit = branching.hasLooseUnits() ? tuning.firstAttemptNodesRepeatedGivens
                                                : tuning.firstAttemptNodes;
    while (!branching.verdict().settled) {
        branching.run(limit);
        limit *= 2;
    }
    return branching.verdict().result;
}

SolveResult solveInTurnsAfterRootTries(const CellGrid& givens,
                                       const solver::ScheduleTuning& tuning) {
    solver::BranchingSearch branching;
    openWithRootTries(branching, givens, tuning, true);
    return solver::takeTurns(branching, nullptr, tuning);
}

SolveResult countWithClauses(const CellGrid& givens) {
    solver::ClauseCounter counter;
    if (!counter.start(solver::rootCountsOf(givens)) || !counter.run(1'000'000'000))
        return {-1, {}};
    return counter.verdict().result;
}

} // namespace korvani::test
