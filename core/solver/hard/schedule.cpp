// The turns of the three engines on one grid. The answer is the one the straightforward search
// would give, from whichever engine settles first.
#include "core/solver/hard/schedule.h"

#include "core/solver/hard/clause_counter.h"
#include "core/solver/hard/linear_relaxation.h"

#include <algorithm>

namespace korvani::solver {

namespace {

// The two engines that take the counter's turns. The relaxation is started only for grids with
// loose units on which branching has met no completion yet: it can only rule a grid out.
struct CounterTurns {
    ClauseCounter clauses;
    LinearRelaxation relaxation;
    bool clausesReady = false;
    bool relaxationReady = false;

    void start(BranchingSearch& branching, const ScheduleTuning& tuning) {
        const RootCounts root = branching.narrowedRoot();
        clausesReady = clauses.start(root);
        relaxationReady = branching.hasLooseUnits() && tuning.relaxationStepsPerConflict > 0 &&
                          !branching.metCompletion() && relaxation.start(root);
    }

    // One turn of `budget` conflicts, in slices shared with the relaxation; at least one slice,
    // even with no conflicts to spend. True once either has settled the count.
    bool run(long long budget, const ScheduleTuning& tuning) {
        const long long slice =
            relaxationReady ? std::max(1LL, tuning.relaxationSlice) : std::max(1LL, budget);
        long long used = 0;
        do {
            const long long conflicts = std::min(slice, budget - used);
            if (clausesReady && clauses.run(conflicts)) return true;
            if (relaxationReady && relaxation.run(conflicts * tuning.relaxationStepsPerConflict))
                return true;
            used += slice;
        } while (used < budget);
        return false;
    }
};

// The turns until one engine settles the count. Strict grids, nearly all of which the first
// attempt settles, give the counter its first turn before the second attempt.
void turnsUntilSettled(BranchingSearch& branching, CounterTurns& counters,
                       const ScheduleTuning& tuning) {
    const bool loose = branching.hasLooseUnits();
    const long long perHundred =
        loose ? tuning.conflictsPerHundredNodesRepeatedGivens : tuning.conflictsPerHundredNodes;
    const int firstCounterTurn = loose ? 0 : 1;
    long long limit = loose ? tuning.firstAttemptNodesRepeatedGivens : tuning.firstAttemptNodes;
    for (int k = 0;; ++k, limit *= 2) {
        if (k >= firstCounterTurn) {
            if (k == firstCounterTurn) counters.start(branching, tuning);
            if (counters.run(limit * perHundred / 100, tuning)) return;
        }
        if (branching.run(limit)) return;
    }
}

} // namespace

SolveResult takeTurns(BranchingSearch& branching, SolveStats* stats, const ScheduleTuning& tuning) {
    CounterTurns counters;
    if (!branching.verdict().settled) turnsUntilSettled(branching, counters, tuning);
    SolveResult result = branching.verdict().result;
    if (counters.relaxation.verdict().settled) result = counters.relaxation.verdict().result;
    if (counters.clauses.verdict().settled) result = counters.clauses.verdict().result;
    if (stats != nullptr) {
        stats->nodes = branching.nodes();
        stats->probes = branching.probes();
        stats->conflicts = counters.clauses.conflicts();
        stats->relaxationSteps = counters.relaxation.steps();
    }
    return result;
}

// Grids with loose units first get a short attempt, since most have completions everywhere.
SolveResult solveInTurns(const CellGrid& givens, SolveStats* stats, const ScheduleTuning& tuning) {
    BranchingSearch branching;
    branching.start(rootCountsOf(givens), tuning);
    if (branching.hasLooseUnits() && tuning.quickAttemptNodes > 0)
        branching.run(tuning.quickAttemptNodes);
    return takeTurns(branching, stats, tuning);
}

} // namespace korvani::solver
