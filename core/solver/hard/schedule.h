// The schedule of the hard engines, for what the short search leaves: grids with repeated givens
// and grids it cannot finish within its budget. The branching search runs attempts of doubling
// length; before each, the clause counter gets a turn in proportion, and on grids with loose
// units the linear relaxation shares that turn in slices. Every engine is complete or proves
// only what holds, so whichever settles first answers.
#pragma once

#include "core/solver/hard/branching_search.h"
#include "core/solver/hard/tuning.h"
#include "core/solver/solver.h"

namespace korvani::solver {

// Counts the completions of `givens` (digits 0..9) up to two; `stats`, when given, receives the
// work of each engine.
SolveResult solveInTurns(const CellGrid& givens, SolveStats* stats,
                         const ScheduleTuning& tuning = {});

// The turns from a branching search that has been started from the givens and may have run
// already (tests open it in their own ways).
SolveResult takeTurns(BranchingSearch& branching, SolveStats* stats, const ScheduleTuning& tuning);

} // namespace korvani::solver
