// Whether a puzzle that was read is a proper sudoku, and how hard it is: givens that clash in a
// row, column or box, no completion, or more than one (counted to two by solveGivens); an
// accepted puzzle is graded by the game's own grader (1 to 9), or 10 when the grader's
// techniques do not finish it. Pure: any thread may check any puzzle.
#pragma once

#include "import/puzzle_reader.h"

namespace korvani {

// The grade of a puzzle that has one solution but that the grader's techniques do not finish.
inline constexpr int beyondGraderGrade = 10;

enum class Verdict {
    accepted,
    wrongCellCount,
    shortGrid,
    notAPuzzle,
    clash, // clashA and clashB hold the same digit in one row, column or box
    noSolution,
    manySolutions,
};

struct CheckedPuzzle {
    int line = 0;
    Verdict verdict = Verdict::notAPuzzle;
    int count = 0;   // the cells or rows read, for wrongCellCount and shortGrid
    int grade = 0;   // 1 to 10 when accepted
    int clashA = -1; // cells, clashA < clashB
    int clashB = -1;
    CellGrid givens{};
};

CheckedPuzzle checkPuzzle(const ReadPuzzle& puzzle);

} // namespace korvani
