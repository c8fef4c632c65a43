// Reads puzzles written as 81 characters ('1'-'9' a given, anything else an empty cell) for the
// grader tests.
#pragma once

#include "core/grid.h"
#include "tests/support/grid_text.h"

#include <string>
#include <vector>

namespace korvani {

using test::gridFromText;

// The puzzles of a published set: one a line, lines shorter than 81 characters skipped.
std::vector<CellGrid> readPuzzleSet(const std::string& path);

} // namespace korvani
