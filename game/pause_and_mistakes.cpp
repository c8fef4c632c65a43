// The pause that hides the board and stops the clock, the mistake display, and the way back to
// the last board without a wrong digit.
#include "game/game_state.h"

#include "game/board_change.h"

namespace korvani {

namespace {

// A game started and not solved, paused or not.
bool gameStarted(const GameState& game) {
    return game.phase == PlayPhase::InPlay;
}

bool hasWrongDigit(const CellGrid& userGrid, const Problem& problem) {
    for (int cell = 0; cell < 81; ++cell)
        if (userGrid[cell] != 0 && userGrid[cell] != problem.solution[cell]) return true;
    return false;
}

// The latest board before the shown one without a wrong digit, or -1 when the shown board has
// none (there is nothing to go back from) or no earlier board is free of them.
int lastRightBoard(const GameState& game) {
    if (!gameInPlay(game) || !hasWrongDigit(game.userGrid, *game.currentProblem)) return -1;
    const MoveHistory& history = game.history;
    if (static_cast<std::size_t>(history.position) >= history.boards.size()) return -1;
    for (int index = history.position - 1; index >= 0; --index) {
        const BoardSnapshot& board = history.boards[static_cast<std::size_t>(index)];
        if (!hasWrongDigit(board.userGrid, *game.currentProblem)) return index;
    }
    return -1;
}

} // namespace

void onPause(GameState& game) {
    if (!gameStarted(game)) return;
    if (!game.paused) {
        game.paused = true;
        game.view->stopClock();
        game.view->closeHint();
        // The pointer's cell is looked at again with its next move after the pause.
        game.hoveredCell = -1;
        game.view->drawPausePanel(true);
        game.view->presentFrame();
        return;
    }
    game.paused = false;
    game.view->drawPausePanel(false);
    redrawAndPresent(game);
    game.view->startClock();
}

void resumeStoredGame(GameState& game) {
    game.view->layout();
    if (!game.paused) game.view->startClock();
    game.view->redrawAll(game);
}

bool mistakeDisplayOn(const GameState& game) {
    return game.settings.showMistakes == 1;
}

void setMistakeDisplay(GameState& game, bool on) {
    if (mistakeDisplayOn(game) == on) return;
    game.settings.showMistakes = on ? 1 : 0;
    if (gameInPlay(game)) redrawAndPresent(game);
}

void onBackToLastRight(GameState& game) {
    const int index = lastRightBoard(game);
    if (index < 0) return;
    showSteppedBoard(game, jumpBack(game.history, index));
}

bool canPause(const GameState& game) {
    return gameStarted(game);
}

bool canBackToLastRight(const GameState& game) {
    return lastRightBoard(game) >= 0;
}

} // namespace korvani
