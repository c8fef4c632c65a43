// The keyboard cursor and the keys that act on its cell: moving it, hiding it, the click and
// the erase on its cell, and note mode. Every key that changes the board goes through the same
// steps as the click it stands for, so it is one undo step and runs the same checks.
#include "game/game_state.h"

#include "game/board_change.h"

namespace korvani {

namespace {

constexpr int centreCell = 40;

bool isEmptyCell(const GameState& game, int cell) {
    return game.currentProblem->givens[cell] == 0 && game.userGrid[cell] == 0;
}

// One step of `key` from `cell`, or -1 past the board's edge.
int stepFrom(int cell, CursorKey key) {
    const int row = cell / 9;
    const int column = cell % 9;
    switch (key) {
    case CursorKey::Left:
        return column > 0 ? cell - 1 : -1;
    case CursorKey::Right:
        return column < 8 ? cell + 1 : -1;
    case CursorKey::Up:
        return row > 0 ? cell - 9 : -1;
    case CursorKey::Down:
        return row < 8 ? cell + 9 : -1;
    default:
        return -1;
    }
}

int cursorTarget(const GameState& game, CursorKey key, bool ctrl) {
    const int cell = game.cursorCell;
    const int rowStart = cell - cell % 9;
    switch (key) {
    case CursorKey::Home:
        return ctrl ? 0 : rowStart;
    case CursorKey::End:
        return ctrl ? 80 : rowStart + 8;
    default:
        break;
    }
    if (!ctrl) {
        const int next = stepFrom(cell, key);
        return next >= 0 ? next : cell; // the edge holds the cursor
    }
    // Over the filled cells to the next empty one; with none that way the cursor stays.
    for (int next = stepFrom(cell, key); next >= 0; next = stepFrom(next, key)) {
        if (isEmptyCell(game, next)) return next;
    }
    return cell;
}

bool cursorShownInPlay(const GameState& game) {
    return gameInPlay(game) && game.cursorCell >= 0;
}

} // namespace

void onCursorKey(GameState& game, CursorKey key, bool ctrl) {
    if (!gameInPlay(game)) return;
    int target = 0;
    if (game.cursorCell < 0) {
        target = game.lastPointedCell >= 0 && game.lastPointedCell < 81 ? game.lastPointedCell
                                                                        : centreCell;
    } else {
        target = cursorTarget(game, key, ctrl);
        if (target == game.cursorCell) return;
    }
    game.cursorCell = target;
    redrawAndPresent(game);
}

void onEscapeKey(GameState& game) {
    // The hint's balloon goes first, and with it the key.
    if (game.view->closeHint()) return;
    if (!cursorShownInPlay(game)) return;
    game.cursorCell = -1;
    redrawAndPresent(game);
}

void onActivateKey(GameState& game) {
    // A paused game is not solved: the key must not move on to the next puzzle.
    if (game.currentProblem == nullptr || game.paused) return;
    if (!gameInPlay(game)) {
        moveOnAfterSolve(game);
        return;
    }
    if (game.cursorCell >= 0) clickCell(game, game.cursorCell);
}

void onEraseKey(GameState& game) {
    if (cursorShownInPlay(game)) eraseCell(game, game.cursorCell);
}

void onNoteModeKey(GameState& game) {
    if (!cursorShownInPlay(game)) return;
    game.noteMode = !game.noteMode;
    redrawAndPresent(game);
}

} // namespace korvani
