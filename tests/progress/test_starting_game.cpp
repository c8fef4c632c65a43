// The choice at start-up between the stored game and a new one, for sound and damaged headers.
#include "progress/progress_restore.h"
#include "save_test_support.h"

#include <gtest/gtest.h>

namespace korvani {
namespace {

using testing::LoadedStore;

// Five loaded puzzles; puzzle p has givens on cells 0 ... p (digit 1 + cell mod 9).
struct StartFixture : LoadedStore {
    StartFixture() : LoadedStore(5, 1, 0) {
        for (int p = 0; p < 5; ++p) {
            for (int c = 0; c <= p; ++c) store.problems[p].givens[c] = 1 + c % 9;
        }
        store.header.currentProblemIndex = 2;
        store.header.savedGameFlag = 1;
        store.header.savedElapsedSeconds = 130;
        store.header.savedUserGrid = storedGrid();
    }
    static CellGrid storedGrid() {
        CellGrid grid{};
        grid[10] = 4;
        grid[80] = 9;
        return grid;
    }
};

TEST(StartingGame, StoredGameResumesWithItsDigitsAndClock) {
    StartFixture f;
    const StartingGame start = chooseStartingGame(f.store);
    EXPECT_TRUE(start.resume);
    EXPECT_EQ(start.elapsedSeconds, 130);
    EXPECT_EQ(start.userGrid, StartFixture::storedGrid());
    EXPECT_EQ(f.store.header.currentProblemIndex, 2);
}

TEST(StartingGame, EveryFlagOtherThanMinusOneMeansAStoredGame) {
    for (std::int32_t flag : {0, 1, 2, -2, 0x7FFFFFFF}) {
        StartFixture f;
        f.store.header.savedGameFlag = flag;
        EXPECT_TRUE(chooseStartingGame(f.store).resume) << flag;
    }
}

TEST(StartingGame, NoStoredGameMovesToTheNextUnclearedPuzzle) {
    StartFixture f;
    f.store.header.savedGameFlag = -1;
    f.record().clearSeconds[2] = 40;
    f.record().clearSeconds[3] = 40;
    const StartingGame start = chooseStartingGame(f.store);
    EXPECT_FALSE(start.resume);
    EXPECT_EQ(start.elapsedSeconds, 0);
    EXPECT_EQ(start.userGrid, CellGrid{});
    EXPECT_EQ(f.store.header.currentProblemIndex, 4);
}

TEST(StartingGame, EveryPuzzleClearedStartsTheSamePuzzleAgain) {
    StartFixture f;
    f.store.header.savedGameFlag = -1;
    for (int i = 0; i < 5; ++i) f.record().clearSeconds[i] = 40;
    EXPECT_FALSE(chooseStartingGame(f.store).resume);
    EXPECT_EQ(f.store.header.currentProblemIndex, 2);
}

TEST(StartingGame, IndexOutsideTheLoadedPuzzlesBecomesZeroAndNothingResumes) {
    for (std::int32_t index : {5, 29, 30, -1, 0x7FFFFFFF, static_cast<std::int32_t>(0x80000000u)}) {
        StartFixture f;
        f.store.header.currentProblemIndex = index;
        f.record().clearSeconds[0] = 40; // the search starts at 0 and moves on
        const StartingGame start = chooseStartingGame(f.store);
        EXPECT_FALSE(start.resume) << index;
        EXPECT_EQ(start.userGrid, CellGrid{}) << index;
        EXPECT_EQ(f.store.header.currentProblemIndex, 1) << index;
    }
}

TEST(StartingGame, GridWithAValueAboveNineStartsThePuzzleAfresh) {
    for (std::uint8_t value : {10, 0x7F, 0xFF}) {
        StartFixture f;
        f.store.header.savedUserGrid[40] = value;
        f.record().clearSeconds[2] = 40; // a fresh start keeps this puzzle, cleared or not
        const StartingGame start = chooseStartingGame(f.store);
        EXPECT_FALSE(start.resume) << int{value};
        EXPECT_EQ(start.userGrid, CellGrid{});
        EXPECT_EQ(start.elapsedSeconds, 0);
        EXPECT_EQ(f.store.header.currentProblemIndex, 2);
    }
}

TEST(StartingGame, DigitOnAGivenStartsThePuzzleAfresh) {
    StartFixture f;
    f.store.header.savedUserGrid[2] = 5; // puzzle 2 has a given on cell 2
    const StartingGame start = chooseStartingGame(f.store);
    EXPECT_FALSE(start.resume);
    EXPECT_EQ(f.store.header.currentProblemIndex, 2);

    // The same digit on the cell after the givens fits.
    StartFixture g;
    g.store.header.savedUserGrid[3] = 5;
    EXPECT_TRUE(chooseStartingGame(g.store).resume);
}

TEST(StartingGame, ClockOutsideItsRangeIsClamped) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {-1, 0},      {static_cast<std::int32_t>(0x80000000u), 0},
        {0, 0},       {3599, 3599},
        {3600, 3599}, {0x7FFFFFFF, 3599}};
    for (const auto& [stored, shown] : cases) {
        StartFixture f;
        f.store.header.savedElapsedSeconds = stored;
        const StartingGame start = chooseStartingGame(f.store);
        EXPECT_TRUE(start.resume) << stored;
        EXPECT_EQ(start.elapsedSeconds, shown) << stored;
    }
}

} // namespace
} // namespace korvani
