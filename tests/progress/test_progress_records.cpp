// The record table: the search for the next uncleared puzzle, clear times, erasing, and the
// stored-game fields written on exit.
#include "progress/progress_records.h"
#include "save_test_support.h"

#include <gtest/gtest.h>

namespace korvani {
namespace {

using testing::LoadedStore;

void clear(LoadedStore& loaded, std::initializer_list<int> puzzles) {
    for (int i : puzzles) loaded.record().clearSeconds[i] = 60;
}

TEST(SelectNextUnsolved, UnclearedCurrentPuzzleStaysCurrent) {
    LoadedStore loaded(5, 1, 0);
    loaded.store.header.currentProblemIndex = 2;
    clear(loaded, {0, 1});
    EXPECT_TRUE(selectNextUnsolved(loaded.store));
    EXPECT_EQ(loaded.store.header.currentProblemIndex, 2);
}

TEST(SelectNextUnsolved, SearchesOnwardThenWrapsToTheStart) {
    LoadedStore loaded(5, 1, 0);
    loaded.store.header.currentProblemIndex = 2;
    clear(loaded, {2, 3});
    EXPECT_TRUE(selectNextUnsolved(loaded.store));
    EXPECT_EQ(loaded.store.header.currentProblemIndex, 4);

    clear(loaded, {4});
    EXPECT_TRUE(selectNextUnsolved(loaded.store));
    EXPECT_EQ(loaded.store.header.currentProblemIndex, 0);

    clear(loaded, {0});
    loaded.store.header.currentProblemIndex = 4;
    EXPECT_TRUE(selectNextUnsolved(loaded.store));
    EXPECT_EQ(loaded.store.header.currentProblemIndex, 1);
}

TEST(SelectNextUnsolved, EveryPuzzleClearedKeepsTheIndex) {
    LoadedStore loaded(4, 1, 0);
    loaded.store.header.currentProblemIndex = 3;
    clear(loaded, {0, 1, 2, 3});
    EXPECT_FALSE(selectNextUnsolved(loaded.store));
    EXPECT_EQ(loaded.store.header.currentProblemIndex, 3);
}

TEST(SelectNextUnsolved, TimesBeyondThePuzzleCountAreNotLookedAt) {
    // A file that once had more puzzles: its old slots may hold 0, but only the loaded count
    // of puzzles can be chosen.
    LoadedStore loaded(3, 1, 0);
    clear(loaded, {0, 1, 2});
    EXPECT_FALSE(selectNextUnsolved(loaded.store));
    EXPECT_EQ(loaded.store.header.currentProblemIndex, 0);
}

TEST(SelectNextUnsolved, UsesTheCurrentRecordOnly) {
    LoadedStore loaded(3, 3, 1);
    loaded.store.records[0].clearSeconds[0] = 5;
    loaded.store.records[2].clearSeconds[1] = 5;
    clear(loaded, {0});
    EXPECT_TRUE(selectNextUnsolved(loaded.store));
    EXPECT_EQ(loaded.store.header.currentProblemIndex, 1);
}

TEST(SelectNextUnsolved, IndexOutsideTheLoadedPuzzlesSearchesFromTheStart) {
    LoadedStore loaded(3, 1, 0);
    clear(loaded, {0});
    for (std::int32_t index : {3, 29, 30, -1, 0x7FFFFFFF}) {
        loaded.store.header.currentProblemIndex = index;
        EXPECT_TRUE(selectNextUnsolved(loaded.store)) << index;
        EXPECT_EQ(loaded.store.header.currentProblemIndex, 1) << index;
    }
}

TEST(SelectNextUnsolved, NothingLoadedFindsNothing) {
    ProgressStore empty;
    EXPECT_FALSE(selectNextUnsolved(empty));
    LoadedStore noRecord(3, 0, -1);
    EXPECT_FALSE(selectNextUnsolved(noRecord.store));
    LoadedStore recordOutside(3, 1, 1);
    EXPECT_FALSE(selectNextUnsolved(recordOutside.store));
}

TEST(RecordClearTime, StoresTheTimeOfTheCurrentPuzzle) {
    LoadedStore loaded(30, 2, 1);
    loaded.store.header.currentProblemIndex = 29;
    recordClearTime(loaded.store, 75);
    EXPECT_EQ(loaded.record().clearSeconds[29], 75);
    EXPECT_EQ(loaded.store.records[0].clearSeconds[29], 0);
}

TEST(RecordClearTime, ReplacesAnEarlierTimeEvenWithALongerOne) {
    LoadedStore loaded(5, 1, 0);
    recordClearTime(loaded.store, 75);
    recordClearTime(loaded.store, 3599);
    EXPECT_EQ(loaded.record().clearSeconds[0], 3599);
}

TEST(RecordClearTime, ZeroSecondsLeavesThePuzzleUncleared) {
    LoadedStore loaded(5, 1, 0);
    recordClearTime(loaded.store, 0);
    EXPECT_TRUE(selectNextUnsolved(loaded.store));
    EXPECT_EQ(loaded.store.header.currentProblemIndex, 0);
}

TEST(RecordClearTime, KeepsTheLow16Bits) {
    LoadedStore loaded(5, 1, 0);
    recordClearTime(loaded.store, 0x12345);
    EXPECT_EQ(loaded.record().clearSeconds[0], 0x2345);
    recordClearTime(loaded.store, 0xFFFF);
    EXPECT_EQ(loaded.record().clearSeconds[0], -1);
}

TEST(RecordClearTime, WithoutACurrentRecordNothingIsWritten) {
    LoadedStore loaded(5, 1, -1);
    recordClearTime(loaded.store, 10);
    loaded.store.currentRecordIndex = 1;
    recordClearTime(loaded.store, 10);
    for (short seconds : loaded.store.records[0].clearSeconds) EXPECT_EQ(seconds, 0);
}

TEST(ClearRecordTimes, ErasesTheCurrentRecordOnly) {
    LoadedStore loaded(30, 3, 1);
    for (int r = 0; r < 3; ++r) {
        for (int i = 0; i < maxProblemsPerFile; ++i) loaded.store.records[r].clearSeconds[i] = 9;
    }
    const std::uint32_t key = loaded.record().fileKey;
    loaded.store.header.currentProblemIndex = 4;
    clearRecordTimes(loaded.store);
    EXPECT_EQ(loaded.record().fileKey, key);
    EXPECT_EQ(loaded.store.header.currentProblemIndex, 4);
    for (int i = 0; i < maxProblemsPerFile; ++i) {
        EXPECT_EQ(loaded.store.records[0].clearSeconds[i], 9);
        EXPECT_EQ(loaded.store.records[1].clearSeconds[i], 0);
        EXPECT_EQ(loaded.store.records[2].clearSeconds[i], 9);
    }
}

TEST(StoreGameInHeader, FlagFollowsWhetherAGameIsInPlay) {
    SaveHeader header{};
    CellGrid grid{};
    grid[80] = 9;
    storeGameInHeader(header, grid, 130, true);
    EXPECT_EQ(header.savedGameFlag, 1);
    EXPECT_EQ(header.savedElapsedSeconds, 130);
    EXPECT_EQ(header.savedUserGrid, grid);
    // The grid is stored also when the puzzle is solved.
    storeGameInHeader(header, grid, 200, false);
    EXPECT_EQ(header.savedGameFlag, -1);
    EXPECT_EQ(header.savedElapsedSeconds, 200);
    EXPECT_EQ(header.savedUserGrid, grid);
}

} // namespace
} // namespace korvani
