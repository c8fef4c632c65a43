// solveGivens: the schedule that gives the three engines their turns on one grid. The branching
// search runs attempts of doubling length; before each, the clause counter gets a turn in
// proportion, and on grids with loose units the linear relaxation shares that turn in slices.
// Every engine is complete or proves only what holds, so whichever settles first answers, and
// the answer is the one the straightforward search would give.
#include "core/solver/solver.h"

#include "core/solver/bitboard_search.h"
#include "core/solver/branching_search.h"
#include "core/solver/clause_counter.h"
#include "core/solver/linear_relaxation.h"
#include "core/solver/options.h"

#include <algorithm>

namespace korvani {

namespace {

using solver::BranchingSearch;
using solver::ClauseCounter;
using solver::LinearRelaxation;

// The two engines that take the counter's turns. The relaxation is started only for grids with
// loose units on which branching has met no completion yet: it can only rule a grid out.
struct CounterTurns {
    ClauseCounter clauses;
    LinearRelaxation relaxation;
    bool clausesReady = false;
    bool relaxationReady = false;

    void start(BranchingSearch& branching, const SolveOptions& options) {
        const solver::RootCounts root = branching.narrowedRoot();
        clausesReady = clauses.start(root);
        relaxationReady = branching.hasLooseUnits() && options.relaxationStepsPerConflict > 0 &&
                          !branching.metCompletion() && relaxation.start(root);
    }

    // One turn of `budget` conflicts, in slices shared with the relaxation; at least one slice,
    // even with no conflicts to spend. True once either has settled the count.
    bool run(long long budget, const SolveOptions& options) {
        const long long slice =
            relaxationReady ? std::max(1LL, options.relaxationSlice) : std::max(1LL, budget);
        long long used = 0;
        do {
            const long long conflicts = std::min(slice, budget - used);
            if (clausesReady && clauses.run(conflicts)) return true;
            if (relaxationReady && relaxation.run(conflicts * options.relaxationStepsPerConflict))
                return true;
            used += slice;
        } while (used < budget);
        return false;
    }
};

// Grids with loose units first get a short attempt, since most have completions everywhere,
// and, when asked, tries at the root. True when that settles them.
bool openingOfLooseGrids(BranchingSearch& branching, const SolveOptions& options) {
    if (!branching.hasLooseUnits()) return false;
    if (options.quickAttemptNodes > 0 && branching.run(options.quickAttemptNodes)) return true;
    return options.probeRootOfRepeatedGivens && branching.strikeAtRoot();
}

// The turns until one engine settles the count. Strict grids, nearly all of which the first
// attempt settles, give the counter its first turn before the second attempt.
void takeTurns(BranchingSearch& branching, CounterTurns& counters, const SolveOptions& options) {
    const bool loose = branching.hasLooseUnits();
    const long long perHundred =
        loose ? options.conflictsPerHundredNodesRepeatedGivens : options.conflictsPerHundredNodes;
    const int firstCounterTurn = loose ? 0 : 1;
    long long limit = loose ? options.firstAttemptNodesRepeatedGivens : options.firstAttemptNodes;
    for (int k = 0;; ++k, limit *= 2) {
        if (k >= firstCounterTurn && options.clauseLearning) {
            if (k == firstCounterTurn) counters.start(branching, options);
            if (counters.run(limit * perHundred / 100, options)) return;
        }
        if (branching.run(limit)) return;
    }
}

} // namespace

SolveResult solveGivens(const CellGrid& givens) {
    return solveGivens(givens, nullptr);
}

SolveResult solveGivens(const CellGrid& givens, SolveStats* stats, const SolveOptions* options) {
    if (stats != nullptr) *stats = SolveStats{};
    for (std::uint8_t value : givens) {
        if (value > 9) return SolveResult{}; // not a grid of digits: no completion
    }
    const SolveOptions settings = options != nullptr ? *options : SolveOptions{};
    if (options == nullptr) {
        SolveResult shortResult;
        long long shortNodes = 0;
        if (solver::countStrictCompletions(givens, 1 << 14, shortResult, shortNodes) ==
            solver::ShortSearchEnd::settled) {
            if (stats != nullptr) stats->nodes = shortNodes;
            return shortResult;
        }
    }
    BranchingSearch branching;
    branching.start(solver::rootCountsOf(givens), settings);
    CounterTurns counters;
    if (!openingOfLooseGrids(branching, settings)) takeTurns(branching, counters, settings);

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

} // namespace korvani
