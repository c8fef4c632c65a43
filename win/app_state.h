// The shell's process-wide state: the one GameState and the module instance.
#pragma once

#include <windows.h>

namespace korvani {

struct GameState;

// The single game object; null before start-up creates it and after WM_DESTROY destroyed it.
extern GameState* gameState;

// The module instance, stored just before the main window is created; the dialogs and the
// bitmap loads use it.
extern HINSTANCE appInstance;

} // namespace korvani
