// A proof, when one is quick to find, that a board has no completion because the counts of
// digits its cells and units must take cannot add up even with fractions of digits allowed.
// Grids with loose units whose contradiction is such a count are the hardest for search:
// clause learning proves it one placement at a time, over thousands of conflicts.
#pragma once

#include "core/solver/hard/engine.h"

namespace korvani::solver {

// The search for such a proof, which can stop after some work and go on later.
class LinearRelaxation {
  public:
    LinearRelaxation() = default;
    ~LinearRelaxation();
    LinearRelaxation(const LinearRelaxation&) = delete;
    LinearRelaxation& operator=(const LinearRelaxation&) = delete;

    // Sets up the counts of `root`: each empty cell takes one of its candidates, each unit's
    // empty cells take each of its required digits once and every other digit at most once.
    // False when memory runs out.
    bool start(const RootCounts& root);
    // Searches on for about `work` more steps of arithmetic. True once it has found, and
    // checked exactly in integers, a weighted sum of the counts that no filling of the cells
    // can meet: the board has no completion. False means nothing.
    bool run(long long work);
    Verdict verdict() const; // settled only with a count of none
    long long steps() const; // in all runs so far

  private:
    struct State;
    State* state_ = nullptr;
};

} // namespace korvani::solver
