// The 編集 menu's commands and the state of its items, both taken from the rules of play.
#include "win/edit_commands.h"

#include "game/game_state.h"
#include "win/resources/resource.h"

namespace korvani {

bool onEditCommand(GameState& game, WORD command) {
    switch (command) {
    case IDM_UNDO:
        onUndo(game);
        return true;
    case IDM_REDO:
        onRedo(game);
        return true;
    case IDM_FILL_NOTES:
        onFillNotes(game);
        return true;
    case IDM_CLEAR_NOTES:
        onClearNotes(game);
        return true;
    case IDM_HINT:
        onHint(game);
        return true;
    case IDM_BACK_TO_LAST_RIGHT:
        onBackToLastRight(game);
        return true;
    case IDM_PAUSE:
        onPause(game);
        return true;
    default:
        return false;
    }
}

void enableEditItems(HMENU popup, const GameState& game) {
    struct Item {
        UINT command;
        bool (*canAct)(const GameState&);
    };
    static constexpr Item items[] = {{IDM_UNDO, canUndo},
                                     {IDM_REDO, canRedo},
                                     {IDM_FILL_NOTES, canFillNotes},
                                     {IDM_CLEAR_NOTES, canClearNotes},
                                     {IDM_HINT, canHint},
                                     {IDM_BACK_TO_LAST_RIGHT, canBackToLastRight},
                                     {IDM_PAUSE, canPause}};
    // By command: in a popup without these items EnableMenuItem changes nothing.
    for (const Item& item : items)
        EnableMenuItem(popup, item.command,
                       MF_BYCOMMAND | (item.canAct(game) ? MF_ENABLED : MF_GRAYED));
}

} // namespace korvani
