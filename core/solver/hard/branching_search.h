// The branching search, the solver's first engine: deductions on digit bitboards, then a branch
// on the cell with the fewest candidates (or, where units repeat givens, on the digit a unit
// leaves out), a copy of the board per branch. Each run is one attempt from the root that gives
// up after a number of nodes; each attempt takes another order of cells and digits, since a
// search can lose itself for millions of nodes below one unlucky early choice where another
// order ends in dozens.
#pragma once

#include "core/solver/hard/board.h"
#include "core/solver/hard/engine.h"
#include "core/solver/hard/tuning.h"

namespace korvani::solver {

class BranchingSearch {
  public:
    // Sets up the board of `root` (as rootCountsOf gives it; deductions come with the runs).
    void start(const RootCounts& root, const ScheduleTuning& options);
    // One attempt from the root, given up after `nodes` nodes (0: no limit); true once the
    // count is settled. On a grid with loose units, when the options ask for a short attempt,
    // the first run is that one: cells only, the scarcest digits first, no tries below the root.
    bool run(long long nodes);
    Verdict verdict() const;

    bool hasLooseUnits() const { return search_.looseCount != 0; }
    // Whether some attempt has met a completion, even one that gave up afterwards.
    bool metCompletion() const { return search_.count != 0 || search_.haveEarlier; }
    // Tries every candidate at the root and strikes the failing ones (failed-literal probing);
    // true when that leaves the root a dead end, which settles the count at none.
    bool strikeAtRoot();
    // The root as the deductions leave it, for the other engines to start from.
    RootCounts narrowedRoot();

    long long nodes() const { return totalNodes_; }
    long long probes() const { return search_.probes; }

  private:
    Board root_{};
    Search search_{};
    ScheduleTuning options_{};
    int attempts_ = 0;
    long long totalNodes_ = 0;
    bool settled_ = false;
};

} // namespace korvani::solver
