// Start-up restore and the save on exit, for the real program: the executable's path from
// GetModuleFileNameA, the atomic write with MoveFileExA, and the message when the write fails.
#include "progress/progress_io.h"

#include "game/game_state.h"
#include "progress/atomic_file.h"
#include "progress/progress_records.h"
#include "progress/progress_restore.h"
#include "progress/save_file.h"
#include "win/dialogs.h"

namespace korvani {

namespace {

void beginGame(GameState& game, const StartingGame& start) {
    ProgressStore& store = game.progress;
    game.currentProblem = &store.problems[store.header.currentProblemIndex];
    game.userGrid = start.userGrid;
    game.elapsedSeconds = start.elapsedSeconds;
    // 1 leaves the new game to the shell's restart; 0 goes on with the stored one.
    game.solvedFlag = start.resume ? 0 : 1;
}

// Step 9 of start-up: the Open-problem dialog, with no owner, when there is no save file or its
// problem file cannot be loaded. On IDOK the dialog has loaded the chosen file, set the current
// puzzle to its first uncleared one, and left solvedFlag at 1 for the shell's restart.
bool chooseProblemFileAtStartup(GameState& game, HINSTANCE instance) {
    if (!runStartupOpenProblemDialog(instance, game.progress)) return false;
    beginGame(game, StartingGame{});
    return true;
}

} // namespace

bool loadProgress(GameState& game, HINSTANCE instance) {
    ProgressStore& store = game.progress;
    char modulePath[savePathCapacity];
    const DWORD length = GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    // A path cut to fit the buffer would name another folder: no save file is read or written
    // there, and no problem file can be found beside the executable either.
    if (!deriveSavePath(store, modulePath, length)) return false;
    StartingGame start;
    switch (restoreProgress(store, start)) {
    case RestoreOutcome::ready:
        beginGame(game, start);
        return true;
    case RestoreOutcome::chooseProblemFile:
        return chooseProblemFileAtStartup(game, instance);
    case RestoreOutcome::failed:
        return false;
    }
    return false;
}

bool saveProgress(GameState& game) {
    storeGameInHeader(game.progress.header, game.userGrid, game.elapsedSeconds,
                      game.solvedFlag == 0);
    return writeSaveFile(game.progress, writeFileAtomically);
}

void destroyGameState(GameState* game) {
    if (game == nullptr) return;
    if (game->solvedFlag == 0) KillTimer(game->mainWindow, clockTimerId);
    if (game->mainWindow != nullptr && !saveProgress(*game)) {
        // Told while everything still stands, so that the player knows the progress of this
        // run is not on the disk. The window may already be gone when the loop ended first.
        HWND owner = IsWindow(game->mainWindow) ? game->mainWindow : nullptr;
        MessageBoxA(owner, "セーブファイルを書き込めませんでした。", "確認", MB_OK);
    }
    release(game->renderer);
    releaseRecords(game->progress);
    delete game;
}

} // namespace korvani
