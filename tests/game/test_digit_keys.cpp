// The keys 1 to 9 against the rules of play on a recording view: a key selects exactly what a
// click on a cell showing that digit selects and asks for the same frame, only while a game is
// in play, and it makes a puzzle whose givens lack a digit playable.
#include "core/solver/solver.h"
#include "game/game_state.h"
#include "tests/support/grid_text.h"
#include "tests/support/recording_view.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvani {
namespace {

constexpr const char* puzzleText =
    "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";

// A game in play on one puzzle, on the 522 x 554 layout, with a record for the clear time.
struct Game {
    testing::RecordingView view;
    GameState state;

    explicit Game(const CellGrid& givens) {
        state.view = &view;
        Problem& problem = state.progress.problems[0];
        problem.givens = givens;
        const SolveResult solved = solveGivens(givens);
        EXPECT_EQ(solved.count, 1);
        problem.solution = solved.solution;
        state.progress.problemCount = 1;
        state.progress.records.resize(1);
        state.progress.currentRecordIndex = 0;
        state.currentProblem = &problem;
        state.phase = PlayPhase::InPlay;
        state.elapsedSeconds = 100;
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void click(int cell) {
        onLeftButtonDown(state, testing::layoutColX[cell % 9] + 1,
                         testing::layoutRowY[cell / 9] + 1);
    }
};

// The fields a selection may touch, compared whole.
void expectSamePlay(const GameState& a, const GameState& b) {
    EXPECT_EQ(a.selectedDigit, b.selectedDigit);
    EXPECT_EQ(a.userGrid, b.userGrid);
    EXPECT_EQ(a.phase, b.phase);
    EXPECT_EQ(a.elapsedSeconds, b.elapsedSeconds);
    EXPECT_EQ(a.hoveredCell, b.hoveredCell);
    EXPECT_EQ(a.hoveredButton, b.hoveredButton);
    EXPECT_EQ(a.progress.header.currentProblemIndex, b.progress.header.currentProblemIndex);
}

TEST(DigitKeys, SelectLikeAClickOnACellShowingTheDigit) {
    const CellGrid givens = test::gridFromText(puzzleText);
    for (int digit = 1; digit <= 9; ++digit) {
        int shown = -1;
        for (int cell = 0; cell < 81 && shown < 0; ++cell) {
            if (givens[cell] == digit) shown = cell;
        }
        ASSERT_GE(shown, 0) << digit;
        Game clicked(givens);
        Game keyed(givens);
        clicked.click(shown);
        onDigitKey(keyed.state, digit);
        EXPECT_EQ(keyed.state.selectedDigit, digit);
        expectSamePlay(clicked.state, keyed.state);
        // The same cells drawn, presented once.
        EXPECT_EQ(keyed.view.cellDraws, 1);
        EXPECT_EQ(keyed.view.presents, 1);
        EXPECT_TRUE(keyed.view.lastCells == clicked.view.lastCells) << digit;
    }
}

TEST(DigitKeys, ReplaceTheSelectionAndPlaceNothing) {
    Game game(test::gridFromText(puzzleText));
    onDigitKey(game.state, 4);
    onDigitKey(game.state, 7);
    EXPECT_EQ(game.state.selectedDigit, 7);
    EXPECT_EQ(game.state.userGrid, CellGrid{});
    // The next click on an empty cell places the key's digit.
    game.click(1);
    EXPECT_EQ(game.state.userGrid[1], 7);
}

TEST(DigitKeys, IgnoredWhenNoGameIsInPlay) {
    Game game(test::gridFromText(puzzleText));
    game.state.phase = PlayPhase::Cleared;
    game.state.selectedDigit = 3;
    onDigitKey(game.state, 5);
    EXPECT_EQ(game.state.selectedDigit, 3);
    EXPECT_EQ(game.state.phase, PlayPhase::Cleared);
    EXPECT_EQ(game.view.redraws() + game.view.presents, 0);
}

TEST(DigitKeys, OnlyDigitsOneToNine) {
    Game game(test::gridFromText(puzzleText));
    game.state.selectedDigit = 2;
    for (int notADigit : {0, 10, -1, 255}) {
        onDigitKey(game.state, notADigit);
        EXPECT_EQ(game.state.selectedDigit, 2) << notADigit;
    }
}

TEST(DigitKeys, PuzzleWithoutANineAmongItsGivensCanBeFinished) {
    // A full solution with every 9 taken out has exactly one completion, yet no cell shows a 9.
    const SolveResult full = solveGivens(test::gridFromText(puzzleText));
    ASSERT_EQ(full.count, 1);
    CellGrid givens = full.solution;
    for (auto& digit : givens) {
        if (digit == 9) digit = 0;
    }
    Game game(givens);

    // Clicks alone: every click on a shown digit selects something other than 9, so the empty
    // cells can only take wrong digits.
    for (int cell = 0; cell < 81; ++cell) {
        if (givens[cell] != 0) {
            game.click(cell);
            EXPECT_NE(game.state.selectedDigit, 9);
        }
    }

    onDigitKey(game.state, 9);
    for (int cell = 0; cell < 81; ++cell) {
        if (givens[cell] == 0) game.click(cell);
    }
    EXPECT_EQ(game.state.phase, PlayPhase::Cleared);
    EXPECT_EQ(game.state.progress.records[0].clearSeconds[0], 100);
}

} // namespace
} // namespace korvani
