// GameState: the one object that holds all of the program's state, and the rules of play that
// change it in answer to the mouse and the clock. The rules reach the screen and the platform
// only through the GameView they are given.
#pragma once

#include "game/game_view.h"
#include "game/move_history.h"
#include "hint/hint.h"
#include "progress/progress_store.h"

#include <cstdint>

namespace korvani {

struct GameState {
    GameView* view = nullptr; // not owned; set before any rule runs
    ProgressStore progress;
    std::int32_t elapsedSeconds = 0;
    Problem* currentProblem = nullptr;
    CellGrid userGrid = {};
    std::uint8_t solvedFlag = 1;    // 1: no game in play (solved, or none started yet)
    std::int8_t selectedDigit = -1; // -1 (0xFF): none
    std::int32_t hoveredButton = -1;
    std::int32_t hoveredCell = -1;
    NoteGrid notes = {};      // the player's pencil marks; 0 in a cell without
    CellMarks marks = {};     // what the last hint marked, until the next change of the board
    MoveHistory history;      // undo and redo of this game; its buffer is freed by releaseHistory
    bool hintPending = false; // the marks show pendingHint, which the next hint applies
    Hint pendingHint;
    bool paused = false;         // clock stopped, board hidden behind the pause panel, no input
    bool showMistakes = false;   // a setting: placed digits that differ from the solution show red
    std::uint8_t clearFlags = 0; // what this game did that its clear's record tells (records_log.h)
};

// The picture of the board that drawCells shows for this state.
BoardPicture boardPicture(const GameState& game);

void restart(GameState& game);
void onMouseMove(GameState& game, int x, int y);
void onLeftButtonDown(GameState& game, int x, int y);
void onRightButtonDown(GameState& game, int x, int y);
void onTimer(GameState& game);
int hitTestButton(const GameState& game, int x, int y);
int hitTestCell(const GameState& game, int x, int y);

// Keys 1..9 select that digit as a click on a cell showing it would, while a game is in play
// (a puzzle may show only eight distinct digits among its givens).
void onDigitKey(GameState& game, int digit);

// Ctrl + left click or a middle click: the selected digit's note on an empty cell is added or
// taken away. With no digit selected, or on a cell showing a digit, nothing happens.
void onNoteClick(GameState& game, int x, int y);

// The 編集 menu. Each change of the board is one step of the history; undo and redo redraw the
// cells and run the completion check as a click does. Nothing is undone after a solve.
void onUndo(GameState& game);
void onRedo(GameState& game);
void onFillNotes(GameState& game);  // every empty cell gets the digits its houses allow
void onClearNotes(GameState& game); // every note goes

// Marks and explains the next step (or the mistakes); pressed again while a step is marked, it
// applies that step as one change of the board.
void onHint(GameState& game);

// Pause: the clock stops and the board hides behind the pause panel, which takes no clicks; a
// second call (P, the menu item, a click on the clock or on the board) resumes. Only while a
// game is in play.
void onPause(GameState& game);

// The stored game that start-up resumed, shown afresh: its clock runs on, unless it was quit while
// paused, which it still is (the panel, and no clock).
void resumeStoredGame(GameState& game);

// The mistake display on or off; the cells are redrawn when a game is in play and not paused.
void setMistakeDisplay(GameState& game, bool on);

// Goes back to the latest board of the history without a wrong digit, as one step: a redo gives
// the board that was left back.
void onBackToLastRight(GameState& game);

// Whether the command would act now, for greying the menu items.
bool canPause(const GameState& game);
bool canBackToLastRight(const GameState& game);
bool canUndo(const GameState& game);
bool canRedo(const GameState& game);
bool canFillNotes(const GameState& game);
bool canClearNotes(const GameState& game);
bool canHint(const GameState& game);

} // namespace korvani
