// Commands 104 to 106 and the records: the dialogs of resources 111, 108, 116 and 140, modal over
// the main window, with the progress store as their parameter.
#include "win/dialog_commands.h"

#include "game/game_state.h"
#include "win/app_state.h"
#include "win/dialogs.h"

namespace korvani {

namespace {

INT_PTR runDialog(WORD resource, HWND owner, DLGPROC procedure, LPARAM parameter) {
    return DialogBoxParamW(appInstance, MAKEINTRESOURCEW(resource), owner, procedure, parameter);
}

} // namespace

INT_PTR runOpenProblemDialog(GameState& game, HWND owner) {
    return runDialog(openProblemDialogId, owner, openProblemDialogProc,
                     reinterpret_cast<LPARAM>(&game.progress));
}

INT_PTR runSelectProblemDialog(GameState& game, HWND owner) {
    return runDialog(selectProblemDialogId, owner, selectProblemDialogProc,
                     reinterpret_cast<LPARAM>(&game.progress));
}

void runAboutDialog(HWND owner) {
    runDialog(aboutDialogId, owner, aboutDialogProc, 0);
}

void runRecordsDialog(GameState& game, HWND owner) {
    runDialog(recordsDialogId, owner, recordsDialogProc, reinterpret_cast<LPARAM>(&game.progress));
}

} // namespace korvani
