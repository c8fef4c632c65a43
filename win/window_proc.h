// The main window's procedure: routes each message to the part that handles it (renderer,
// rules of play, dialogs) through one small handler per message.
#pragma once

#include "win/sizing_limit.h"

#include <windows.h>

namespace korvani {

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Start-up measures the frame once the window exists; WM_SIZING clamps with it.
void setFrameExtra(const FrameExtra& frame);

} // namespace korvani
