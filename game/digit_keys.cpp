// The keys 1 to 9. A puzzle with a single solution may show only eight distinct digits among its
// givens; with click-only input the ninth could never be selected, so the key selects a digit
// just as a click on a cell showing it does. With the keyboard cursor shown, the key also acts on
// the cursor's cell.
#include "game/game_state.h"

#include "core/notes.h"
#include "game/board_change.h"

namespace korvani {

namespace {

// As Ctrl + click toggles the selected digit's note, for the key's digit; the selection stays.
void toggleNoteAtCursor(GameState& game, int digit) {
    const BoardSnapshot before = boardOf(game);
    if (!toggleNote(game.notes, game.currentProblem->givens, game.userGrid, game.cursorCell,
                    static_cast<std::uint8_t>(digit)))
        return;
    commitChange(game, before);
    redrawAndPresent(game);
}

} // namespace

// Without the cursor this mirrors the selection branch of a left click on a cell that shows a
// digit: the same field, then the cells redrawn and the frame presented. The completion check
// that follows every click on a cell is left out: a selection changes no cell, so the check could
// only repeat the wrong-cells message that the last placement already showed.
void onDigitKey(GameState& game, int digit, bool shift) {
    if (!gameInPlay(game)) return;
    if (digit < 1 || digit > 9) return;
    const int cell = game.cursorCell;
    if (cell >= 0 && (shift || game.noteMode)) {
        toggleNoteAtCursor(game, digit);
        return;
    }
    game.selectedDigit = static_cast<std::int8_t>(digit);
    if (cell >= 0 && game.currentProblem->givens[cell] == 0 && game.userGrid[cell] == 0) {
        clickCell(game, cell); // places the digit just chosen, exactly as a click would
        return;
    }
    redrawAndPresent(game);
}

} // namespace korvani
