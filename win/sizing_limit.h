// The main window's minimum size while the user drags its frame: the client area never gets
// smaller than 522 x 554 at 96 DPI (scaled with the display); the edge under the mouse stops
// and the opposite edge stays put.
#pragma once

#include "render/board_geometry.h"

#include <windows.h>

namespace korvani {

inline constexpr int minimumClientWidth = 522;
inline constexpr int minimumClientHeight = 554; // the board area plus the 32-pixel band

// The window's frame around the client area, measured after the window was created and again
// after each change of display scale. height includes the band, so comparing against
// minimumSide (the board area's side, 522 at 96 DPI) limits the client height to side + band.
struct FrameExtra {
    int width = 0;
    int height = 0;
    int minimumSide = minimumClientWidth;
};

// The frame of the window as it is now, with the band and the minimum of `metrics`.
FrameExtra measureFrameExtra(HWND window, const LayoutMetrics& metrics);

// WM_SIZING: changes the proposed window rectangle in place for the dragged edge (WMSZ_*).
void clampSizingRect(RECT& rect, WPARAM edge, const FrameExtra& frame);

} // namespace korvani
