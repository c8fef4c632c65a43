// The main window's minimum size while the user drags its frame: the client area never gets
// smaller than 522 x 554; the edge under the mouse stops and the opposite edge stays put.
#pragma once

#include <windows.h>

namespace korvani {

inline constexpr int minimumClientWidth = 522;
inline constexpr int minimumClientHeight = 554; // the board area plus the 32-pixel band

// The window's frame around the client area, measured once after the window was created.
// extraHeight includes the 32-pixel band, so comparing against 522 limits the client to 554.
struct FrameExtra {
    int width = 0;
    int height = 0;
};

FrameExtra measureFrameExtra(HWND window);

// WM_SIZING: changes the proposed window rectangle in place for the dragged edge (WMSZ_*).
void clampSizingRect(RECT& rect, WPARAM edge, const FrameExtra& frame);

} // namespace korvani
