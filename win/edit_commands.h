// The 編集 menu: undo, redo, filling and clearing the notes, and the hint. Its commands go to the
// rules of play, and its items are greyed whenever the rules say they cannot act.
#pragma once

#include <windows.h>

namespace korvani {

struct GameState;

// Runs the 編集 command `command` (IDM_UNDO ... IDM_HINT); false for any other id.
bool onEditCommand(GameState& game, WORD command);

// Enables or greys the 編集 items of a popup that is about to open (WM_INITMENUPOPUP). Menus
// without them are left as they are. The keyboard accelerators open no menu but pass through
// here as well, so a greyed item's key does nothing either.
void enableEditItems(HMENU popup, const GameState& game);

} // namespace korvani
