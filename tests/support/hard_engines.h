// The hard engines of the solver driven alone or opened in ways the game does not use, so that
// tests and fuzz targets can hold each of them to the reference answers on every kind of grid.
#pragma once

#include "core/grid.h"
#include "core/solver/hard/tuning.h"
#include "core/solver/solver.h"

namespace korvani::test {

// The branching search alone, in attempts of doubling length until one settles the count; with
// `triesAtRoot`, every candidate is first tried at the root (after the short attempt of loose
// grids), which settles some grids without completion at once.
SolveResult countByBranching(const CellGrid& givens, const solver::ScheduleTuning& tuning,
                             bool triesAtRoot);

// The schedule of the three engines with the root tried first, as countByBranching does.
SolveResult solveInTurnsAfterRootTries(const CellGrid& givens,
                                       const solver::ScheduleTuning& tuning);

// The clause counter alone, run to its end from the givens; a count of -1 when it ran out of
// memory.
SolveResult countWithClauses(const CellGrid& givens);

} // namespace korvani::test
