// The grading loop and the mapping from techniques to difficulty numbers.
#include "hint/grader.h"

#include <algorithm>

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

namespace {

// The pencil marks of the givens; false, with the result saying so, when they clash.
bool startGrading(const CellGrid& givens, PencilGrid& grid, GradeResult& result) {
    if (pencilFromGivens(givens, grid)) return true;
    result.contradiction = true;
    result.grid = givens;
    return false;
}

// The verdict from where the techniques stopped; `result.hardest` is already set.
void endGrading(const PencilGrid& grid, GradeResult& result) {
    result.grid = grid.values;
    result.contradiction = hasContradiction(grid);
    result.solved = !result.contradiction && isFilled(grid);
    result.difficulty = result.solved ? techniqueDifficulty(result.hardest) : 0;
}

} // namespace

GradeResult gradePuzzle(const CellGrid& givens, std::vector<Deduction>* trace,
                        Technique strongest) {
    GradeResult result;
    PencilGrid grid;
    if (!startGrading(givens, grid, result)) return result;
    // A step may leave the state without any solution (only when the givens have none); stop
    // there rather than let later techniques reason from a broken state.
    Technique used = Technique::HiddenSingle;
    while (!hasContradiction(grid) && applyEasiestTechnique(grid, strongest, used, trace)) {
        ++result.steps[int(used)];
        if (used > result.hardest) result.hardest = used;
    }
    endGrading(grid, result);
    return result;
}

namespace {

enum class Sweep { placed, none, contradiction };

// Places every hidden single of every unit, sweeping until none is left.
Sweep placeHiddenSingles(PencilGrid& grid) {
    Sweep result = Sweep::none;
    for (bool again = true; again;) {
        again = false;
        for (const auto& unit : unitCells) {
            DigitMask once = 0, twice = 0, placed = 0;
            for (std::uint8_t cell : unit) {
                const DigitMask c = grid.candidates[cell];
                twice |= once & c;
                once |= c;
                if (grid.values[cell] != 0) placed |= maskOfDigit(grid.values[cell]);
            }
            if ((once | placed) != allDigits) return Sweep::contradiction;
            for (DigitMask lone = once & DigitMask(~twice); lone != 0;
                 lone &= DigitMask(lone - 1)) {
                const DigitMask bit = DigitMask(lone & -lone);
                // An earlier single of this sweep may have filled the cell; the next sweep
                // then finds the digit without a place.
                for (std::uint8_t cell : unit) {
                    if ((grid.candidates[cell] & bit) == 0) continue;
                    placeDigit(grid, cell, digitOfMask(bit));
                    again = true;
                    result = Sweep::placed;
                    break;
                }
            }
        }
    }
    return result;
}

// Places the first naked single in reading order.
Sweep placeNakedSingle(PencilGrid& grid) {
    for (int cell = 0; cell < 81; ++cell) {
        if (grid.values[cell] != 0) continue;
        const DigitMask c = grid.candidates[cell];
        if (c == 0) return Sweep::contradiction;
        if (bitCount(c) == 1) {
            placeDigit(grid, cell, digitOfMask(c));
            return Sweep::placed;
        }
    }
    return Sweep::none;
}

} // namespace

GradeResult gradeVerdict(const CellGrid& givens, Technique strongest) {
    GradeResult result;
    PencilGrid grid;
    if (!startGrading(givens, grid, result)) return result;
    Technique hardest = Technique::HiddenSingle;
    for (;;) {
        if (placeHiddenSingles(grid) == Sweep::contradiction) break;
        const Sweep naked = placeNakedSingle(grid);
        if (naked == Sweep::contradiction) break;
        if (naked == Sweep::placed) {
            hardest = std::max(hardest, Technique::NakedSingle);
            continue;
        }
        if (hasContradiction(grid)) break;
        Step step;
        bool found = false;
        for (int t = int(Technique::LockedCandidates); t <= int(strongest) && !found; ++t) {
            found = findStep(Technique(t), grid, step);
        }
        if (!found) break;
        applyStep(grid, step, nullptr);
        ++result.steps[int(step.technique)];
        hardest = std::max(hardest, step.technique);
    }
    result.hardest = hardest;
    endGrading(grid, result);
    return result;
}

} // namespace korvani
