// A quick look at how far singles alone take a puzzle, on per-digit bit boards. The generator
// uses it to pass over the many puzzles that cannot have the asked grade before it asks the
// grader, which costs some hundred times more; the grader still has the last word on every
// puzzle kept.
#pragma once

#include "core/grid.h"

namespace korvani {

enum class SinglesReach {
    hiddenSingles, // hidden singles alone fill every cell
    nakedSingles,  // hidden and naked singles together do, hidden alone do not
    stuck,         // singles stop short (or meet a contradiction)
};

SinglesReach singlesReach(const CellGrid& givens);

// Whether hidden and naked singles together fill every cell: singlesReach without telling the
// two apart, which is quicker since singles find the same grid in any order.
bool singlesSolve(const CellGrid& givens);

} // namespace korvani
