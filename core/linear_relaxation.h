// A proof, when one is quick to find, that a board has no completion because the counts of
// digits its cells and units must take cannot add up even with fractions of digits allowed.
// Grids with repeated givens whose contradiction is such a count are the hardest for search:
// clause learning proves it one placement at a time, over thousands of conflicts.
#pragma once

#include "core/grid.h"

namespace korvani {

// True only when it has found, and checked exactly in integers, a weighted sum of the board's
// counts that no filling of its cells can meet: each empty cell takes one of its candidates,
// each unit's empty cells take each of its required digits once and every other digit at most
// once. `filled`, `candidates` and `required` are as for ClauseCounter::start. False means
// nothing (no proof found within about `work` steps of arithmetic, or out of memory). The
// steps taken are added to `*spent` when given.
bool linearRelaxationRulesOut(const CellGrid& filled, const DigitMask candidates[81],
                              const DigitMask required[27], long long work,
                              long long* spent = nullptr);

} // namespace korvani
