// Finds the puzzles in a text (in the form normalizeText gives): one puzzle per line (81 cells,
// a comment after a blank or tab), 9 x 9 grids over nine lines with or without box separators,
// and korvani's own problem lines. Blank lines, lines beginning with '#' and section headers
// such as [Puzzle] are passed over, and so are lines without any digit (prose around a pasted
// puzzle); what is left and is not a puzzle is reported where it begins.
#pragma once

#include "core/grid.h"

#include <string_view>
#include <vector>

namespace korvani {

// A text with more puzzles than this is refused as a whole.
inline constexpr int maxImportPuzzles = 10000;

enum class ReadFault {
    none,
    wrongCellCount, // a line of cells that does not hold 81 (`count` holds how many it has)
    shortGrid,      // a grid that ends before its ninth row (`count` holds its rows)
    notAPuzzle,     // lines with digits that are neither cells nor a grid (a pencil-mark grid)
};

struct ReadPuzzle {
    int line = 0; // 1-based line where the puzzle (or what is not one) begins
    ReadFault fault = ReadFault::none;
    int count = 0;
    CellGrid givens{}; // with fault none
};

struct ReadPuzzles {
    std::vector<ReadPuzzle> puzzles; // in text order, faults included
    bool tooMany = false;            // more than maxImportPuzzles: puzzles is empty
};

ReadPuzzles readPuzzles(std::string_view text);

} // namespace korvani
