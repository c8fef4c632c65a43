// The keyboard on the rules of play: where the cursor appears and how it moves (edges, Ctrl over
// filled cells, Home and End), what each key does to the cursor's cell and its undo step, note
// mode, a whole game by keys alone, and the pointer's part (a click hides the cursor, leaving
// the window clears the hover).
#include "game_test_support.h"

namespace korvani {
namespace {

class Keyboard : public testing::GameOnView {
  protected:
    void SetUp() override {
        GameOnView::SetUp();
        restart(*game);
        view.forget();
    }

    void key(CursorKey k, bool ctrl = false) { onCursorKey(*game, k, ctrl); }

    // Arrows only, one cell at a time, to `target`.
    void moveCursorTo(int target) {
        while (game->cursorCell % 9 < target % 9) key(CursorKey::Right);
        while (game->cursorCell % 9 > target % 9) key(CursorKey::Left);
        while (game->cursorCell / 9 < target / 9) key(CursorKey::Down);
        while (game->cursorCell / 9 > target / 9) key(CursorKey::Up);
        ASSERT_EQ(game->cursorCell, target);
    }

    // The base puzzle's row 0 is "53..7....", its column 0 "56.847...".
    static constexpr int emptyInRow0 = 2;
};

TEST_F(Keyboard, FirstKeyShowsTheCursorAtTheCentreThenArrowsMoveItAndEdgesHoldIt) {
    key(CursorKey::Left);
    EXPECT_EQ(game->cursorCell, 40) << "shown, not moved";
    EXPECT_EQ(view.cellDraws, 1);
    EXPECT_EQ(view.presents, 1);
    EXPECT_EQ(view.lastCells.cursorCell, 40);

    for (int i = 0; i < 4; ++i) key(CursorKey::Left);
    EXPECT_EQ(game->cursorCell, 36);
    view.forget();
    key(CursorKey::Left);
    EXPECT_EQ(game->cursorCell, 36) << "the left edge";
    EXPECT_EQ(view.redraws() + view.presents, 0) << "nothing moved, nothing drawn";
    for (int i = 0; i < 9; ++i) key(CursorKey::Up);
    EXPECT_EQ(game->cursorCell, 0);
    for (int i = 0; i < 9; ++i) key(CursorKey::Down);
    EXPECT_EQ(game->cursorCell, 72);
    key(CursorKey::End);
    EXPECT_EQ(game->cursorCell, 80);
    key(CursorKey::Right);
    EXPECT_EQ(game->cursorCell, 80) << "the right edge";
    key(CursorKey::Up);
    key(CursorKey::Home);
    EXPECT_EQ(game->cursorCell, 63) << "the row's start";
    key(CursorKey::End, true);
    EXPECT_EQ(game->cursorCell, 80);
    key(CursorKey::Home, true);
    EXPECT_EQ(game->cursorCell, 0);

    view.forget();
    onEscapeKey(*game);
    EXPECT_EQ(game->cursorCell, -1);
    EXPECT_EQ(view.lastCells.cursorCell, -1);
    EXPECT_EQ(view.presents, 1);
    onEscapeKey(*game);
    EXPECT_EQ(view.presents, 1) << "nothing to hide";
}

TEST_F(Keyboard, CursorAppearsWhereThePointerWasLast) {
    onMouseMove(*game, centreX(12), centreY(12));
    onMouseMove(*game, 2, 2); // off the board: the last cell is kept
    key(CursorKey::Down);
    EXPECT_EQ(game->cursorCell, 12);
}

TEST_F(Keyboard, CtrlArrowsJumpOverFilledCellsToTheNextEmptyOne) {
    key(CursorKey::Home, true);
    key(CursorKey::Home, true);
    ASSERT_EQ(game->cursorCell, 0);
    key(CursorKey::Right, true);
    EXPECT_EQ(game->cursorCell, 2) << "over the given 3";
    key(CursorKey::Right, true);
    EXPECT_EQ(game->cursorCell, 3);
    key(CursorKey::Right, true);
    EXPECT_EQ(game->cursorCell, 5) << "over the given 7";

    key(CursorKey::Home, true);
    key(CursorKey::Down, true);
    EXPECT_EQ(game->cursorCell, 18);
    key(CursorKey::Down, true);
    EXPECT_EQ(game->cursorCell, 54) << "over 8, 4 and 7";
    key(CursorKey::Up, true);
    EXPECT_EQ(game->cursorCell, 18);
    view.forget();
    key(CursorKey::Up, true);
    EXPECT_EQ(game->cursorCell, 18) << "no empty cell above: it stays";
    EXPECT_EQ(view.presents, 0);

    key(CursorKey::Down, true);
    onDigitKey(*game, game->currentProblem->solution[54]); // a player's digit is filled too
    key(CursorKey::Up, true);
    key(CursorKey::Down, true);
    EXPECT_EQ(game->cursorCell, 63);
}

TEST_F(Keyboard, DigitPlacesIntoAnEmptyCursorCellAndOnlyChoosesOnAFilledOne) {
    const int cell = emptyInRow0;
    const auto right = game->currentProblem->solution[cell];
    const int other = right % 9 + 1;
    key(CursorKey::Home, true);
    key(CursorKey::Home, true);
    key(CursorKey::Right);
    key(CursorKey::Right);
    ASSERT_EQ(game->cursorCell, cell);

    onDigitKey(*game, right);
    EXPECT_EQ(game->selectedDigit, right);
    EXPECT_EQ(game->userGrid[cell], right);
    onDigitKey(*game, other);
    EXPECT_EQ(game->selectedDigit, other) << "a filled cell: the key only chooses";
    EXPECT_EQ(game->userGrid[cell], right);
    key(CursorKey::Left);
    onDigitKey(*game, right);
    EXPECT_EQ(game->currentProblem->givens[1], 3) << "a given stays";
    EXPECT_EQ(game->selectedDigit, right);

    onUndo(*game);
    EXPECT_EQ(game->userGrid[cell], 0) << "the placement was one undo step";
    EXPECT_FALSE(canUndo(*game));
}

TEST_F(Keyboard, EnterClicksAndDeleteErasesTheCursorCellEachOneUndoStep) {
    key(CursorKey::Home, true);
    key(CursorKey::Home, true);
    onActivateKey(*game);
    EXPECT_EQ(game->selectedDigit, 5) << "Enter on the given 5 selects it";
    key(CursorKey::Right, true);
    ASSERT_EQ(game->cursorCell, emptyInRow0);
    onActivateKey(*game);
    EXPECT_EQ(game->userGrid[emptyInRow0], 5) << "Enter on an empty cell places the selection";

    onEraseKey(*game);
    EXPECT_EQ(game->userGrid[emptyInRow0], 0);
    onUndo(*game);
    EXPECT_EQ(game->userGrid[emptyInRow0], 5) << "the erase was one step";
    onUndo(*game);
    EXPECT_EQ(game->userGrid[emptyInRow0], 0) << "the placement another";
    EXPECT_FALSE(canUndo(*game));

    key(CursorKey::Home);
    view.forget();
    onEraseKey(*game);
    EXPECT_EQ(view.presents, 0) << "a given is never erased";
}

TEST_F(Keyboard, ShiftDigitAndNoteModeToggleNotesWithoutChoosing) {
    key(CursorKey::Home, true);
    key(CursorKey::Home, true);
    key(CursorKey::Right, true);
    const int cell = game->cursorCell;
    onDigitKey(*game, 6, true);
    EXPECT_EQ(game->notes[cell], 1 << 5);
    EXPECT_EQ(game->selectedDigit, -1);
    EXPECT_EQ(game->userGrid[cell], 0);

    onNoteModeKey(*game);
    EXPECT_TRUE(view.lastCells.noteMode) << "the mode shows on the board";
    onDigitKey(*game, 2);
    onDigitKey(*game, 6);
    EXPECT_EQ(game->notes[cell], 1 << 1) << "plain keys toggle notes in note mode";
    EXPECT_EQ(game->userGrid[cell], 0);
    onUndo(*game);
    EXPECT_EQ(game->notes[cell], (1 << 1) | (1 << 5)) << "each toggle is one step";

    onNoteModeKey(*game);
    onDigitKey(*game, 2);
    EXPECT_EQ(game->userGrid[cell], 2);
    EXPECT_EQ(game->notes[cell], 0) << "placing clears the cell's notes";
}

TEST_F(Keyboard, WithoutTheCursorTheKeysDoWhatTheyDidBefore) {
    onEraseKey(*game);
    onNoteModeKey(*game);
    onActivateKey(*game);
    onEscapeKey(*game);
    onDigitKey(*game, 4, true);
    EXPECT_EQ(game->selectedDigit, 4) << "a digit key only chooses";
    EXPECT_FALSE(game->noteMode);
    EXPECT_EQ(game->userGrid, CellGrid{});
    EXPECT_EQ(game->notes, NoteGrid{});
    EXPECT_EQ(view.cellDraws, 1);
}

TEST_F(Keyboard, AWholeGameByKeysAloneThenEnterMovesOn) {
    game->elapsedSeconds = 321;
    key(CursorKey::Up);
    for (int cell : emptyCells()) {
        moveCursorTo(cell);
        onDigitKey(*game, game->currentProblem->solution[cell]);
    }
    EXPECT_EQ(game->phase, PlayPhase::Cleared);
    EXPECT_EQ(view.banners, 1);
    EXPECT_EQ(record().clearSeconds[0], 321);
    EXPECT_TRUE(view.notices.empty());

    view.forget();
    key(CursorKey::Left);
    EXPECT_EQ(view.redraws(), 0) << "the banner stays while solved";
    onActivateKey(*game);
    EXPECT_EQ(currentIndex(), 1);
    EXPECT_EQ(game->phase, PlayPhase::InPlay);
}

TEST_F(Keyboard, AClickHidesTheCursorAndLeavingTheWindowClearsTheHover) {
    key(CursorKey::Up);
    view.forget();
    onLeftButtonDown(*game, 1, 1); // outside the board and the buttons
    EXPECT_EQ(game->cursorCell, -1);
    EXPECT_EQ(view.lastCells.cursorCell, -1);
    EXPECT_EQ(view.presents, 1);

    onMouseMove(*game, centreX(30), centreY(30));
    onMouseMove(*game, testing::layoutButtonBarX + 100, 10);
    view.forget();
    onMouseLeave(*game);
    EXPECT_EQ(game->hoveredCell, -1);
    EXPECT_EQ(game->hoveredButton, -1);
    EXPECT_EQ(view.lastHoveredButton, -1);
    EXPECT_EQ(view.buttonBarDraws, 1);
    EXPECT_EQ(view.cellDraws, 0) << "the pointer had left the cells already";
    onMouseLeave(*game);
    EXPECT_EQ(view.redraws(), 1) << "nothing hovered, nothing drawn";
}

TEST_F(Keyboard, RestartFromTheMenuAsksFirst) {
    place(emptyInRow0, 4);
    view.answer = false;
    onRestartCommand(*game);
    EXPECT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(game->userGrid[emptyInRow0], 4);
    view.answer = true;
    onRestartCommand(*game);
    EXPECT_EQ(game->userGrid, CellGrid{});
}

} // namespace
} // namespace korvani
