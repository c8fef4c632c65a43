// The dialogs behind commands 104 to 106 and the records, shown modally over the main window.
#pragma once

#include <windows.h>

namespace korvani {

struct GameState;

// Each returns what DialogBoxParamA returned (IDOK when the current puzzle should restart).
INT_PTR runOpenProblemDialog(GameState& game, HWND owner);
INT_PTR runSelectProblemDialog(GameState& game, HWND owner);
void runAboutDialog(HWND owner);
void runRecordsDialog(GameState& game, HWND owner);

} // namespace korvani
