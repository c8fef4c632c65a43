// Start-up restore with the real problem-file loader: a save file and a problem file in a
// scratch folder, read, played on, written and read again.
#include "files/atomic_file.h"
#include "progress/progress_records.h"
#include "progress/progress_restore.h"
#include "progress/save_file.h"
#include "save_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace korvani {
namespace {

using testing::Bytes;
using testing::recordWithKey;
using testing::saveBytes;
using testing::ScratchFolder;

// Three puzzles: a classic one and two relabellings of its digits, with difficulty texts whose
// bytes make up the file's key.
constexpr char problemText[] =
    "1/53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79\n"
    "2/64..8....7..216....19....7.9...7...45..9.4..28...3...7.7....39....521..6....9..81\n"
    " 3 hard/75..9....8..327....21....8.1...8...56..1.5..39...4...8.8....41....632..7....1..92\n";

class Restore : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::writeText(folder.file("easy.dat"), problemText);
        exePath = folder.file("np.exe").string();
    }

    // A fresh store as start-up has it after deriving the save path.
    ProgressStore& freshStore() {
        stores.emplace_back(new ProgressStore);
        ProgressStore& store = *stores.back();
        EXPECT_TRUE(deriveSavePath(store, exePath.c_str(), exePath.size()));
        return store;
    }

    RestoreOutcome restore(ProgressStore& store, StartingGame& start) {
        return restoreProgress(store, start);
    }

    void writeSave(const Bytes& bytes) { testing::writeBytes(folder.file("np.sav"), bytes); }

    std::uint32_t easyKey() {
        writeSave(saveBytes("easy.dat", 0, -1, 0, {}, {}));
        ProgressStore& store = freshStore();
        StartingGame start;
        EXPECT_EQ(restore(store, start), RestoreOutcome::ready);
        EXPECT_EQ(store.records.size(), 1u);
        return store.records[0].fileKey;
    }

    ScratchFolder folder;
    std::string exePath;
    std::vector<std::unique_ptr<ProgressStore>> stores;
};

TEST_F(Restore, MissingSaveFileAsksForAProblemFile) {
    ProgressStore& store = freshStore();
    StartingGame start;
    EXPECT_EQ(restore(store, start), RestoreOutcome::chooseProblemFile);
    EXPECT_EQ(store.problemCount, 0);
    EXPECT_TRUE(store.records.empty());
}

TEST_F(Restore, HeaderOnlyFileAddsTheRecordAndResumesNothing) {
    CellGrid grid{};
    grid[2] = 1;
    writeSave(saveBytes("easy.dat", 1, 1, 130, grid, {}));
    ProgressStore& store = freshStore();
    StartingGame start;
    ASSERT_EQ(restore(store, start), RestoreOutcome::ready);
    EXPECT_EQ(store.problemCount, 3);
    EXPECT_EQ(store.records.size(), 1u);
    EXPECT_EQ(store.currentRecordIndex, 0);
    EXPECT_EQ(store.header.savedGameFlag, -1);
    EXPECT_FALSE(start.resume);
    EXPECT_EQ(store.header.currentProblemIndex, 1);
}

TEST_F(Restore, StoredGameResumesOnItsPuzzle) {
    const std::uint32_t key = easyKey();
    CellGrid grid{};
    grid[2] = 1;
    grid[78] = 9; // cells 79 and 80 hold givens in puzzle 2
    writeSave(
        saveBytes("easy.dat", 2, 1, 130, grid, {recordWithKey(7), recordWithKey(key, 0, 75)}));
    ProgressStore& store = freshStore();
    StartingGame start;
    ASSERT_EQ(restore(store, start), RestoreOutcome::ready);
    EXPECT_TRUE(start.resume);
    EXPECT_EQ(start.elapsedSeconds, 130);
    EXPECT_EQ(start.userGrid, grid);
    EXPECT_EQ(store.header.currentProblemIndex, 2);
    EXPECT_EQ(store.currentRecordIndex, 1);
    EXPECT_EQ(store.records.size(), 2u);
}

TEST_F(Restore, ChangedKeyGetsAFreshRecordAndDropsTheStoredGame) {
    const std::uint32_t key = easyKey();
    writeSave(saveBytes("easy.dat", 2, 1, 130, {}, {recordWithKey(key + 1, 2, 50)}));
    ProgressStore& store = freshStore();
    StartingGame start;
    ASSERT_EQ(restore(store, start), RestoreOutcome::ready);
    EXPECT_FALSE(start.resume);
    EXPECT_EQ(store.header.currentProblemIndex, 2); // the same index, afresh
    ASSERT_EQ(store.records.size(), 2u);
    EXPECT_EQ(store.records[0].clearSeconds[2], 50); // the old record stays
    EXPECT_EQ(store.records[1].fileKey, key);
    EXPECT_EQ(store.currentRecordIndex, 1);
}

TEST_F(Restore, AfterSolvingTheNextUnclearedPuzzleWrapsAround) {
    const std::uint32_t key = easyKey();
    ProgressRecord record = recordWithKey(key, 2, 40);
    record.clearSeconds[0] = 0;
    writeSave(saveBytes("easy.dat", 2, -1, 40, {}, {record}));
    ProgressStore& store = freshStore();
    StartingGame start;
    ASSERT_EQ(restore(store, start), RestoreOutcome::ready);
    EXPECT_FALSE(start.resume);
    EXPECT_EQ(store.header.currentProblemIndex, 0);
}

TEST_F(Restore, ProblemFileThatCannotBeLoadedKeepsTheRecordsRead) {
    for (const char* name : {"gone.dat", "..\\easy.dat", ""}) {
        SCOPED_TRACE(name);
        writeSave(saveBytes(name, 0, 1, 0, {}, {recordWithKey(1), recordWithKey(2)}));
        ProgressStore& store = freshStore();
        StartingGame start;
        EXPECT_EQ(restore(store, start), RestoreOutcome::chooseProblemFile);
        EXPECT_EQ(store.records.size(), 2u);
        EXPECT_EQ(store.records[1].fileKey, 2u);
        EXPECT_EQ(store.problemCount, 0);
    }
}

TEST_F(Restore, UnterminatedNameIsNotLoaded) {
    Bytes bytes = saveBytes("easy.dat", 0, -1, 0, {}, {});
    for (int i = 8; i < 64; ++i) bytes[i] = 'x';
    writeSave(bytes);
    ProgressStore& store = freshStore();
    StartingGame start;
    EXPECT_EQ(restore(store, start), RestoreOutcome::chooseProblemFile);
}

TEST_F(Restore, EveryCutOfAGoodSaveFileStartsSafely) {
    const std::uint32_t key = easyKey();
    CellGrid grid{};
    grid[2] = 1;
    const Bytes full = saveBytes("easy.dat", 2, 1, 130, grid, {recordWithKey(key, 0, 75)});
    for (std::size_t length = 0; length <= full.size(); ++length) {
        SCOPED_TRACE(length);
        writeSave(Bytes(full.begin(), full.begin() + length));
        ProgressStore& store = freshStore();
        StartingGame start;
        const RestoreOutcome outcome = restore(store, start);
        // The name is whole from byte 8 on (the rest reads as zero); before that it names no
        // problem file.
        if (length < 8) {
            EXPECT_EQ(outcome, RestoreOutcome::chooseProblemFile);
            continue;
        }
        ASSERT_EQ(outcome, RestoreOutcome::ready);
        EXPECT_GE(store.header.currentProblemIndex, 0);
        EXPECT_LT(store.header.currentProblemIndex, 3);
        // Only the whole file still has the record, so only then is the game resumed.
        EXPECT_EQ(start.resume, length == full.size());
    }
}

TEST_F(Restore, PlayedThenSavedThenRestoredGivesTheSameGame) {
    const std::uint32_t key = easyKey();
    writeSave(saveBytes("easy.dat", 0, -1, 0, {}, {recordWithKey(3), recordWithKey(key)}));
    ProgressStore& first = freshStore();
    StartingGame start;
    ASSERT_EQ(restore(first, start), RestoreOutcome::ready);
    // Puzzle 0 solved in 75 s, then puzzle 1 played for 321 s and the program ends.
    recordClearTime(first, 75);
    ASSERT_TRUE(selectNextUnsolved(first));
    ASSERT_EQ(first.header.currentProblemIndex, 1);
    CellGrid grid{};
    grid[3] = 2;
    storeGameInHeader(first.header, grid, 321, true);
    ASSERT_TRUE(writeSaveFile(first, writeFileAtomically));

    ProgressStore& second = freshStore();
    ASSERT_EQ(restore(second, start), RestoreOutcome::ready);
    EXPECT_TRUE(start.resume);
    EXPECT_EQ(start.userGrid, grid);
    EXPECT_EQ(start.elapsedSeconds, 321);
    EXPECT_EQ(second.header.currentProblemIndex, 1);
    EXPECT_EQ(second.currentRecordIndex, 1);
    EXPECT_EQ(second.records[1].clearSeconds[0], 75);
    EXPECT_EQ(second.records[0].fileKey, 3u);
    EXPECT_EQ(std::memcmp(&first.header, &second.header, sizeof(SaveHeader)), 0);
}

TEST_F(Restore, ExecutableWithoutSeparatorUsesTheCurrentFolder) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    testing::writeBytes("gsav", saveBytes("easy.dat", 0, -1, 0, {}, {}));
    ProgressStore store;
    ASSERT_TRUE(deriveSavePath(store, "game", 4));
    EXPECT_STREQ(store.savePath, "gsav");
    EXPECT_EQ(store.dirPrefixLength, 0);
    StartingGame start;
    EXPECT_EQ(restoreProgress(store, start), RestoreOutcome::ready);
    EXPECT_EQ(store.problemCount, 3);
    std::filesystem::current_path(before);
}

} // namespace
} // namespace korvani
