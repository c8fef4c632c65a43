// The keys 1 to 9: the one keyboard input. A puzzle with a single solution may show only eight
// distinct digits among its givens; with click-only input the ninth could never be selected,
// so the key selects a digit just as a click on a cell showing it does.
#include "game/game_state.h"

#include "game/board_change.h"

namespace korvani {

// Mirrors the selection branch of a left click on a cell that shows a digit: the same field,
// then the cells redrawn and the frame presented. The completion check that follows every
// click on a cell is left out: a selection changes no cell, so the check could only repeat the
// wrong-cells message that the last placement already showed.
void onDigitKey(GameState& game, int digit) {
    if (!gameInPlay(game)) return;
    if (digit < 1 || digit > 9) return;
    game.selectedDigit = static_cast<std::int8_t>(digit);
    game.view->drawCells(boardPicture(game));
    game.view->presentFrame();
}

} // namespace korvani
