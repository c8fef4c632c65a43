// GameState: the one object that holds all of the program's state, and the rules of play that
// change it in answer to the mouse and the clock. The rules reach the screen and the platform
// only through the GameView they are given.
#pragma once

#include "game/game_view.h"
#include "game/move_history.h"
#include "hint/hint.h"
#include "progress/progress_store.h"
#include "progress/settings_file.h"

#include <cstdint>

namespace korvani {

// Where play stands. Only a puzzle in play takes clicks and keys and runs the clock; before the
// first restart nothing is, and after a clear the next click goes on to the next puzzle.
enum class PlayPhase : std::uint8_t { NotStarted, InPlay, Cleared };

struct GameState {
    GameView* view = nullptr; // not owned; set before any rule runs
    ProgressStore progress;
    std::int32_t elapsedSeconds = 0;
    Problem* currentProblem = nullptr;
    CellGrid userGrid = {};
    PlayPhase phase = PlayPhase::NotStarted;
    std::int8_t selectedDigit = -1; // -1 (0xFF): none
    std::int32_t hoveredButton = -1;
    std::int32_t hoveredCell = -1;
    NoteGrid notes = {};      // the player's pencil marks; 0 in a cell without
    CellMarks marks = {};     // what the last hint marked, until the next change of the board
    MoveHistory history;      // undo and redo of this game
    bool hintPending = false; // the marks show pendingHint, which the next hint applies
    Hint pendingHint;
    bool paused = false;         // clock stopped, board hidden behind the pause panel, no input
    std::uint8_t clearFlags = 0; // what this game did that its clear's record tells (records_log.h)
    Settings settings;           // the player's choices from the settings file beside the save file
    // The keyboard: the cursor's cell (-1 while hidden), where it appears first (the last cell
    // the pointer was over, -1 for the centre), and whether the digit keys toggle notes.
    std::int32_t cursorCell = -1;
    std::int32_t lastPointedCell = -1;
    bool noteMode = false;
};

// The picture of the board that drawCells shows for this state.
BoardPicture boardPicture(const GameState& game);

void restart(GameState& game);
void onMouseMove(GameState& game, int x, int y);
void onLeftButtonDown(GameState& game, int x, int y);
void onRightButtonDown(GameState& game, int x, int y);
void onTimer(GameState& game);
// The second button's action, from the button or the menu: after the player confirms, the
// current puzzle starts again.
void onRestartCommand(GameState& game);
int hitTestButton(const GameState& game, int x, int y);
int hitTestCell(const GameState& game, int x, int y);

// Keys 1..9 select that digit as a click on a cell showing it would, while a game is in play
// (a puzzle may show only eight distinct digits among its givens). With the cursor shown the key
// also places the digit into the cursor's cell when it is empty, exactly as a click would; with
// Shift, or in note mode, it toggles that digit's note there instead.
void onDigitKey(GameState& game, int digit, bool shift = false);

// The keys that move the keyboard cursor. The first one only shows it, at the last cell the
// pointer was over or at the centre; then an arrow moves one cell (stopping at the edge), with
// Ctrl to the next empty cell that way; Home and End go to the row's ends, with Ctrl to the
// board's first and last cell.
enum class CursorKey : std::uint8_t { Left, Right, Up, Down, Home, End };
void onCursorKey(GameState& game, CursorKey key, bool ctrl);

// Escape: the hint's balloon closes, or else the cursor hides.
void onEscapeKey(GameState& game);
// Space and Enter: a left click on the cursor's cell. After a solve, with or without the cursor,
// the click that moves on to the next puzzle.
void onActivateKey(GameState& game);
// Delete, Backspace and 0: a right click on the cursor's cell.
void onEraseKey(GameState& game);
// N: note mode on or off, while the cursor is shown.
void onNoteModeKey(GameState& game);

// The pointer left the window: no cell or button is under it any more.
void onMouseLeave(GameState& game);

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

// The mistake display (the setting show_mistakes, off while never chosen) on or off; the cells
// are redrawn when a game is in play and not paused.
bool mistakeDisplayOn(const GameState& game);
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
