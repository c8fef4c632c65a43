// The rules of play: hit tests, digit selection, placing and erasing, the completion check, the
// clock and restart. They change GameState and ask the renderer for the redraw each change needs.
// The renderer's drawing operations do nothing while it has no back buffer (before the window's
// first effective WM_SIZE), so these rules run the same with or without a visible board; the
// calls below stay where the frame needs them either way.
#include "game/game_state.h"

#include "progress/progress_records.h"
#include "render/board_geometry.h"

#include <cstdio>

namespace korvani {

namespace {

// The button bar's rows: a click there is for a button and never reaches the board.
constexpr int buttonRowTop = 2;
constexpr int buttonRowBottom = 31;

constexpr char confirmCaption[] = "確認";
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
    drawCells(game.renderer, game.currentProblem->givens, game.userGrid, game.hoveredCell,
              game.selectedDigit);
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
    MessageBoxA(game.mainWindow, text, confirmCaption, MB_OK);
}

void puzzleSolved(GameState& game) {
    KillTimer(game.mainWindow, clockTimerId);
    game.solvedFlag = 1;
    recordClearTime(game.progress, game.elapsedSeconds);
    drawClearBanner(game.renderer);
    presentFrame(game.renderer, game.mainWindow);
}

} // namespace

int hitTestButton(const GameState& game, int x, int y) {
    if (y < buttonRowTop || y > buttonRowBottom) return -1;
    const int left = game.renderer.buttonBarX;
    if (x >= left && x < left + buttonWidth) return 0;
    if (x >= left + buttonWidth && x < left + 2 * buttonWidth) return 1;
    return -1;
}

int hitTestCell(const GameState& game, int x, int y) {
    // A point on the gap after a cell belongs to that cell, the outline after the last column
    // or row to the last cell.
    const int column = intervalOf(game.renderer.colX, x);
    const int row = intervalOf(game.renderer.rowY, y);
    if (column < 0 || row < 0) return -1;
    return 9 * row + column;
}

void restart(GameState& game) {
    if (game.solvedFlag == 0) KillTimer(game.mainWindow, clockTimerId);
    std::int32_t index = game.progress.header.currentProblemIndex;
    if (index < 0 || index >= maxProblemsPerFile) index = 0;
    game.currentProblem = &game.progress.problems[index];
    game.userGrid.fill(0);
    // Recomputes the geometry, renders the tiles again and repaints the background, which also
    // removes the clear banner and the blanked button band.
    layout(game.renderer, game.mainWindow);
    game.solvedFlag = 0;
    game.selectedDigit = -1;
    game.hoveredButton = -1;
    game.hoveredCell = -1;
    game.elapsedSeconds = 0;
    SetTimer(game.mainWindow, clockTimerId, clockPeriodMs, nullptr);
    redrawAll(game);
}

void onMouseMove(GameState& game, int x, int y) {
    if (game.solvedFlag) return;
    const int button = hitTestButton(game, x, y);
    if (button != game.hoveredButton) {
        game.hoveredButton = button;
        drawButtonBar(game.renderer, game.hoveredButton);
        presentFrame(game.renderer, game.mainWindow);
    }
    const int cell = hitTestCell(game, x, y);
    if (cell != game.hoveredCell) {
        game.hoveredCell = cell;
        redrawCells(game);
        presentFrame(game.renderer, game.mainWindow);
    }
}

void onLeftButtonDown(GameState& game, int x, int y) {
    if (game.solvedFlag) {
        // Wherever it lands, the click after a solve moves on; with every puzzle cleared the
        // solved board stays.
        if (selectNextUnsolved(game.progress)) restart(game);
        return;
    }
    if (y >= buttonRowTop && y <= buttonRowBottom) {
        switch (hitTestButton(game, x, y)) {
        case 0:
            SendMessageA(game.mainWindow, WM_COMMAND, commandSelectProblem, 0);
            break;
        case 1:
            if (MessageBoxA(game.mainWindow, restartQuestion, confirmCaption, MB_OKCANCEL) ==
                IDOK) {
                restart(game);
            }
            break;
        default:
            break;
        }
        return;
    }
    const int cell = hitTestCell(game, x, y);
    if (cell < 0) return;

    // A given or a digit of the player selects its digit; only an empty cell takes the
    // selected digit, so no digit is ever overwritten by a click.
    const std::uint8_t given = game.currentProblem->givens[cell];
    const std::uint8_t own = game.userGrid[cell];
    if (given != 0) {
        game.selectedDigit = static_cast<std::int8_t>(given);
    } else if (own != 0) {
        game.selectedDigit = static_cast<std::int8_t>(own);
    } else if (game.selectedDigit != -1) {
        game.userGrid[cell] = static_cast<std::uint8_t>(game.selectedDigit);
    }
    redrawCells(game);

    // Checked after every click on a cell: while the full grid holds wrong digits, each click
    // tells their number again.
    const Completion completion = checkCompletion(*game.currentProblem, game.userGrid);
    if (completion.empty > 0) {
        presentFrame(game.renderer, game.mainWindow);
        return;
    }
    if (completion.wrong > 0) {
        showWrongCells(game, completion.wrong);
        presentFrame(game.renderer, game.mainWindow);
        return;
    }
    puzzleSolved(game);
}

void onRightButtonDown(GameState& game, int x, int y) {
    if (game.solvedFlag) return;
    const int cell = hitTestCell(game, x, y);
    if (cell < 0) return;
    // Givens are never in userGrid, so only the player's own digits are erased.
    if (game.userGrid[cell] == 0) return;
    game.userGrid[cell] = 0;
    redrawCells(game);
    presentFrame(game.renderer, game.mainWindow);
}

void onTimer(GameState& game) {
    if (game.elapsedSeconds < clockLimitSeconds) ++game.elapsedSeconds;
    drawClock(game.renderer, game.elapsedSeconds);
    presentFrame(game.renderer, game.mainWindow);
}

} // namespace korvani
