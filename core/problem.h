// One puzzle as loaded from a problem file.
#pragma once

#include "core/grid.h"

#include <cstdint>

namespace korvani {

inline constexpr int maxProblemsPerFile = 30;

struct Problem {
    std::int8_t difficulty = 0; // low 8 bits of the number before the line's '/'
    CellGrid givens{};          // 0 = empty cell
    CellGrid solution{};        // the only completion, givens included
};

} // namespace korvani
