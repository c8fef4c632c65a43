// The shell's process-wide state: the one GameState with the window view that shows it, the
// module instance, and the start and end of a run (restore from the save file, the write on
// exit).
#pragma once

#include "game/game_state.h"
#include "win/window_view.h"

#include <windows.h>

namespace korvani {

// The one GameState and its view; game.view points at view for the whole run.
struct AppState {
    GameState game;
    WindowView view;
};

// The single game object; null before start-up creates it and after WM_DESTROY destroyed it.
extern AppState* appState;

// The module instance, stored just before the main window is created; the dialogs and the
// bitmap loads use it.
extern HINSTANCE appInstance;

// A fresh AppState with every field at its initial value and the game wired to its view, or
// null when out of memory. It is freed by destroyGameState, which saves first.
AppState* createAppState();

// Start-up: derives the save path from the executable's path, reads the save file, loads the
// problem file it names and resumes the stored game or picks the next uncleared puzzle. On
// return true, solvedFlag is 0 for a resumed game and 1 when the shell must call restart. False
// means start-up has failed and the program ends without writing a save file.
bool loadProgress(GameState& game, HINSTANCE instance);

// Stores the current game in the header and writes the whole save file, replacing the old one
// only once the new one is complete on the disk. True only when the file was written.
bool saveProgress(GameState& game);

// Ends the run: stops the clock, writes the save file when the main window exists (telling the
// player with a message box when that fails), releases the renderer and the records, and frees
// the AppState. Null is ignored.
void destroyGameState(AppState* app);

} // namespace korvani
