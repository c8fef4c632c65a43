// Where everything goes in the client area: the cell edges of the board, the button bar and the
// clock, computed from the client size alone. Platform-free so it can be checked natively.
#pragma once

#include <cstdint>

namespace korvani {

inline constexpr int bandHeight = 32;       // the strip above the board with buttons and clock
inline constexpr int buttonWidth = 90;
inline constexpr int buttonHeight = 30;
inline constexpr int clockWidth = 68;

struct BoardGeometry {
    std::int32_t colX[10] = {}; // left edges of the nine columns, then the outline's right edge
    std::int32_t rowY[10] = {}; // top edges of the nine rows, then the outline's bottom edge
    std::int32_t cellSize = 0;
    std::int32_t boardSize = 0; // side of the black outline square
    std::int32_t buttonBarX = 0;
    std::int32_t clockX = 0;
};

BoardGeometry computeBoardGeometry(int width, int height);

} // namespace korvani
