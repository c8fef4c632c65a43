// The board for screen readers: a UI Automation provider tree under the main window. The board
// is a 9 x 9 grid of cells named by place and content, the two buttons can be invoked, the clock
// is a text with its time. Focus follows the keyboard cursor, a cell's name change is reported,
// and the hint's explanation and the clear are announced.
#pragma once

#include "game/game_view.h"
#include "render/board_renderer.h"

#include <windows.h>

namespace korvani {

struct AppState;

// WM_GETOBJECT: the provider of the window's client area, for UI Automation's request (the root
// object id); false for every other request, which goes on to DefWindowProc.
// The elements read `app` until disconnectProviders.
bool answerGetObject(HWND window, AppState& app, WPARAM wParam, LPARAM lParam, LRESULT& result);

// After every drawing of the cells: the names that changed and the cursor's move are reported,
// once a client has asked for the provider (nothing is done before).
void reportBoard(const BoardPicture& picture, const BoardRenderer& renderer);

// After every drawing of the clock: the time its element says.
void reportClock(int seconds);

// A text said at once, where Windows offers notifications (UTF-8).
void announce(const char* utf8Text);

// WM_DESTROY: the providers let go of the window; later calls find no element.
void disconnectProviders(HWND window);

} // namespace korvani
