// Counting the completions of a grid up to two by clause learning: the second engine of the
// solver, for the grids on which plain branching keeps meeting the same dead end in new places.
// It can stop after a number of conflicts and go on later, keeping what it has learned.
#pragma once

#include "core/solver/hard/engine.h"

namespace korvani::solver {

class ClauseCounter {
  public:
    ClauseCounter() = default;
    ~ClauseCounter();
    ClauseCounter(const ClauseCounter&) = delete;
    ClauseCounter& operator=(const ClauseCounter&) = delete;

    // Sets up the clauses of `root`. False when memory runs out; the counter then stays
    // unusable.
    bool start(const RootCounts& root);

    // Searches on until about `conflicts` more conflicts have passed. True once the count is
    // settled; false when the budget ran out first, or when the counter is unusable (not
    // started, or out of room for what it learns).
    bool run(long long conflicts);

    Verdict verdict() const;
    long long conflicts() const; // in all runs so far

    // For tests: whether the counts that the search keeps of its built-in clauses agree with
    // the literals it has taken from its trail (they must, after every run).
    bool countsMatchTrail() const;

  private:
    struct State;
    State* state_ = nullptr;
};

} // namespace korvani::solver
