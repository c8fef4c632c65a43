// Counting the completions of a grid up to two by clause learning: the second engine of the
// solver, for the grids on which plain branching keeps meeting the same dead end in new places.
// It can stop after a number of conflicts and go on later, keeping what it has learned.
#pragma once

#include "core/grid.h"

namespace korvani {

class ClauseCounter {
  public:
    ClauseCounter() = default;
    ~ClauseCounter();
    ClauseCounter(const ClauseCounter&) = delete;
    ClauseCounter& operator=(const ClauseCounter&) = delete;

    // Sets up the clauses of `givens` (digits 0..9, 0 empty). False when memory runs out; the
    // counter then stays unusable.
    bool start(const CellGrid& givens);
    // The same from a board narrowed by deductions that every completion obeys: `filled` holds
    // the givens and the digits already placed, `candidates` the digits each empty cell may
    // still take (none that a filled peer holds), and `required` per unit (rows 0-8, columns,
    // boxes) the digits its empty cells must take. Completions keep `filled` as it stands.
    bool start(const CellGrid& filled, const DigitMask candidates[81],
               const DigitMask required[27]);

    // Searches on until about `conflicts` more conflicts have passed. True once the count is
    // settled; false when the budget ran out first, or when the counter is unusable (not
    // started, or out of room for what it learns).
    bool run(long long conflicts);

    bool settled() const;
    int count() const;                // 0, 1 or 2 (two or more); only once settled
    const CellGrid& solution() const; // valid when settled with a count of 1
    long long conflicts() const;      // in all runs so far

    // For tests: whether the counts that the search keeps of its built-in clauses agree with
    // the literals it has taken from its trail (they must, after every run).
    bool countsMatchTrail() const;

  private:
    struct State;
    State* state_ = nullptr;
};

} // namespace korvani
