// A real GameState in a real (hidden) main window for the rules tests: timer 1 arrives as
// WM_TIMER and goes to onTimer, WM_COMMAND is noted, and message boxes are owned by the window.
// The puzzles are known ones with their known solutions; the geometry is the 522 x 554 layout.
#pragma once

#include "game/game_state.h"
#include "progress/progress_io.h"
#include "progress/progress_records.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace korvani::testing {

// A classic puzzle and its only completion; the other puzzles relabel its digits.
inline constexpr char basePuzzle[] =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
inline constexpr char baseSolution[] =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

// Puzzle k of the test file: the base puzzle with every digit d written as (d - 1 + k) % 9 + 1.
inline Problem relabelledProblem(int k) {
    Problem problem;
    problem.difficulty = static_cast<std::int8_t>(k);
    for (int i = 0; i < 81; ++i) {
        const int given = basePuzzle[i] == '.' ? 0 : basePuzzle[i] - '0';
        const int solved = baseSolution[i] - '0';
        problem.givens[i] = static_cast<std::uint8_t>(given == 0 ? 0 : (given - 1 + k) % 9 + 1);
        problem.solution[i] = static_cast<std::uint8_t>((solved - 1 + k) % 9 + 1);
    }
    return problem;
}

// The cell edges of the 522 x 554 client area.
inline constexpr std::int32_t layoutColX[10] = {15, 69, 123, 179, 233, 287, 343, 397, 451, 507};
inline constexpr std::int32_t layoutRowY[10] = {47, 101, 155, 211, 265, 319, 375, 429, 483, 539};
inline constexpr std::int32_t layoutCellSize = 52;
inline constexpr std::int32_t layoutButtonBarX = 11;

// Gives the renderer the geometry that layout computes for a 522 x 554 client area; with no
// back buffer in these tests, layout itself keeps whatever geometry is there.
inline void setLayoutGeometry(GameState& game) {
    std::memcpy(game.renderer.colX, layoutColX, sizeof layoutColX);
    std::memcpy(game.renderer.rowY, layoutRowY, sizeof layoutRowY);
    game.renderer.cellSize = layoutCellSize;
    game.renderer.buttonBarX = layoutButtonBarX;
    game.renderer.clockX = layoutColX[9] - 68;
}

struct WindowEvents {
    GameState* game = nullptr; // receives WM_TIMER
    int timerMessages = 0;
    std::vector<std::pair<WPARAM, LPARAM>> commands;
};

inline WindowEvents windowEvents;

inline LRESULT CALLBACK testWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        ++windowEvents.timerMessages;
        if (windowEvents.game != nullptr) onTimer(*windowEvents.game);
        return 0;
    case WM_COMMAND:
        windowEvents.commands.emplace_back(wParam, lParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

inline HWND createTestWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = testWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KorvaniRulesTest";
        registered = RegisterClassExA(&windowClass) != 0;
    }
    return CreateWindowExA(0, "KorvaniRulesTest", "korvani rules test", WS_OVERLAPPEDWINDOW, 0, 0,
                           540, 620, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Whether timer 1 of the window runs. KillTimer fails for a timer that does not exist; a running
// one is started again at once.
inline bool clockRunning(HWND window) {
    if (!KillTimer(window, clockTimerId)) return false;
    SetTimer(window, clockTimerId, clockPeriodMs, nullptr);
    return true;
}

// Handles the messages waiting for this thread, and those that arrive within `milliseconds`.
inline void pumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

// A GameState in a hidden window with `count` puzzles loaded and one record, as a load leaves
// it. Nothing is saved at the end.
class GameInWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        window = createTestWindow();
        ASSERT_NE(window, nullptr);
        game = createGameState();
        ASSERT_NE(game, nullptr);
        game->mainWindow = window;
        windowEvents = WindowEvents{};
        windowEvents.game = game;
        loadPuzzles(3);
        setLayoutGeometry(*game);
    }

    void TearDown() override {
        windowEvents.game = nullptr;
        if (game != nullptr) {
            game->mainWindow = nullptr; // the tests write no save file
            KillTimer(window, clockTimerId);
            destroyGameState(game);
        }
        if (window != nullptr) DestroyWindow(window);
    }

    void loadPuzzles(int count) {
        ProgressStore& store = game->progress;
        for (int k = 0; k < count; ++k) store.problems[k] = relabelledProblem(k);
        store.problemCount = count;
        store.records = static_cast<ProgressRecord*>(std::calloc(1, sizeof(ProgressRecord)));
        ASSERT_NE(store.records, nullptr);
        store.records[0].fileKey = 0x1234;
        store.header.recordCount = 1;
        store.currentRecordIndex = 0;
        store.header.savedGameFlag = -1;
    }

    static int centreX(int cell) { return layoutColX[cell % 9] + layoutCellSize / 2; }
    static int centreY(int cell) { return layoutRowY[cell / 9] + layoutCellSize / 2; }

    void leftClick(int cell) { onLeftButtonDown(*game, centreX(cell), centreY(cell)); }
    void rightClick(int cell) { onRightButtonDown(*game, centreX(cell), centreY(cell)); }

    // Selects `digit` by clicking a given that shows it.
    void selectDigit(int digit) {
        const Problem& problem = *game->currentProblem;
        for (int cell = 0; cell < 81; ++cell) {
            if (problem.givens[cell] == digit) {
                leftClick(cell);
                ASSERT_EQ(game->selectedDigit, digit);
                return;
            }
        }
        FAIL() << "no given shows " << digit;
    }

    void place(int cell, int digit) {
        selectDigit(digit);
        leftClick(cell);
    }

    std::vector<int> emptyCells() const {
        std::vector<int> cells;
        for (int cell = 0; cell < 81; ++cell) {
            if (game->currentProblem->givens[cell] == 0) cells.push_back(cell);
        }
        return cells;
    }

    // Fills every empty cell but `skip` with its solution digit.
    void fillAllBut(int skip) {
        for (int cell : emptyCells()) {
            if (cell != skip) place(cell, game->currentProblem->solution[cell]);
        }
    }

    // Solves the current puzzle by clicks, with the clock at `seconds`.
    void solveAt(int seconds) {
        game->elapsedSeconds = seconds;
        fillAllBut(-1);
    }

    ProgressRecord& record() { return game->progress.records[0]; }
    std::int32_t currentIndex() const { return game->progress.header.currentProblemIndex; }

    HWND window = nullptr;
    GameState* game = nullptr;
};

} // namespace korvani::testing
