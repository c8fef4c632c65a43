// A GameState on a recording view for the rules tests: the puzzles are known ones with their
// known solutions; the hit areas are the 522 x 554 layout.
#pragma once

#include "game/game_state.h"
#include "tests/support/recording_view.h"

#include <gtest/gtest.h>

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

// A GameState on a recording view with three puzzles loaded and one record, as a load leaves
// it.
class GameOnView : public ::testing::Test {
  protected:
    void SetUp() override {
        game->view = &view;
        loadPuzzles(3);
    }

    void loadPuzzles(int count) {
        ProgressStore& store = game->progress;
        for (int k = 0; k < count; ++k) store.problems[k] = relabelledProblem(k);
        store.problemCount = count;
        store.records.assign(1, ProgressRecord{});
        store.records[0].fileKey = 0x1234;
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

    RecordingView view;
    GameState state;
    GameState* game = &state;
};

} // namespace korvani::testing
