// The shell's state: the one GameState with the window view that shows it and the window's
// frame, the module instance, and the start and end of a run (restore from the save file, the
// write on exit).
#pragma once

#include "game/game_state.h"
#include "win/sizing_limit.h"
#include "win/window_view.h"

#include <windows.h>

namespace korvani {

// The one GameState and its view. WinMain owns it and hands it to the main window at its
// creation; the window procedure reaches it through the window.
struct AppState {
    GameState game;
    WindowView view;
    FrameExtra frame; // measured once the window exists and after a change of scale

    // game.view points at view, and the view at the store, for the whole run.
    AppState() {
        game.view = &view;
        view.progress = &game.progress;
    }
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;
};

// The module instance, stored just before the main window is created; the dialogs and the
// bitmap loads use it.
extern HINSTANCE appInstance;

// Start-up: derives the save path from the executable's path, reads the save file, loads the
// problem file it names and resumes the stored game or picks the next uncleared puzzle. On
// return true, a resumed game is in play, and any other is not started: the shell restarts it.
// False means start-up has failed and the program ends without writing a save file.
bool loadProgress(GameState& game, HINSTANCE instance);

// Stores the current game in the header and writes the whole save file, replacing the old one
// only once the new one is complete on the disk. True only when the file was written.
bool saveProgress(GameState& game);

// Ends the run (WM_DESTROY, or the end of the message loop without it): stops the clock and
// writes the save file and the notes when the main window exists, telling the player with a
// message box when the save fails. The view then holds no window, so a second call does nothing
// and a run that ended before the window existed writes nothing.
void endRun(AppState& app);

} // namespace korvani
