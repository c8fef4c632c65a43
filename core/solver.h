// The solver that proves a puzzle: counts the completions of a grid of givens up to two and
// hands out the only one. Repeated givens are allowed; their digits simply block their units.
#pragma once

#include "core/grid.h"

namespace korvani {

struct SolveResult {
    int count = 0;       // 0, 1 or 2 (2 stands for "two or more")
    CellGrid solution{}; // valid only when count == 1; the givens are kept as they stand
};

// Counts completions of `givens` up to two. A completion fills every empty cell with a digit
// that no other cell of its row, column or box holds; givens are never checked against each
// other. Always fast: deductions and branching on the cell with the fewest candidates.
SolveResult solveGivens(const CellGrid& givens);

// For tools and benchmarks that look at how hard a grid was.
struct SolveStats {
    long long nodes = 0;     // search nodes visited (the root counts as one)
    long long probes = 0;    // candidates tried on a copy of the board and struck out if they fail
    long long conflicts = 0; // dead ends met by the clause counter
    long long relaxationSteps = 0; // steps of arithmetic in the linear relaxation
};

// For tests that drive every part of the search.
struct SolveOptions {
    // The matching check of whole units runs at the root and, once a grid has taken this many
    // nodes, at every node (it costs about as much as a node).
    long long unitMatchingAfterNodes = 256;
    // A search that takes more nodes than this gives way to a fresh one with twice the limit
    // and another order of cells, and so on (0: no limit).
    long long firstAttemptNodes = 2000;
    // The same for grids with repeated givens, whose attempts also take turns between the two
    // ways of branching.
    long long firstAttemptNodesRepeatedGivens = 100;
    // Once a search has taken this many nodes, every further node tries each of its candidates
    // before it branches.
    long long probeAfterNodes = 2000;
    // Grids with repeated givens first get a short search of this many nodes (0: none); then,
    // if asked, their candidates are tried once at the root, before the turns.
    long long quickAttemptNodes = 100;
    bool probeRootOfRepeatedGivens = false;
    // And after the short search, the nodes one branch below the start of each attempt try
    // their candidates too.
    bool probeFirstBranchesOfRepeatedGivens = true;
    // Each attempt of N nodes (for grids without repeated givens, from the second on) is
    // preceded by a run of the clause counter of N * conflictsPerHundredNodes / 100 conflicts
    // (at least one), or for grids with repeated givens N * ...RepeatedGivens / 100.
    bool clauseLearning = true;
    long long conflictsPerHundredNodes = 50;
    long long conflictsPerHundredNodesRepeatedGivens = 1000;
    // For grids with repeated givens the counter's runs go in slices of relaxationSlice
    // conflicts, each followed by relaxationStepsPerConflict steps of arithmetic per conflict in
    // the linear relaxation of the grid's counts (0: no relaxation).
    long long relaxationSlice = 100;
    long long relaxationStepsPerConflict = 4000;
};

SolveResult solveGivens(const CellGrid& givens, SolveStats* stats,
                        const SolveOptions* options = nullptr);

} // namespace korvani
