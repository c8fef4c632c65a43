// The hint command: the mistakes or the next step marked on the board and explained in a message
// box, and the marked step applied when the hint is asked for again.
#include "game/game_state.h"

#include "core/notes.h"
#include "game/board_change.h"
#include "hint/hint_text.h"

namespace korvani {

namespace {

bool isStep(HintKind kind) {
    return kind == HintKind::Place || kind == HintKind::Remove;
}

bool isMistake(HintKind kind) {
    return kind == HintKind::Wrong || kind == HintKind::WrongNotes;
}

// Mistakes are marked as such; a step marks its target cells, and the pattern's cells that are
// not targets.
CellMarks marksOf(const Hint& hint) {
    CellMarks marks{};
    const bool mistake = isMistake(hint.kind);
    for (int cell = 0; cell < 81; ++cell) {
        if (hint.targets.has(cell)) {
            marks[cell] = mistake ? CellMark::Mistake : CellMark::HintTarget;
        } else if (!mistake && hint.step.pattern.has(cell)) {
            marks[cell] = CellMark::HintPattern;
        }
    }
    return marks;
}

// The cell the explanation stands beside: the first target, or none for a message alone.
int anchorCell(const Hint& hint) {
    if (!isMistake(hint.kind) && !isStep(hint.kind)) return -1;
    for (int cell = 0; cell < 81; ++cell)
        if (hint.targets.has(cell)) return cell;
    return -1;
}

// The marked step, carried out as one change; a placement clears notes as a click's does.
void applyPendingHint(GameState& game) {
    const Hint& hint = game.pendingHint;
    const BoardSnapshot before = boardOf(game);
    if (applyHint(hint, game.currentProblem->givens, game.userGrid, game.notes) &&
        hint.kind == HintKind::Place)
        clearNotesAfterPlacing(game.notes, hint.step.cell, hint.step.digit);
    commitChange(game, before);
    redrawAndCheckCompletion(game);
}

} // namespace

void onHint(GameState& game) {
    if (!gameInPlay(game)) return;
    if (game.hintPending) {
        applyPendingHint(game);
        return;
    }
    game.clearFlags |= clearUsedHint;
    const Problem& problem = *game.currentProblem;
    const Hint hint = findHint(problem.givens, problem.solution, game.userGrid, game.notes);
    char text[hintTextCapacity];
    formatHint(hint, text, sizeof text);
    // A puzzle that cannot be helped, a solved grid or no step found: only the message.
    if (isMistake(hint.kind) || isStep(hint.kind)) {
        game.marks = marksOf(hint);
        game.hintPending = isStep(hint.kind);
        if (game.hintPending) game.pendingHint = hint;
        redrawAndPresent(game);
    }
    game.view->showHint(text, anchorCell(hint));
}

bool canHint(const GameState& game) {
    return gameInPlay(game);
}

} // namespace korvani
