// The grading loop and the mapping from techniques to difficulty numbers.
#include "hint/grader.h"

namespace korvani {

int techniqueDifficulty(Technique technique) {
    switch (technique) {
    case Technique::HiddenSingle:
        return 1;
    case Technique::NakedSingle:
        return 2;
    case Technique::LockedCandidates:
        return 3;
    case Technique::NakedPair:
    case Technique::HiddenPair:
        return 4;
    case Technique::NakedTriple:
    case Technique::HiddenTriple:
    case Technique::NakedQuad:
    case Technique::HiddenQuad:
        return 5;
    case Technique::XWing:
        return 6;
    case Technique::XYWing:
    case Technique::XYZWing:
    case Technique::Swordfish:
    case Technique::Jellyfish:
        return 7;
    case Technique::SimpleColouring:
    case Technique::XChain:
        return 8;
    case Technique::XYChain:
        return 9;
    }
    return 9;
}

bool findEasiestStep(const PencilGrid& grid, Technique strongest, Step& step) {
    for (int t = 0; t <= int(strongest); ++t) {
        if (findStep(Technique(t), grid, step)) return true;
    }
    return false;
}

bool applyEasiestTechnique(PencilGrid& grid, Technique strongest, Technique& used,
                           std::vector<Deduction>* trace) {
    Step step;
    if (!findEasiestStep(grid, strongest, step)) return false;
    applyStep(grid, step, trace);
    used = step.technique;
    return true;
}

GradeResult gradePuzzle(const CellGrid& givens, std::vector<Deduction>* trace,
                        Technique strongest) {
    GradeResult result;
    PencilGrid grid;
    if (!pencilFromGivens(givens, grid)) {
        result.contradiction = true;
        result.grid = givens;
        return result;
    }
    // A step may leave the state without any solution (only when the givens have none); stop
    // there rather than let later techniques reason from a broken state.
    Technique used = Technique::HiddenSingle;
    while (!hasContradiction(grid) && applyEasiestTechnique(grid, strongest, used, trace)) {
        ++result.steps[int(used)];
        if (used > result.hardest) result.hardest = used;
    }
    result.grid = grid.values;
    result.contradiction = hasContradiction(grid);
    result.solved = !result.contradiction && isFilled(grid);
    result.difficulty = result.solved ? techniqueDifficulty(result.hardest) : 0;
    return result;
}

} // namespace korvani
