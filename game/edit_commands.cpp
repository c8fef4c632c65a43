// The 編集 commands on the board: a note toggled by Ctrl + click or a middle click, undo and
// redo through the history, filling and clearing every note, and whether each can act now.
#include "game/game_state.h"

#include "core/notes.h"
#include "game/board_change.h"

namespace korvani {

void onNoteClick(GameState& game, int x, int y) {
    hideCursorForPointer(game);
    if (!gameInPlay(game)) return;
    const int cell = hitTestCell(game, x, y);
    if (cell < 0) return;
    const BoardSnapshot before = boardOf(game);
    // -1 (none selected) becomes 0xFF, which toggleNote refuses like a cell showing a digit.
    if (!toggleNote(game.notes, game.currentProblem->givens, game.userGrid, cell,
                    static_cast<std::uint8_t>(game.selectedDigit)))
        return;
    commitChange(game, before);
    // A note goes only into an empty cell, so the grid is not full and nothing is checked.
    redrawAndPresent(game);
}

void onUndo(GameState& game) {
    if (gameInPlay(game)) showSteppedBoard(game, stepBack(game.history));
}

void onRedo(GameState& game) {
    if (gameInPlay(game)) showSteppedBoard(game, stepForward(game.history));
}

void onFillNotes(GameState& game) {
    if (!gameInPlay(game)) return;
    const BoardSnapshot before = boardOf(game);
    if (!fillCandidateNotes(game.notes, game.currentProblem->givens, game.userGrid)) return;
    commitChange(game, before);
    redrawAndPresent(game);
}

void onClearNotes(GameState& game) {
    if (!gameInPlay(game)) return;
    const BoardSnapshot before = boardOf(game);
    if (!clearAllNotes(game.notes)) return;
    commitChange(game, before);
    redrawAndPresent(game);
}

bool canUndo(const GameState& game) {
    return gameInPlay(game) && canStepBack(game.history);
}

bool canRedo(const GameState& game) {
    return gameInPlay(game) && canStepForward(game.history);
}

bool canFillNotes(const GameState& game) {
    if (!gameInPlay(game)) return false;
    NoteGrid filled = game.notes;
    return fillCandidateNotes(filled, game.currentProblem->givens, game.userGrid);
}

bool canClearNotes(const GameState& game) {
    return gameInPlay(game) && hasAnyNotes(game.notes);
}

} // namespace korvani
