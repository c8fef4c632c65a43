// Notes, undo and redo, and hints on a recording view: what each changes on the board, the one
// redraw and present it asks for, the history steps it makes, and when the history and the hint's
// marks go.
#include "core/grid.h"
#include "tests/game/game_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace korvani {
namespace {

using testing::GameOnView;

class Editing : public GameOnView {
  protected:
    void noteClick(int cell) { onNoteClick(*game, centreX(cell), centreY(cell)); }

    // The cells that carry `mark`.
    std::vector<int> marked(CellMark mark) const {
        std::vector<int> cells;
        for (int cell = 0; cell < 81; ++cell) {
            if (game->marks[cell] == mark) cells.push_back(cell);
        }
        return cells;
    }

    void expectNoMarks() const { EXPECT_EQ(game->marks, CellMarks{}); }

    // Undo all the way back; returns the number of steps taken.
    int undoAll() {
        int steps = 0;
        while (canUndo(*game) && steps < 1000) {
            onUndo(*game);
            ++steps;
        }
        return steps;
    }
};

constexpr DigitMask bit(int digit) {
    return digitMaskTable[digit];
}

// The base puzzle's first row is "53..7....": cell 2 (r1c3) allows 1, 2 and 4 and takes 4. Cell
// 3 shares its row, 29 its column, 10 its box; 40 shares none of them.
TEST_F(Editing, NotesToggleAndPlacingCleansThemUpAsOneUndoStep) {
    restart(*game);
    view.forget();

    // No digit selected, then a cell showing a digit: nothing at all.
    noteClick(2);
    selectDigit(4);
    view.forget();
    noteClick(0);
    onNoteClick(*game, 5, 300); // outside the board
    EXPECT_EQ(game->notes, NoteGrid{});
    EXPECT_EQ(view.redraws() + view.presents, 0);
    EXPECT_FALSE(canUndo(*game));

    // Each toggle: one redraw presented once, one step.
    for (int cell : {3, 29, 10, 40, 2}) noteClick(cell);
    EXPECT_EQ(view.cellDraws, 5);
    EXPECT_EQ(view.presents, 5);
    EXPECT_EQ(view.lastCells.notes, game->notes);
    selectDigit(2);
    noteClick(3);
    noteClick(2);
    selectDigit(1);
    noteClick(2);
    noteClick(2); // taken away again
    EXPECT_EQ(game->notes[2], bit(2) | bit(4));
    EXPECT_EQ(game->notes[3], bit(2) | bit(4));
    const NoteGrid noted = game->notes;

    // A plain click places the selected digit on a cell with notes: its notes and the 4s of
    // its row, column and box go, the rest stay.
    place(2, 4);
    EXPECT_EQ(game->userGrid[2], 4);
    EXPECT_EQ(game->notes[2], 0);
    EXPECT_EQ(game->notes[3], bit(2));
    EXPECT_EQ(game->notes[29], 0);
    EXPECT_EQ(game->notes[10], 0);
    EXPECT_EQ(game->notes[40], bit(4));
    const NoteGrid cleaned = game->notes;

    // No note on a cell showing a digit.
    noteClick(2);
    EXPECT_EQ(game->notes, cleaned);

    // One undo gives back the digit and every note it took; redo the clean-up again.
    view.forget();
    onUndo(*game);
    EXPECT_EQ(game->userGrid[2], 0);
    EXPECT_EQ(game->notes, noted);
    EXPECT_EQ(view.cellDraws, 1);
    EXPECT_EQ(view.presents, 1);
    EXPECT_EQ(view.lastCells.notes, noted);
    onRedo(*game);
    EXPECT_EQ(game->userGrid[2], 4);
    EXPECT_EQ(game->notes, cleaned);
    EXPECT_FALSE(canRedo(*game));

    // Erasing brings no notes back; undoing the erase brings the digit back.
    rightClick(2);
    EXPECT_EQ(game->userGrid[2], 0);
    EXPECT_EQ(game->notes, cleaned);
    onUndo(*game);
    EXPECT_EQ(game->userGrid[2], 4);

    // Every step so far undoes back to the empty board: 5 + 4 toggles, the placement, the
    // erase (the erase was undone, so 10 steps remain).
    EXPECT_EQ(undoAll(), 10);
    EXPECT_EQ(game->userGrid, CellGrid{});
    EXPECT_EQ(game->notes, NoteGrid{});
    // A new change drops what could be redone.
    EXPECT_TRUE(canRedo(*game));
    selectDigit(4);
    noteClick(40);
    EXPECT_FALSE(canRedo(*game));
    EXPECT_TRUE(canUndo(*game));
    EXPECT_TRUE(view.notices.empty());
}

TEST_F(Editing, FillAndClearAreOneStepEachAndOnlyWhenTheyChangeSomething) {
    restart(*game);
    EXPECT_TRUE(canFillNotes(*game));
    EXPECT_FALSE(canClearNotes(*game));
    view.forget();
    onClearNotes(*game);
    EXPECT_EQ(view.redraws() + view.presents, 0);
    EXPECT_FALSE(canUndo(*game));

    onFillNotes(*game);
    EXPECT_EQ(view.cellDraws, 1);
    EXPECT_EQ(view.presents, 1);
    EXPECT_EQ(game->notes[2], bit(1) | bit(2) | bit(4));
    EXPECT_EQ(game->notes[0], 0); // a given
    const Problem& problem = *game->currentProblem;
    for (int cell = 0; cell < 81; ++cell) {
        if (problem.givens[cell] == 0) {
            EXPECT_TRUE(game->notes[cell] & bit(problem.solution[cell])) << cell;
        }
    }
    const NoteGrid filled = game->notes;
    EXPECT_FALSE(canFillNotes(*game));
    EXPECT_TRUE(canClearNotes(*game));
    view.forget();
    onFillNotes(*game); // already filled: no step, no redraw
    EXPECT_EQ(view.redraws() + view.presents, 0);

    // A note taken away can be filled in again.
    selectDigit(1);
    noteClick(2);
    EXPECT_TRUE(canFillNotes(*game));

    onClearNotes(*game);
    EXPECT_EQ(game->notes, NoteGrid{});
    EXPECT_FALSE(canClearNotes(*game));
    onUndo(*game);
    onUndo(*game);
    EXPECT_EQ(game->notes, filled);
    onUndo(*game);
    EXPECT_EQ(game->notes, NoteGrid{});
    EXPECT_FALSE(canUndo(*game));
}

TEST_F(Editing, UndoAndRedoPresentOnceAndRunTheCompletionCheck) {
    restart(*game);
    const Problem& problem = *game->currentProblem;
    const int last = emptyCells().back();
    const int right = problem.solution[last];
    fillAllBut(last);
    place(last, right % 9 + 1);
    ASSERT_EQ(view.notices.size(), 1u);

    rightClick(last);
    view.forget();
    onUndo(*game); // the wrong digit is back in a full grid
    EXPECT_EQ(view.notices, std::vector<std::string>{"1 つのマスが間違っています。"});
    EXPECT_EQ(view.cellDraws, 1);
    EXPECT_EQ(view.presents, 1);
    view.forget();
    onRedo(*game); // erased again: the grid is not full, so nothing is told
    EXPECT_TRUE(view.notices.empty());
    EXPECT_EQ(view.presents, 1);
    EXPECT_EQ(game->userGrid[last], 0);

    // Solved by a click: nothing is undone or redone any more, and nothing is drawn.
    game->elapsedSeconds = 42;
    place(last, right);
    ASSERT_EQ(game->phase, PlayPhase::Cleared);
    EXPECT_FALSE(canUndo(*game));
    EXPECT_FALSE(canRedo(*game));
    EXPECT_FALSE(canFillNotes(*game));
    EXPECT_FALSE(canHint(*game));
    const CellGrid solved = game->userGrid;
    view.forget();
    onUndo(*game);
    onRedo(*game);
    onFillNotes(*game);
    onHint(*game);
    onNoteClick(*game, centreX(last), centreY(last));
    EXPECT_EQ(game->userGrid, solved);
    EXPECT_EQ(view.redraws() + view.presents, 0);
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(record().clearSeconds[0], 42);

    // The click that moves on starts the next puzzle with nothing to undo.
    leftClick(40);
    ASSERT_EQ(currentIndex(), 1);
    EXPECT_FALSE(canUndo(*game));
}

TEST_F(Editing, StartingOverForgetsTheHistoryNotesAndMarks) {
    restart(*game);
    selectDigit(4);
    noteClick(40);
    place(2, 1); // wrong
    onHint(*game);
    ASSERT_FALSE(marked(CellMark::Mistake).empty());
    view.answer = true;
    onLeftButtonDown(*game, testing::layoutButtonBarX + 100, 10); // 最初から, confirmed
    EXPECT_EQ(game->userGrid, CellGrid{});
    EXPECT_EQ(game->notes, NoteGrid{});
    expectNoMarks();
    EXPECT_EQ(view.lastCells.notes, NoteGrid{});
    EXPECT_EQ(view.lastCells.marks, CellMarks{});
    EXPECT_FALSE(canUndo(*game));
    EXPECT_FALSE(canRedo(*game));
    EXPECT_FALSE(canClearNotes(*game));

    // Another puzzle (the Problem-selection dialog ends in restart) likewise.
    selectDigit(4);
    noteClick(40);
    onUndo(*game);
    ASSERT_TRUE(canRedo(*game));
    game->progress.header.currentProblemIndex = 2;
    restart(*game);
    EXPECT_FALSE(canUndo(*game));
    EXPECT_FALSE(canRedo(*game));
}

TEST_F(Editing, AWrongDigitIsMarkedUntilTheNextChange) {
    restart(*game);
    place(2, 1); // the solution has 4 there
    const CellGrid board = game->userGrid;
    view.forget();
    onHint(*game);
    EXPECT_EQ(marked(CellMark::Mistake), std::vector<int>{2});
    EXPECT_EQ(marked(CellMark::None).size(), 80u);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_NE(view.hints[0].find(" 1 "), std::string::npos); // how many are wrong
    EXPECT_EQ(view.cellDraws, 1);
    EXPECT_EQ(view.presents, 1);
    EXPECT_EQ(view.lastCells.marks, game->marks);
    EXPECT_EQ(game->userGrid, board);
    onUndo(*game); // the hint made no step: this undoes the placement
    EXPECT_EQ(game->userGrid, CellGrid{});
    expectNoMarks();
    onRedo(*game);

    // Hovering and selecting keep the marks; asking again shows them again.
    onHint(*game);
    onMouseMove(*game, centreX(40), centreY(40));
    selectDigit(4);
    EXPECT_EQ(marked(CellMark::Mistake), std::vector<int>{2});
    EXPECT_EQ(view.lastCells.marks, game->marks);
    onHint(*game);
    EXPECT_EQ(game->userGrid, board);
    EXPECT_EQ(marked(CellMark::Mistake), std::vector<int>{2});

    // The erase is a change: the marks go with it.
    rightClick(2);
    expectNoMarks();
    EXPECT_EQ(view.lastCells.marks, CellMarks{});
}

TEST_F(Editing, HintTwiceOnAGentlePuzzlePlacesTheRightDigitAsOneStep) {
    restart(*game);
    onFillNotes(*game);
    const NoteGrid filled = game->notes;
    view.forget();
    onHint(*game);
    const std::vector<int> targets = marked(CellMark::HintTarget);
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_FALSE(marked(CellMark::HintPattern).empty());
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_FALSE(view.hints[0].empty());
    EXPECT_EQ(view.lastCells.marks, game->marks);
    EXPECT_EQ(game->userGrid, CellGrid{});
    EXPECT_EQ(game->notes, filled);

    // A note toggled in between drops the marks: the next hint is looked for afresh, not applied.
    selectDigit(1);
    noteClick(2);
    expectNoMarks();
    onHint(*game);
    EXPECT_EQ(view.hints.size(), 2u);
    EXPECT_EQ(game->userGrid, CellGrid{});
    onUndo(*game); // the note; the marks go
    expectNoMarks();
    EXPECT_EQ(game->notes, filled);

    onHint(*game);
    ASSERT_EQ(marked(CellMark::HintTarget), targets);
    // The explanation stands beside the target and stays open while the game goes on.
    EXPECT_EQ(view.hintAnchors.back(), targets[0]);
    EXPECT_TRUE(view.hintShown);
    view.forget();
    onHint(*game);
    const int target = targets[0];
    const int digit = game->currentProblem->solution[target];
    EXPECT_EQ(game->userGrid[target], digit);
    expectNoMarks();
    EXPECT_FALSE(view.hintShown);    // the change of the board closed it
    EXPECT_TRUE(view.hints.empty()); // applying tells nothing more
    EXPECT_EQ(view.cellDraws, 1);
    EXPECT_EQ(view.presents, 1);
    // The notes are cleaned up as after a click placing the digit.
    for (int cell = 0; cell < 81; ++cell) {
        const bool peer = cell / 9 == target / 9 || cell % 9 == target % 9 ||
                          (cell / 27 == target / 27 && cell % 9 / 3 == target % 9 / 3);
        const DigitMask expected = cell == target ? 0
                                   : peer         ? DigitMask(filled[cell] & ~bit(digit))
                                                  : filled[cell];
        EXPECT_EQ(game->notes[cell], expected) << cell;
    }
    onUndo(*game);
    EXPECT_EQ(game->userGrid, CellGrid{});
    EXPECT_EQ(game->notes, filled);
}

TEST_F(Editing, AHintAppliedToTheLastCellSolvesThePuzzle) {
    restart(*game);
    const int last = emptyCells().back();
    fillAllBut(last);
    game->elapsedSeconds = 64;
    onHint(*game);
    EXPECT_EQ(marked(CellMark::HintTarget), std::vector<int>{last});
    view.forget();
    onHint(*game);
    EXPECT_EQ(game->phase, PlayPhase::Cleared);
    EXPECT_EQ(view.banners, 1);
    EXPECT_EQ(view.presents, 1);
    EXPECT_FALSE(view.clockRunning);
    EXPECT_EQ(record().clearSeconds[0], 64);
}

TEST_F(Editing, APuzzleWithClashingGivensGetsAMessageAndNothingChanges) {
    game->progress.problems[0].givens[2] = 5; // a second 5 in the first row
    restart(*game);
    selectDigit(4);
    noteClick(40);
    const CellGrid board = game->userGrid;
    const NoteGrid notes = game->notes;
    for (int press = 1; press <= 2; ++press) {
        view.forget();
        onHint(*game);
        ASSERT_EQ(view.hints.size(), 1u);
        EXPECT_FALSE(view.hints[0].empty());
        EXPECT_EQ(view.redraws() + view.presents, 0);
        expectNoMarks();
        EXPECT_EQ(game->userGrid, board);
        EXPECT_EQ(game->notes, notes);
    }
    onUndo(*game); // only the note was a step
    EXPECT_FALSE(canUndo(*game));
}

} // namespace
} // namespace korvani
