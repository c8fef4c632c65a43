// Pause, the mistake display, the way back to the last right board, and the clear's record, on a
// recording view: what each changes, what it draws, and what it blocks.
#include "tests/game/game_test_support.h"

#include <gtest/gtest.h>

namespace korvani {
namespace {

using testing::GameOnView;
using testing::layoutClockX;

class PlayControls : public GameOnView {
  protected:
    void clickClock() { onLeftButtonDown(*game, layoutClockX + 30, 20); }

    // An empty cell of the current puzzle and a digit that is wrong there.
    int wrongDigitAt(int cell) const { return game->currentProblem->solution[cell] % 9 + 1; }
};

// The base puzzle's first row is "53..7....": cells 2 and 3 are empty, and take 4 and 6.
TEST_F(PlayControls, PauseStopsTheClockHidesTheBoardAndTakesNoInputUntilResumed) {
    restart(*game);
    place(2, 4);
    onTimer(*game);
    ASSERT_EQ(game->elapsedSeconds, 1);
    view.forget();

    clickClock();
    EXPECT_TRUE(game->paused);
    EXPECT_FALSE(view.clockRunning);
    EXPECT_EQ(view.pausePanels, 1);
    EXPECT_TRUE(view.panelShown);
    EXPECT_EQ(view.presents, 1);
    EXPECT_EQ(view.cellDraws, 0);

    // Nothing reaches the board or the clock while paused, and nothing can be asked for.
    const CellGrid before = game->userGrid;
    view.forget();
    onTimer(*game); // a tick queued before the clock stopped
    onRightButtonDown(*game, centreX(2), centreY(2));
    onMouseMove(*game, centreX(3), centreY(3));
    onDigitKey(*game, 6);
    onHint(*game);
    onUndo(*game);
    onFillNotes(*game);
    EXPECT_EQ(game->elapsedSeconds, 1);
    EXPECT_EQ(game->userGrid, before);
    EXPECT_EQ(game->selectedDigit, 4);
    EXPECT_EQ(view.redraws() + view.presents, 0);
    EXPECT_TRUE(view.hints.empty());
    EXPECT_FALSE(canUndo(*game) || canHint(*game) || canFillNotes(*game));
    EXPECT_TRUE(canPause(*game));

    // A click on the board resumes and does nothing else: the digit is not placed.
    leftClick(3);
    EXPECT_FALSE(game->paused);
    EXPECT_TRUE(view.clockRunning);
    EXPECT_FALSE(view.panelShown);
    EXPECT_EQ(view.boardInteriors, 1);
    EXPECT_EQ(view.lastCells.userGrid, before);
    EXPECT_EQ(game->userGrid, before);
    onTimer(*game);
    EXPECT_EQ(game->elapsedSeconds, 2);

    // P (onPause) pauses and resumes as well; a full redraw while paused keeps the panel.
    onPause(*game);
    view.redrawAll(*game);
    EXPECT_TRUE(view.panelShown);
    onPause(*game);
    EXPECT_FALSE(game->paused);
    EXPECT_TRUE(view.clockRunning);

    // The restart button still works while paused, and starts unpaused.
    onPause(*game);
    onLeftButtonDown(*game, testing::layoutButtonBarX + 90 + 45, 15);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_FALSE(game->paused);
    EXPECT_TRUE(view.clockRunning);
    EXPECT_EQ(game->userGrid, CellGrid{});
}

TEST_F(PlayControls, AResumedGameQuitWhilePausedStaysPausedWithoutItsClock) {
    restart(*game);
    game->paused = true;
    view.clockRunning = false;
    view.forget();
    resumeStoredGame(*game);
    EXPECT_FALSE(view.clockRunning);
    EXPECT_TRUE(view.panelShown);
    game->paused = false;
    resumeStoredGame(*game);
    EXPECT_TRUE(view.clockRunning);
    EXPECT_FALSE(view.panelShown);
}

TEST_F(PlayControls, TheMistakeDisplayMarksOnlyPlacedWrongDigitsUntilErased) {
    restart(*game);
    const int wrong = wrongDigitAt(3);
    place(2, 4);     // right
    place(3, wrong); // wrong
    EXPECT_EQ(view.lastCells.redDigits, CellFlags{}) << "off: today's frame";

    view.forget();
    setMistakeDisplay(*game, true);
    EXPECT_EQ(view.cellDraws, 1);
    CellFlags expected{};
    expected[3] = true;
    EXPECT_EQ(view.lastCells.redDigits, expected);

    rightClick(3);
    EXPECT_EQ(view.lastCells.redDigits, CellFlags{});
    place(3, wrong);
    EXPECT_EQ(view.lastCells.redDigits, expected) << "red as soon as it is placed";

    setMistakeDisplay(*game, false);
    EXPECT_EQ(view.lastCells.redDigits, CellFlags{});
}

TEST_F(PlayControls, BackToTheLastRightBoardIsOneStepThatRedoGivesBack) {
    restart(*game);
    EXPECT_FALSE(canBackToLastRight(*game));
    place(2, 4);               // board 1: right
    place(3, wrongDigitAt(3)); // board 2: wrong
    place(5, wrongDigitAt(5)); // board 3: wrong
    EXPECT_TRUE(canBackToLastRight(*game));
    const CellGrid wrongBoard = game->userGrid;
    CellGrid rightBoard{};
    rightBoard[2] = 4;

    view.forget();
    onBackToLastRight(*game);
    EXPECT_EQ(game->userGrid, rightBoard);
    EXPECT_EQ(view.lastCells.userGrid, rightBoard);
    EXPECT_EQ(view.presents, 1);
    EXPECT_FALSE(canBackToLastRight(*game)) << "no wrong digit left";

    onRedo(*game);
    EXPECT_EQ(game->userGrid, wrongBoard) << "one redo gives the board back";
    onUndo(*game);
    EXPECT_EQ(game->userGrid[5], 0) << "the steps in between are all still there";
    EXPECT_NE(game->userGrid[3], 0);

    // Again, then undo: one step further back than the right board.
    onRedo(*game);
    onBackToLastRight(*game);
    onUndo(*game);
    EXPECT_EQ(game->userGrid, CellGrid{});

    // A new change after the jump drops what could be redone, the quick way back included.
    onRedo(*game);
    place(3, 6);
    EXPECT_FALSE(canRedo(*game));
}

TEST_F(PlayControls, EveryClearIsRecordedWithItsGradeTimeAndHowItWasSolved) {
    restart(*game); // puzzle 0, grade 0
    onHint(*game);
    place(3, wrongDigitAt(3));
    rightClick(3);
    solveAt(75);
    ASSERT_EQ(view.clears.size(), 1u);
    EXPECT_EQ(view.clears[0], (ClearRecord{0x1234, 0, 0, clearUsedHint | clearPlacedWrong, 75, 0}));

    leftClick(40); // moves on to puzzle 1
    ASSERT_EQ(currentIndex(), 1);
    solveAt(130);
    ASSERT_EQ(view.clears.size(), 2u);
    EXPECT_EQ(view.clears[1], (ClearRecord{0x1234, 1, 1, 0, 130, 0}));
}

} // namespace
} // namespace korvani
