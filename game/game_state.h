// GameState: the one object that holds all of the program's state, and the rules of play that
// change it in answer to the mouse and the clock.
#pragma once

#include "progress/progress_restore.h"
#include "progress/progress_store.h"
#include "render/board_renderer.h"

#include <windows.h>

#include <cstdint>

namespace korvani {

inline constexpr UINT_PTR clockTimerId = 1;
inline constexpr UINT clockPeriodMs = 1000;
inline constexpr WORD commandOpenProblem = 104;
inline constexpr WORD commandSelectProblem = 105;
inline constexpr WORD commandAbout = 106;
inline constexpr WORD commandExit = 107;

struct GameState {
    HWND mainWindow = nullptr;
    ProgressStore progress;
    BoardRenderer renderer;
    std::int32_t elapsedSeconds = 0;
    Problem* currentProblem = nullptr;
    CellGrid userGrid = {};
    std::uint8_t solvedFlag = 1;    // 1: no game in play (solved, or none started yet)
    std::int8_t selectedDigit = -1; // -1 (0xFF): none
    std::int32_t hoveredButton = -1;
    std::int32_t hoveredCell = -1;
};

// A fresh GameState with every field at its initial value, or null when out of memory. It is
// freed by destroyGameState (progress/progress_io.h), which saves first.
GameState* createGameState();

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

} // namespace korvani
