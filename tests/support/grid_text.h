// Grids written as 81 characters, row by row: '1'..'9' a digit, anything else an empty cell.
#pragma once

#include "core/grid.h"

#include <string>

namespace korvani::test {

inline CellGrid gridFromText(const std::string& text) {
    CellGrid grid{};
    for (std::size_t i = 0; i < 81 && i < text.size(); ++i) {
        const char c = text[i];
        grid[i] = (c >= '1' && c <= '9') ? static_cast<std::uint8_t>(c - '0') : 0;
    }
    return grid;
}

// '.' for empty cells.
inline std::string gridToText(const CellGrid& grid) {
    std::string text(81, '.');
    for (int i = 0; i < 81; ++i) {
        if (grid[i] >= 1 && grid[i] <= 9) text[i] = static_cast<char>('0' + grid[i]);
    }
    return text;
}

} // namespace korvani::test
