// The shell's process-wide state, and the two ends of a run: start-up restore from the save file
// beside the executable (GetModuleFileNameW), and the save on exit with the atomic write and the
// message when the write fails.
#include "win/app_state.h"

#include "files/atomic_file.h"
#include "progress/notes_file.h"
#include "progress/progress_records.h"
#include "progress/progress_restore.h"
#include "progress/records_log.h"
#include "progress/save_file.h"
#include "text/code_pages.h"
#include "win/dialogs.h"
#include "win/wide_text.h"

#include <cstring>

namespace korvani {

HINSTANCE appInstance = nullptr;

namespace {

void beginGame(GameState& game, const StartingGame& start) {
    ProgressStore& store = game.progress;
    game.currentProblem = &store.problems[store.header.currentProblemIndex];
    game.userGrid = start.userGrid;
    game.elapsedSeconds = start.elapsedSeconds;
    // A stored game goes on; otherwise the shell's restart starts the puzzle.
    game.phase = start.resume ? PlayPhase::InPlay : PlayPhase::NotStarted;
    // Only a resumed game can have notes: they are kept for exactly its placed digits, with the
    // game's flags (paused, and what its clear's record will tell).
    std::uint32_t flags = 0;
    if (start.resume)
        restoreNotes(store, game.currentProblem->givens, game.userGrid, game.notes, &flags);
    game.paused = (flags & notesFlagPaused) != 0;
    game.clearFlags = static_cast<std::uint8_t>(flags & clearFlagsAll);
}

// The Open-problem dialog, with no owner, when there is no save file or its problem file cannot
// be loaded. On IDOK the dialog has loaded the chosen file, set the current puzzle to its first
// uncleared one, and left the game not started, for the shell's restart.
bool chooseProblemFileAtStartup(GameState& game, HINSTANCE instance) {
    if (!runStartupOpenProblemDialog(instance, game.progress)) return false;
    beginGame(game, StartingGame{});
    return true;
}

} // namespace

AppState::~AppState() {
    release(view.renderer);
}

bool loadProgress(GameState& game, HINSTANCE instance) {
    ProgressStore& store = game.progress;
    // The path is held as UTF-8, so that a folder name in any script can be opened again.
    wchar_t widePath[savePathCapacity];
    char modulePath[savePathCapacity];
    // A path cut to fit the buffer would name another folder: no save file is read or written
    // there, and no problem file can be found beside the executable either.
    if (executablePath(widePath, savePathCapacity) == 0 ||
        !narrowText(codePageUtf8, widePath, modulePath, savePathCapacity) ||
        !deriveSavePathUtf8(store, modulePath, std::strlen(modulePath)))
        return false;
    // The player's choices, beside the save file; without the file every choice is unset.
    game.settings = loadSettings(store.savePath);
    StartingGame start;
    switch (restoreProgress(store, start)) {
    case RestoreOutcome::ready:
        beginGame(game, start);
        return true;
    case RestoreOutcome::chooseProblemFile:
        return chooseProblemFileAtStartup(game, instance);
    }
    return false;
}

bool saveProgress(GameState& game) {
    // The save file keeps a game only while it is in play (savedGameFlag).
    storeGameInHeader(game.progress.header, game.userGrid, game.elapsedSeconds,
                      game.phase == PlayPhase::InPlay);
    return writeSaveFile(game.progress, writeFileAtomically);
}

void endRun(AppState& app) {
    GameState& game = app.game;
    WindowView& view = app.view;
    if (view.mainWindow == nullptr) return;
    if (game.phase == PlayPhase::InPlay) view.stopClock();
    if (!saveProgress(game)) {
        // Told while everything still stands, so that the player knows the progress of this
        // run is not on the disk. The window may already be gone when the loop ended first.
        HWND owner = IsWindow(view.mainWindow) ? view.mainWindow : nullptr;
        showMessageBox(owner, "セーブファイルを書き込めませんでした。", "確認", MB_OK);
    }
    // The notes are a convenience beside the save file: without them the game still resumes,
    // so a failed write is not worth a second message.
    const bool inPlay = game.phase == PlayPhase::InPlay;
    const std::uint32_t flags = inPlay ? (game.paused ? notesFlagPaused : 0) | game.clearFlags : 0;
    saveNotes(game.progress, game.userGrid, game.notes, writeFileAtomically, flags);
    view.hintBalloon.destroy();
    view.mainWindow = nullptr;
}

} // namespace korvani
