// The rules of play on a recording view: hit tests on the 522 x 554 layout, selecting, placing
// and erasing, the completion check with its messages, the clock, the two buttons, whole games
// through to the next uncleared puzzle, and what each change redraws and presents.
#include "tests/game/game_test_support.h"

#include <gtest/gtest.h>

namespace korvani {
namespace {

using testing::GameOnView;
using testing::layoutButtonBarX;
using testing::layoutClockX;
using testing::layoutColX;
using testing::layoutRowY;

using HitTest = GameOnView;

TEST_F(HitTest, ColumnsIncludeTheGapAfterThemAndTheOutlineAfterTheLast) {
    const int y = layoutRowY[0];
    const std::pair<int, int> expected[] = {
        {14, -1}, {15, 0},  {66, 0},  {67, 0},   {68, 0},   {69, 1},  {122, 1}, {123, 2},
        {174, 2}, {175, 2}, {178, 2}, {179, 3},  {342, 5},  {343, 6}, {450, 7}, {451, 8},
        {502, 8}, {503, 8}, {506, 8}, {507, -1}, {521, -1}, {-5, -1}};
    for (const auto& [x, column] : expected) {
        EXPECT_EQ(hitTestCell(*game, x, y), column) << "x " << x;
    }
}

TEST_F(HitTest, RowsIncludeTheGapBelowThemAndTheOutlineBelowTheLast) {
    const int x = layoutColX[0];
    const std::pair<int, int> expected[] = {
        {46, -1}, {47, 0},  {98, 0},  {100, 0},  {101, 1},  {207, 2}, {210, 2}, {211, 3}, {374, 5},
        {375, 6}, {483, 8}, {538, 8}, {539, -1}, {553, -1}, {31, -1}, {2, -1},  {-1, -1}};
    for (const auto& [y, row] : expected) {
        EXPECT_EQ(hitTestCell(*game, x, y), row < 0 ? -1 : 9 * row) << "y " << y;
    }
    EXPECT_EQ(hitTestCell(*game, 506, 538), 80);
    EXPECT_EQ(hitTestCell(*game, 233, 265), 40);
    EXPECT_EQ(hitTestCell(*game, 232, 264), 30); // the gap corner belongs up and left
}

TEST_F(HitTest, ButtonsLieInRows2To31From11And101) {
    const std::tuple<int, int, int> expected[] = {
        {11, 1, -1},  {11, 2, 0},   {11, 31, 0},  {11, 32, -1},  {10, 20, -1},
        {100, 20, 0}, {101, 20, 1}, {190, 20, 1}, {191, 20, -1}, {439, 20, -1},
        {50, 0, -1},  {50, -3, -1}, {50, 47, -1}};
    for (const auto& [x, y, button] : expected) {
        EXPECT_EQ(hitTestButton(*game, x, y), button) << x << "," << y;
    }
}

TEST_F(HitTest, ButtonsFollowTheButtonBar) {
    view.areas.buttonBarX = 150; // an 800-pixel-wide client
    EXPECT_EQ(hitTestButton(*game, 149, 10), -1);
    EXPECT_EQ(hitTestButton(*game, 150, 10), 0);
    EXPECT_EQ(hitTestButton(*game, 240, 10), 1);
    EXPECT_EQ(hitTestButton(*game, 330, 10), -1);
}

using Rules = GameOnView;

TEST_F(Rules, RestartStartsTheCurrentPuzzleClean) {
    game->progress.header.currentProblemIndex = 2;
    game->userGrid[3] = 4;
    game->selectedDigit = 4;
    game->hoveredButton = 1;
    game->hoveredCell = 7;
    game->elapsedSeconds = 99;
    EXPECT_FALSE(view.clockRunning);
    restart(*game);
    EXPECT_EQ(game->phase, PlayPhase::InPlay);
    EXPECT_EQ(game->currentProblem, &game->progress.problems[2]);
    EXPECT_EQ(game->userGrid, CellGrid{});
    EXPECT_EQ(game->selectedDigit, -1);
    EXPECT_EQ(game->hoveredButton, -1);
    EXPECT_EQ(game->hoveredCell, -1);
    EXPECT_EQ(game->elapsedSeconds, 0);
    EXPECT_TRUE(view.clockRunning);
    // A new layout and one full redraw, presented once.
    EXPECT_EQ(view.layouts, 1);
    EXPECT_EQ(view.fullRedraws, 1);
    EXPECT_EQ(view.presents, 1);
    EXPECT_EQ(view.lastClock, 0);
}

TEST_F(Rules, SelectingPlacingAndErasingByClicks) {
    restart(*game);
    const Problem& problem = *game->currentProblem;
    const std::vector<int> empty = emptyCells();
    const int target = empty[0];

    // No digit selected: a click on an empty cell changes nothing.
    leftClick(target);
    EXPECT_EQ(game->userGrid, CellGrid{});
    EXPECT_EQ(game->selectedDigit, -1);

    // A given selects its digit; an empty cell then takes it.
    leftClick(0);
    EXPECT_EQ(game->selectedDigit, problem.givens[0]);
    leftClick(target);
    EXPECT_EQ(game->userGrid[target], problem.givens[0]);

    // Another digit selected: clicking the placed digit selects it and keeps it.
    selectDigit(problem.givens[0] % 9 + 1);
    leftClick(target);
    EXPECT_EQ(game->userGrid[target], problem.givens[0]);
    EXPECT_EQ(game->selectedDigit, problem.givens[0]);

    // A given is never overwritten, nor does it enter the player's grid.
    selectDigit(problem.givens[0] % 9 + 1);
    leftClick(0);
    EXPECT_EQ(game->userGrid[0], 0);
    EXPECT_EQ(game->selectedDigit, problem.givens[0]);

    // The right button erases the player's digit and keeps the selection.
    const std::int8_t selected = game->selectedDigit;
    rightClick(target);
    EXPECT_EQ(game->userGrid[target], 0);
    EXPECT_EQ(game->selectedDigit, selected);

    // Right clicks on a given, an empty cell or outside the board do nothing.
    const CellGrid before = game->userGrid;
    rightClick(0);
    rightClick(empty[1]);
    onRightButtonDown(*game, 5, 300);
    onRightButtonDown(*game, 50, 10);
    EXPECT_EQ(game->userGrid, before);
    EXPECT_TRUE(view.notices.empty());
}

TEST_F(Rules, OneWrongDigitIsCountedUntilItIsMended) {
    restart(*game);
    const Problem& problem = *game->currentProblem;
    const int last = emptyCells().back();
    const int right = problem.solution[last];
    const int wrong = right % 9 + 1;
    fillAllBut(last);
    EXPECT_TRUE(view.notices.empty());

    selectDigit(wrong);
    view.forget();
    leftClick(last);
    ASSERT_EQ(view.notices.size(), 1u);
    EXPECT_EQ(view.notices[0], "1 つのマスが間違っています。");
    EXPECT_EQ(view.cellDraws, 1);
    EXPECT_EQ(view.presents, 1);
    EXPECT_EQ(game->phase, PlayPhase::InPlay);
    EXPECT_TRUE(view.clockRunning);

    // Any further click on a cell, even one that only selects, tells it again.
    view.forget();
    leftClick(0);
    ASSERT_EQ(view.notices.size(), 1u);
    EXPECT_EQ(view.notices[0], "1 つのマスが間違っています。");

    // Erasing the wrong digit and placing the right one solves the puzzle: the cells, then the
    // banner, presented once.
    view.forget();
    rightClick(last);
    EXPECT_EQ(game->userGrid[last], 0);
    game->elapsedSeconds = 75;
    selectDigit(right);
    view.forget();
    leftClick(last);
    EXPECT_TRUE(view.notices.empty());
    EXPECT_EQ(view.cellDraws, 1);
    EXPECT_EQ(view.banners, 1);
    EXPECT_EQ(view.presents, 1);
    EXPECT_EQ(game->phase, PlayPhase::Cleared);
    EXPECT_FALSE(view.clockRunning);
    EXPECT_EQ(record().clearSeconds[0], 75);
}

TEST_F(Rules, WrongCellsAreCountedAmongThePlayersDigitsOnly) {
    restart(*game);
    const Problem& problem = *game->currentProblem;
    const std::vector<int> empty = emptyCells();
    for (std::size_t i = 0; i < empty.size(); ++i) {
        const int cell = empty[i];
        const int digit = i < 3 ? problem.solution[cell] % 9 + 1 : problem.solution[cell];
        place(cell, digit);
    }
    ASSERT_EQ(view.notices.size(), 1u);
    EXPECT_EQ(view.notices[0], "3 つのマスが間違っています。");
}

TEST_F(Rules, SolvedGameMovesOnToTheNextUnclearedPuzzleWrappingAround) {
    game->progress.header.currentProblemIndex = 1;
    record().clearSeconds[2] = 300;
    restart(*game);
    solveAt(75);
    ASSERT_EQ(game->phase, PlayPhase::Cleared);
    EXPECT_EQ(record().clearSeconds[1], 75);

    // While solved, the pointer and the right button change nothing.
    const CellGrid solvedGrid = game->userGrid;
    const int hovered = game->hoveredCell;
    view.forget();
    onMouseMove(*game, centreX(40), centreY(40));
    onMouseMove(*game, 120, 10);
    EXPECT_EQ(game->hoveredCell, hovered);
    EXPECT_EQ(game->hoveredButton, -1);
    rightClick(emptyCells()[0]);
    EXPECT_EQ(game->userGrid, solvedGrid);
    EXPECT_EQ(view.redraws() + view.presents, 0);

    // A click anywhere, the blanked button band included, starts the next uncleared puzzle:
    // puzzle 2 is cleared, so the search wraps to puzzle 0.
    onLeftButtonDown(*game, 60, 10);
    EXPECT_EQ(currentIndex(), 0);
    EXPECT_EQ(game->phase, PlayPhase::InPlay);
    EXPECT_EQ(game->currentProblem, &game->progress.problems[0]);
    EXPECT_EQ(game->userGrid, CellGrid{});
    EXPECT_EQ(game->elapsedSeconds, 0);
    EXPECT_TRUE(view.clockRunning);

    // With every puzzle cleared the click does nothing and the game stays solved.
    solveAt(200);
    EXPECT_EQ(record().clearSeconds[0], 200);
    onLeftButtonDown(*game, 60, 300);
    EXPECT_EQ(game->phase, PlayPhase::Cleared);
    EXPECT_EQ(currentIndex(), 0);
    EXPECT_FALSE(view.clockRunning);
    EXPECT_TRUE(view.notices.empty());
}

TEST_F(Rules, SolvedWithinTheFirstSecondCountsAsNotCleared) {
    restart(*game);
    solveAt(0);
    ASSERT_EQ(game->phase, PlayPhase::Cleared);
    EXPECT_EQ(record().clearSeconds[0], 0);
    onLeftButtonDown(*game, 100, 100);
    EXPECT_EQ(currentIndex(), 0); // the same puzzle again, from an empty grid
    EXPECT_EQ(game->userGrid, CellGrid{});
}

TEST_F(Rules, SolvingAClearedPuzzleAgainReplacesItsTimeEvenWithALongerOne) {
    record().clearSeconds[0] = 40;
    restart(*game);
    solveAt(900);
    EXPECT_EQ(record().clearSeconds[0], 900);
}

TEST_F(Rules, ClockStopsAt3599AndSolvingThenRecords3599) {
    restart(*game);
    for (int tick = 0; tick < 3598; ++tick) onTimer(*game);
    EXPECT_EQ(game->elapsedSeconds, 3598);
    onTimer(*game);
    EXPECT_EQ(game->elapsedSeconds, 3599);
    for (int tick = 0; tick < 10; ++tick) onTimer(*game);
    EXPECT_EQ(game->elapsedSeconds, 3599);
    fillAllBut(-1);
    EXPECT_EQ(game->phase, PlayPhase::Cleared);
    EXPECT_EQ(record().clearSeconds[0], 3599);
}

TEST_F(Rules, RestartQuestionCancelledKeepsTheGame) {
    view.answer = false;
    restart(*game);
    place(emptyCells()[0], game->currentProblem->solution[emptyCells()[0]]);
    game->elapsedSeconds = 42;
    const CellGrid grid = game->userGrid;
    const std::int8_t selected = game->selectedDigit;

    onLeftButtonDown(*game, layoutButtonBarX + 90 + 45, 16);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0], "最初から始めます。よろしいですか?");
    EXPECT_EQ(game->userGrid, grid);
    EXPECT_EQ(game->selectedDigit, selected);
    EXPECT_EQ(game->elapsedSeconds, 42);
    EXPECT_TRUE(view.clockRunning);

    view.answer = true;
    onLeftButtonDown(*game, layoutButtonBarX + 179, 31);
    EXPECT_EQ(view.questions.size(), 2u);
    EXPECT_EQ(game->userGrid, CellGrid{});
    EXPECT_EQ(game->selectedDigit, -1);
    EXPECT_EQ(game->elapsedSeconds, 0);
    EXPECT_TRUE(view.clockRunning);
}

TEST_F(Rules, FirstButtonAsksForTheProblemSelection) {
    restart(*game);
    onLeftButtonDown(*game, layoutButtonBarX, 2);
    EXPECT_EQ(view.problemSelections, 1);
    EXPECT_TRUE(view.questions.empty());
    EXPECT_EQ(game->phase, PlayPhase::InPlay);
}

TEST_F(Rules, ButtonRowsOutsideTheButtonsDoNothing) {
    restart(*game);
    selectDigit(game->currentProblem->givens[0]);
    const GameState before = *game;
    view.forget();
    onLeftButtonDown(*game, layoutButtonBarX - 1, 20);
    onLeftButtonDown(*game, layoutButtonBarX + 180, 20);
    onLeftButtonDown(*game, layoutClockX - 1, 20); // just left of the clock, which pauses
    EXPECT_TRUE(view.notices.empty());
    EXPECT_EQ(view.problemSelections, 0);
    EXPECT_TRUE(view.questions.empty());
    EXPECT_EQ(game->userGrid, before.userGrid);
    EXPECT_EQ(game->selectedDigit, before.selectedDigit);
    EXPECT_TRUE(view.clockRunning);
    EXPECT_EQ(view.redraws() + view.presents, 0);
}

TEST_F(Rules, PointsOffTheBoardChangeNothing) {
    restart(*game);
    selectDigit(game->currentProblem->givens[0]);
    view.forget();
    onLeftButtonDown(*game, 5, 300);
    onLeftButtonDown(*game, 300, 40);
    onLeftButtonDown(*game, 300, 545);
    onLeftButtonDown(*game, -20, -20);
    EXPECT_EQ(game->userGrid, CellGrid{});
    EXPECT_TRUE(view.notices.empty());
    EXPECT_EQ(view.redraws() + view.presents, 0);
}

TEST_F(Rules, EachChangeRedrawsItsPartOnceAndPresentsOnce) {
    restart(*game);
    const int target = emptyCells()[0];
    const auto expectOnly = [&](int cells, int bar, int clock, const char* what) {
        EXPECT_EQ(view.cellDraws, cells) << what;
        EXPECT_EQ(view.buttonBarDraws, bar) << what;
        EXPECT_EQ(view.clockDraws, clock) << what;
        EXPECT_EQ(view.redraws(), cells + bar + clock) << what;
        EXPECT_EQ(view.presents, cells + bar + clock) << what;
        view.forget();
    };
    view.forget();
    selectDigit(game->currentProblem->givens[0]);
    expectOnly(1, 0, 0, "selection");
    leftClick(target);
    expectOnly(1, 0, 0, "placement");
    EXPECT_EQ(view.lastCells.userGrid, game->userGrid);
    EXPECT_EQ(view.lastCells.selectedDigit, game->selectedDigit);
    rightClick(target);
    expectOnly(1, 0, 0, "erase");
    onTimer(*game);
    expectOnly(0, 0, 1, "tick");
    EXPECT_EQ(view.lastClock, 1);

    // Clicks and erases that change nothing redraw nothing.
    rightClick(0);
    rightClick(target);
    onRightButtonDown(*game, 5, 300);
    expectOnly(0, 0, 0, "erasing a given, an empty cell, a point off the board");
}

TEST_F(Rules, HoverFollowsThePointerRedrawingOncePerChange) {
    restart(*game);
    const auto moveTo = [&](int x, int y, int button, int cell, int barDraws, int cellDraws) {
        view.forget();
        onMouseMove(*game, x, y);
        EXPECT_EQ(game->hoveredButton, button) << x << "," << y;
        EXPECT_EQ(game->hoveredCell, cell) << x << "," << y;
        EXPECT_EQ(view.buttonBarDraws, barDraws) << x << "," << y;
        EXPECT_EQ(view.cellDraws, cellDraws) << x << "," << y;
        EXPECT_EQ(view.redraws(), barDraws + cellDraws) << x << "," << y;
        EXPECT_EQ(view.presents, barDraws + cellDraws) << x << "," << y;
    };
    moveTo(layoutButtonBarX + 10, 10, 0, -1, 1, 0);
    moveTo(layoutButtonBarX + 20, 12, 0, -1, 0, 0); // within button 0
    moveTo(layoutButtonBarX + 100, 10, 1, -1, 1, 0);
    moveTo(16, 48, -1, 0, 1, 1);  // both change: two redraws, each presented
    moveTo(68, 100, -1, 0, 0, 0); // the gap corner of cell 0
    moveTo(506, 538, -1, 80, 0, 1);
    moveTo(600, 600, -1, -1, 0, 1);
}

TEST_F(Rules, NothingHappensBeforeTheFirstGame) {
    // Not started: handled as when solved, and no puzzle loaded past the three.
    onMouseMove(*game, 16, 48);
    onRightButtonDown(*game, 16, 48);
    EXPECT_EQ(game->hoveredCell, -1);
    EXPECT_EQ(game->phase, PlayPhase::NotStarted);
    EXPECT_TRUE(view.notices.empty());
}

} // namespace
} // namespace korvani
