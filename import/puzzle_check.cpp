// Checking and grading one puzzle.
#include "import/puzzle_check.h"

#include "core/solver/solver.h"
#include "hint/grader.h"

namespace korvani {

namespace {

// The first two cells (in unit order: rows, columns, boxes) that hold the same given.
bool findClash(const CellGrid& givens, int& first, int& second) {
    for (int unit = 0; unit < 27; ++unit) {
        int seen[10];
        for (int& cell : seen) cell = -1;
        for (int i = 0; i < 9; ++i) {
            const int cell = unitCellAt(unit, i);
            const int digit = givens[static_cast<std::size_t>(cell)];
            if (digit == 0) continue;
            if (seen[digit] >= 0) {
                first = seen[digit];
                second = cell;
                return true;
            }
            seen[digit] = cell;
        }
    }
    return false;
}

} // namespace

CheckedPuzzle checkPuzzle(const ReadPuzzle& puzzle) {
    CheckedPuzzle checked;
    checked.line = puzzle.line;
    checked.count = puzzle.count;
    checked.givens = puzzle.givens;
    switch (puzzle.fault) {
    case ReadFault::wrongCellCount:
        checked.verdict = Verdict::wrongCellCount;
        return checked;
    case ReadFault::shortGrid:
        checked.verdict = Verdict::shortGrid;
        return checked;
    case ReadFault::notAPuzzle:
        checked.verdict = Verdict::notAPuzzle;
        return checked;
    case ReadFault::none:
        break;
    }
    if (findClash(puzzle.givens, checked.clashA, checked.clashB)) {
        checked.verdict = Verdict::clash;
        return checked;
    }
    const SolveResult proof = solveGivens(puzzle.givens);
    if (proof.count != 1) {
        checked.verdict = proof.count == 0 ? Verdict::noSolution : Verdict::manySolutions;
        return checked;
    }
    const GradeResult grade = gradePuzzle(puzzle.givens);
    checked.verdict = Verdict::accepted;
    checked.grade = grade.solved ? grade.difficulty : beyondGraderGrade;
    return checked;
}

} // namespace korvani
