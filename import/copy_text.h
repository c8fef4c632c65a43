// The current puzzle as other sudoku programs paste it: its givens as one line of 81 characters,
// '.' for an empty cell.
#pragma once

#include "core/grid.h"

#include <cstddef>

namespace korvani {

inline constexpr std::size_t copyLineSize = 82; // 81 cells and a NUL

void formatCopyLine(const CellGrid& givens, char (&line)[copyLineSize]);

} // namespace korvani
