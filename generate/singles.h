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

} // namespace korvani
