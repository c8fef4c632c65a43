// Grades a puzzle by how hard it is for a person: it is solved with human techniques, always
// with the easiest one that still makes progress, and graded by the hardest one it needed.
#pragma once

#include "hint/techniques.h"

#include <array>
#include <vector>

namespace korvani {

// The difficulty number (1 to 9) that a puzzle needing this technique at its hardest gets:
// 1 hidden singles, 2 naked singles, 3 locked candidates, 4 pairs, 5 triples and quads,
// 6 X-wing, 7 XY-wing, XYZ-wing, swordfish and jellyfish, 8 simple colouring and X-chains,
// 9 XY-chains.
int techniqueDifficulty(Technique technique);

struct GradeResult {
    bool solved = false;                         // every cell filled by the techniques
    bool contradiction = false;                  // givens clash, or the puzzle has no solution
    Technique hardest = Technique::HiddenSingle; // the hardest technique used (solved or not)
    int difficulty = 0;                          // techniqueDifficulty(hardest) when solved, else 0
    std::array<int, techniqueCount> steps{};     // how often each technique was applied
    CellGrid grid{};                             // the digits placed when the grader stopped
};

// Solves with the techniques up to and including `strongest`. A solved puzzle has exactly one
// solution: every deduction holds for every solution, so they all end in the grid found.
GradeResult gradePuzzle(const CellGrid& givens, std::vector<Deduction>* trace = nullptr,
                        Technique strongest = Technique::XYChain);

// gradePuzzle's verdict (solved, contradiction, hardest, difficulty, the final grid) found
// faster, for a generator that grades many puzzles to keep few: singles are placed in sweeps
// instead of one a step. Singles do not depend on their order, so every other technique meets
// the grids that it meets in gradePuzzle and chooses the same instance. `steps` counts only the
// techniques past singles.
GradeResult gradeVerdict(const CellGrid& givens, Technique strongest = Technique::XYChain);

// The step of the easiest technique up to `strongest` that makes progress, without applying it.
// False when none does.
bool findEasiestStep(const PencilGrid& grid, Technique strongest, Step& step);

// One step from a pencil-mark state: the easiest technique up to `strongest` that makes progress
// is applied once. False when none does.
bool applyEasiestTechnique(PencilGrid& grid, Technique strongest, Technique& used,
                           std::vector<Deduction>* trace = nullptr);

} // namespace korvani
