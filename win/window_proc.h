// The main window's procedure: routes each message to the part that handles it (renderer,
// rules of play, dialogs) through one small handler per message. The window is created with its
// AppState as CreateWindowExW's parameter and keeps it in GWLP_USERDATA until WM_DESTROY, which
// ends the run.
#pragma once

#include <windows.h>

namespace korvani {

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace korvani
