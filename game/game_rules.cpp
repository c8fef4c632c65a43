// The rules of play: hit tests, digit selection, placing and erasing, the completion check, the
// clock and restart, and what every change of the board shares (the history step, the marks). They
// change GameState and ask the view for the redraw each change needs. The shell's view draws
// nothing while it has no back buffer (before the window's first effective WM_SIZE), so these rules
// run the same with or without a visible board; the calls below stay where the frame needs them
// either way.
#include "game/game_state.h"

#include "core/notes.h"
#include "game/board_change.h"
#include "progress/progress_records.h"
#include "progress/progress_restore.h"

#include <cstdio>

namespace korvani {

namespace {

constexpr char restartQuestion[] = "最初から始めます。よろしいですか?";
constexpr char wrongCellsFormat[] = "%d つのマスが間違っています。";

struct Completion {
    int empty = 0; // cells without a given and without a digit of the player
    int wrong = 0; // the player's digits that differ from the solution
};

Completion checkCompletion(const Problem& problem, const CellGrid& userGrid) {
    Completion result;
    for (std::size_t i = 0; i < userGrid.size(); ++i) {
        if (problem.givens[i] != 0) continue;
        if (userGrid[i] == 0) {
            ++result.empty;
        } else if (userGrid[i] != problem.solution[i]) {
            ++result.wrong;
        }
    }
    return result;
}

void redrawCells(GameState& game) {
    game.view->drawCells(boardPicture(game));
}

// Index of the interval [edges[i], edges[i + 1]) that holds v, or -1 outside edges[0] ... edges[9].
int intervalOf(const std::int32_t (&edges)[10], int v) {
    if (v < edges[0] || v >= edges[9]) return -1;
    for (int i = 0; i < 9; ++i) {
        if (v < edges[i + 1]) return i;
    }
    return -1;
}

void showWrongCells(GameState& game, int wrong) {
    char text[128];
    std::snprintf(text, sizeof text, wrongCellsFormat, wrong);
    game.view->showNotice(text);
}

// The clear's record for the log: the puzzle, its grade, the time and how it was solved.
void recordClear(GameState& game) {
    const ProgressRecord* record = currentRecord(game.progress);
    if (record == nullptr) return;
    ClearRecord clear;
    clear.fileKey = record->fileKey;
    clear.problemIndex = game.progress.header.currentProblemIndex;
    clear.grade = game.currentProblem->difficulty;
    clear.flags = game.clearFlags;
    clear.seconds = game.elapsedSeconds;
    game.view->recordClear(clear);
}

void puzzleSolved(GameState& game) {
    game.view->stopClock();
    game.phase = PlayPhase::Cleared;
    recordClearTime(game.progress, game.elapsedSeconds);
    recordClear(game);
    game.view->drawClearBanner();
    game.view->presentFrame();
}

// A click in the button bar's rows is for a button and never reaches the board.
bool inButtonRows(const HitAreas& areas, int y) {
    return y >= areas.buttonRowTop && y <= areas.buttonRowBottom;
}

bool onClock(const HitAreas& areas, int x, int y) {
    return x >= areas.clockLeft && x < areas.clockRight && y >= areas.clockTop &&
           y < areas.clockBottom;
}

} // namespace

bool gameInPlay(const GameState& game) {
    return game.phase == PlayPhase::InPlay && !game.paused;
}

BoardSnapshot boardOf(const GameState& game) {
    return {game.userGrid, game.notes};
}

void dropHintMarks(GameState& game) {
    game.marks.fill(CellMark::None);
    game.hintPending = false;
    game.view->closeHint();
}

void commitChange(GameState& game, const BoardSnapshot& before) {
    dropHintMarks(game);
    const BoardSnapshot after = boardOf(game);
    if (after != before) recordChange(game.history, before, after);
}

void redrawAndPresent(GameState& game) {
    redrawCells(game);
    game.view->presentFrame();
}

void redrawAndCheckCompletion(GameState& game) {
    redrawCells(game);
    // Checked after every click on a cell: while the full grid holds wrong digits, each click
    // tells their number again.
    const Completion completion = checkCompletion(*game.currentProblem, game.userGrid);
    if (completion.wrong > 0) game.clearFlags |= clearPlacedWrong;
    if (completion.empty > 0) {
        game.view->presentFrame();
        return;
    }
    if (completion.wrong > 0) {
        showWrongCells(game, completion.wrong);
        game.view->presentFrame();
        return;
    }
    puzzleSolved(game);
}

void showSteppedBoard(GameState& game, const BoardSnapshot* board) {
    if (board == nullptr) return;
    game.userGrid = board->userGrid;
    game.notes = board->notes;
    dropHintMarks(game);
    redrawAndCheckCompletion(game);
}

BoardPicture boardPicture(const GameState& game) {
    BoardPicture picture{game.currentProblem->givens,
                         game.userGrid,
                         game.notes,
                         game.marks,
                         game.hoveredCell,
                         game.selectedDigit,
                         {},
                         game.cursorCell,
                         game.noteMode};
    if (mistakeDisplayOn(game)) {
        const CellGrid& solution = game.currentProblem->solution;
        for (int cell = 0; cell < 81; ++cell)
            picture.redDigits[cell] =
                game.userGrid[cell] != 0 && game.userGrid[cell] != solution[cell];
    }
    return picture;
}

int hitTestButton(const GameState& game, int x, int y) {
    const HitAreas areas = game.view->hitAreas();
    if (!inButtonRows(areas, y)) return -1;
    const int left = areas.buttonBarX;
    const int width = areas.buttonWidth;
    if (x >= left && x < left + width) return 0;
    if (x >= left + width && x < left + 2 * width) return 1;
    return -1;
}

int hitTestCell(const GameState& game, int x, int y) {
    // A point on the gap after a cell belongs to that cell, the outline after the last column
    // or row to the last cell.
    const HitAreas areas = game.view->hitAreas();
    const int column = intervalOf(areas.colX, x);
    const int row = intervalOf(areas.rowY, y);
    if (column < 0 || row < 0) return -1;
    return 9 * row + column;
}

void restart(GameState& game) {
    if (game.phase == PlayPhase::InPlay) game.view->stopClock();
    std::int32_t index = game.progress.header.currentProblemIndex;
    if (index < 0 || index >= maxProblemsPerFile) index = 0;
    game.currentProblem = &game.progress.problems[index];
    game.userGrid.fill(0);
    // A new game starts without notes, marks or anything to undo.
    game.notes.fill(0);
    dropHintMarks(game);
    clearHistory(game.history);
    // Recomputes the geometry, renders the tiles again and repaints the background, which also
    // removes the clear banner and the blanked button band.
    game.view->layout();
    game.phase = PlayPhase::InPlay;
    game.paused = false;
    game.clearFlags = 0;
    game.selectedDigit = -1;
    game.hoveredButton = -1;
    game.hoveredCell = -1;
    game.elapsedSeconds = 0;
    game.view->startClock();
    game.view->redrawAll(game);
}

void onRestartCommand(GameState& game) {
    if (game.currentProblem == nullptr) return;
    if (game.view->askToConfirm(restartQuestion)) restart(game);
}

void onMouseMove(GameState& game, int x, int y) {
    if (!gameInPlay(game)) return;
    const int button = hitTestButton(game, x, y);
    if (button != game.hoveredButton) {
        game.hoveredButton = button;
        game.view->drawButtonBar(game.hoveredButton);
        game.view->presentFrame();
    }
    const int cell = hitTestCell(game, x, y);
    if (cell >= 0) game.lastPointedCell = cell;
    if (cell != game.hoveredCell) {
        game.hoveredCell = cell;
        redrawCells(game);
        game.view->presentFrame();
    }
}

void moveOnAfterSolve(GameState& game) {
    // With every puzzle cleared the solved board stays.
    if (selectNextUnsolved(game.progress)) restart(game);
}

void hideCursorForPointer(GameState& game) {
    if (game.cursorCell < 0) return;
    game.cursorCell = -1;
    if (gameInPlay(game)) redrawAndPresent(game);
}

void clickCell(GameState& game, int cell) {
    // A given or a digit of the player selects its digit; only an empty cell takes the
    // selected digit, so no digit is ever overwritten by a click.
    const std::uint8_t given = game.currentProblem->givens[cell];
    const std::uint8_t own = game.userGrid[cell];
    if (given != 0) {
        game.selectedDigit = static_cast<std::int8_t>(given);
    } else if (own != 0) {
        game.selectedDigit = static_cast<std::int8_t>(own);
    } else if (game.selectedDigit != -1) {
        // The placement clears the cell's notes and that digit's notes in its row, column and
        // box, all in the same step.
        const BoardSnapshot before = boardOf(game);
        const auto digit = static_cast<std::uint8_t>(game.selectedDigit);
        game.userGrid[cell] = digit;
        clearNotesAfterPlacing(game.notes, cell, digit);
        commitChange(game, before);
    }
    redrawAndCheckCompletion(game);
}

void eraseCell(GameState& game, int cell) {
    // Givens are never in userGrid, so only the player's own digits are erased.
    if (game.userGrid[cell] == 0) return;
    // Erasing brings no notes back; undo does.
    const BoardSnapshot before = boardOf(game);
    game.userGrid[cell] = 0;
    commitChange(game, before);
    redrawAndPresent(game);
}

void onMouseLeave(GameState& game) {
    // The solved board keeps its banner; nothing under it is drawn again.
    if (!gameInPlay(game)) return;
    if (game.hoveredButton != -1) {
        game.hoveredButton = -1;
        game.view->drawButtonBar(game.hoveredButton);
        game.view->presentFrame();
    }
    if (game.hoveredCell != -1) {
        game.hoveredCell = -1;
        redrawAndPresent(game);
    }
}

void onLeftButtonDown(GameState& game, int x, int y) {
    hideCursorForPointer(game);
    if (game.phase != PlayPhase::InPlay) {
        // Wherever it lands, the click after a solve moves on.
        moveOnAfterSolve(game);
        return;
    }
    const HitAreas areas = game.view->hitAreas();
    // The clock pauses and resumes; while paused, any other click but one on a button resumes.
    if (onClock(areas, x, y)) {
        onPause(game);
        return;
    }
    const bool onButton = hitTestButton(game, x, y) >= 0;
    if (game.paused && !onButton) {
        onPause(game);
        return;
    }
    if (inButtonRows(areas, y)) {
        switch (hitTestButton(game, x, y)) {
        case 0:
            game.view->requestProblemSelection();
            break;
        case 1:
            onRestartCommand(game);
            break;
        default:
            break;
        }
        return;
    }
    const int cell = hitTestCell(game, x, y);
    if (cell >= 0) clickCell(game, cell);
}

void onRightButtonDown(GameState& game, int x, int y) {
    hideCursorForPointer(game);
    if (!gameInPlay(game)) return;
    const int cell = hitTestCell(game, x, y);
    if (cell >= 0) eraseCell(game, cell);
}

void onTimer(GameState& game) {
    // A tick queued before the pause stopped the clock.
    if (game.paused) return;
    if (game.elapsedSeconds < clockLimitSeconds) ++game.elapsedSeconds;
    game.view->drawClock(game.elapsedSeconds);
    game.view->presentFrame();
}

} // namespace korvani
