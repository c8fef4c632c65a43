// The menu commands on the game: 編集 (undo, redo, back to the last right board, filling and
// clearing the notes, the hint) and pause. They go to the rules of play, and their items are
// greyed whenever the rules say they cannot act.
#pragma once

#include <windows.h>

namespace korvani {

struct GameState;

// Runs the command `command` (IDM_UNDO ... IDM_HINT, IDM_BACK_TO_LAST_RIGHT, IDM_PAUSE); false
// for any other id.
bool onEditCommand(GameState& game, WORD command);

// Enables or greys the items of a popup that is about to open (WM_INITMENUPOPUP). Menus without
// them are left as they are. The keyboard
// accelerators open no menu but pass through here as well, so a greyed item's key does nothing
// either.
void enableEditItems(HMENU popup, const GameState& game);

} // namespace korvani
