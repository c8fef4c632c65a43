// The tuning of the hard engines' schedule: when each engine gets its turns and how long they
// are. The defaults are what the game runs; tests change them to drive every part of the search.
// How each value was chosen is told in bench/data/README.md.
#pragma once

namespace korvani::solver {

struct ScheduleTuning {
    // The matching check of whole units (Hall sets) runs at the root and, once an attempt has
    // taken this many nodes, at every node.
    long long unitMatchingAfterNodes = 256;
    // The first attempt's node limit; each further attempt doubles it (0: no limit).
    long long firstAttemptNodes = 2000;
    // The same for grids with loose units, whose attempts also alternate the two ways of
    // branching (cells only, or the digits that units leave out first).
    long long firstAttemptNodesRepeatedGivens = 100;
    // Once an attempt has taken this many nodes, every further node tries each of its
    // candidates before it branches.
    long long probeAfterNodes = 2000;
    // Grids with loose units first get a short attempt of this many nodes (0: none) before the
    // turns.
    long long quickAttemptNodes = 100;
    // After the short attempt, the nodes one branch below the root of each attempt try their
    // candidates too.
    bool probeFirstBranchesOfRepeatedGivens = true;
    // Each attempt of N nodes (for grids without loose units, from the second on) is preceded
    // by a turn of the clause counter of N * conflictsPerHundredNodes / 100 conflicts (at least
    // one), or for grids with loose units N * ...RepeatedGivens / 100.
    long long conflictsPerHundredNodes = 50;
    long long conflictsPerHundredNodesRepeatedGivens = 1000;
    // For grids with loose units the counter's turns go in slices of relaxationSlice
    // conflicts, each followed by relaxationStepsPerConflict steps of arithmetic per conflict in
    // the linear relaxation (0: no relaxation).
    long long relaxationSlice = 100;
    long long relaxationStepsPerConflict = 4000;
};

} // namespace korvani::solver
