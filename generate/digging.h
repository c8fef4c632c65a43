// Random solved grids and the digging that turns one into a minimal puzzle: givens are emptied in
// a random order, each only while the puzzle keeps exactly one solution.
#pragma once

#include "core/grid.h"
#include "generate/dig_stages.h"
#include "generate/puzzle_rng.h"

#include <vector>

namespace korvani {

// A random complete grid.
CellGrid randomSolvedGrid(PuzzleRng& rng);

// Digs puzzles out of one solved grid. It remembers the unavoidable sets of the grid that it has
// met (cells of which every puzzle with this solution must keep one, because another grid agrees
// with it everywhere else), so that most removals that would cost the puzzle its uniqueness are
// refused without a search; the later digs of the same grid gain most.
class PuzzleDigger {
  public:
    explicit PuzzleDigger(const CellGrid& solution);

    // Empties symmetric pairs of cells (cell and 80 - cell) in random order, keeping each pair
    // empty only while the puzzle keeps exactly one solution. Since emptying cells never takes a
    // solution away, a pair that could not be emptied never can be later: the result is minimal
    // for the symmetry.
    CellGrid digSymmetric(PuzzleRng& rng);

    // Empties the orbits of each of digStages(symmetric) in turn, each stage in random order
    // and each orbit as a whole while the puzzle keeps one solution. The last stage tries every
    // pair or cell still given, so the result is minimal for the symmetry, or minimal.
    CellGrid digInStages(PuzzleRng& rng, bool symmetric);

  private:
    using CellBits = unsigned __int128;

    // Empties the groups in their order, each (or a run of them) while one solution is kept.
    CellGrid digGroups(CellGrid puzzle, const CellGroups& groups);
    // The stage's groups in random order, cut down to the cells still given, dug as above.
    CellGrid digStage(CellGrid puzzle, const CellGroups& stage, PuzzleRng& rng);
    // True when the givens miss a whole unavoidable set met before: a second solution.
    bool emptiesKnownSet(CellBits givens) const;
    // Whether the puzzle still has one solution, by search; `cell` and `mirror` are the one or
    // two cells just emptied when they are a group alone (the same cell twice for one), -1 for
    // a run or a larger group.
    bool searchKeepsOne(CellGrid& puzzle, int cell, int mirror);
    void learnFrom(const CellGrid& completion);

    CellGrid solution_;
    std::vector<CellBits> unavoidable_;
};

// One dig of a fresh digger: what korvani-generate's bundled files were made with.
CellGrid digSymmetricPuzzle(const CellGrid& solution, PuzzleRng& rng);

// True when each of the nine digits appears among the givens; with click-only play a digit that
// no cell shows can never be chosen.
bool showsEveryDigit(const CellGrid& givens);

} // namespace korvani
