// The main window's keys and the pointer's leaving, turned into the rules' keyboard and hover
// operations.
#pragma once

#include <windows.h>

namespace korvani {

struct GameState;

// WM_KEYDOWN: the digits (main row and keypad), the cursor keys, Escape, Space and Enter,
// Delete, Backspace and 0, and N. False for any other key, which goes on to DefWindowProc.
bool onKeyDownMessage(GameState& game, WPARAM key);

// WM_MOUSEMOVE: asks once for the WM_MOUSELEAVE that ends the pointer's stay in the window.
void trackMouseLeave(HWND window);

// WM_MOUSELEAVE: the pointer is gone; the next move asks again.
void onMouseLeaveMessage(GameState& game);

} // namespace korvani
