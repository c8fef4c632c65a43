// Reads puzzles written as 81 characters ('1'-'9' a given, anything else an empty cell) for the
// grader tests.
#pragma once

#include "core/grid.h"

#include <string>
#include <vector>

namespace korvani {

inline CellGrid gridFromText(const std::string& text) {
    CellGrid grid{};
    for (std::size_t i = 0; i < 81 && i < text.size(); ++i) {
        const char c = text[i];
        grid[i] = (c >= '1' && c <= '9') ? std::uint8_t(c - '0') : 0;
    }
    return grid;
}

// The puzzles of a published set: one a line, lines shorter than 81 characters skipped.
std::vector<CellGrid> readPuzzleSet(const std::string& path);

} // namespace korvani
