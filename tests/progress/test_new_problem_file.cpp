// New problem files beside the executable: what the loader reads back from one, that two files
// of the same grades (even of the same puzzles) get two records, that no file is ever replaced,
// that a read-only folder loses nothing, and where the folder's puzzles already stand.
#include "progress/made_problem_file.h"
#include "progress/new_problem_file.h"
#include "progress/problem_folder.h"
#include "progress/problem_loading.h"
#include "tests/progress/save_test_support.h"
#include "tests/support/grid_text.h"
#include "tests/support/problem_text.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace korvani {
namespace {

using test::gridFromText;
using test::puzzleA;
using test::puzzleB;
using testing::readBytes;

// A store whose executable lies in `folder`.
void placeExecutableIn(ProgressStore& store, const std::filesystem::path& folder) {
    const std::string prefix = (folder / "").string();
    std::snprintf(store.savePath, sizeof store.savePath, "%skorvani.sav", prefix.c_str());
    store.dirPrefixLength = static_cast<std::int32_t>(prefix.size());
}

std::vector<std::string> folderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(NewProblemFile, LoadsBackWithItsGradesAndGivensUnderTheKeyItWasWrittenWith) {
    testing::ScratchFolder folder;
    ProgressStore store;
    testing::RecordsReleaser releaser{store};
    placeExecutableIn(store, folder.path());
    const NewProblem problems[] = {{gridFromText(puzzleB), 3}, {gridFromText(puzzleA), 10}};
    std::vector<std::uint32_t> taken;
    WrittenProblemFile written;
    ASSERT_EQ(writeNewProblemFile(store, "list", "x", problems, 2, 'i', taken, written),
              NewProblemFileResult::written);
    EXPECT_STREQ(written.storedName, "list-01.dat");

    const std::string text = testing::readText(folder.file("list-01.dat"));
    const std::string tag = text.substr(2, 7);
    EXPECT_EQ(text, "3 " + tag + "/" + puzzleB + "\n10 " + tag + "/" + puzzleA + "\n");
    EXPECT_EQ(tag[0], 'i');

    ASSERT_TRUE(openProblemFile(store, written.storedName));
    ASSERT_EQ(store.problemCount, 2);
    EXPECT_EQ(store.problems[0].difficulty, 3);
    EXPECT_EQ(store.problems[1].difficulty, 10);
    EXPECT_EQ(store.problems[1].givens, gridFromText(puzzleA));
    EXPECT_EQ(store.records[store.currentRecordIndex].fileKey, written.key);
    EXPECT_EQ(taken, std::vector<std::uint32_t>{written.key});
}

TEST(NewProblemFile, TwoFilesOfTheSameGradesKeepTwoRecordsAndNeitherIsReplaced) {
    testing::ScratchFolder folder;
    ProgressStore store;
    testing::RecordsReleaser releaser{store};
    placeExecutableIn(store, folder.path());
    testing::writeText(folder.file("paste-01.dat"), "not a problem file\n");
    const NewProblem problems[] = {{gridFromText(puzzleA), 4}};

    ProblemFolder before;
    ASSERT_TRUE(before.scan(store));
    std::vector<std::uint32_t> taken = before.takenKeys(store);
    WrittenProblemFile first;
    WrittenProblemFile second;
    // The same puzzle twice: the tag taken from the givens alone would give the same key.
    ASSERT_EQ(writeNewProblemFile(store, "paste", "x", problems, 1, 'i', taken, first),
              NewProblemFileResult::written);
    ASSERT_EQ(writeNewProblemFile(store, "paste", "x", problems, 1, 'i', taken, second),
              NewProblemFileResult::written);
    EXPECT_STREQ(first.storedName, "paste-02.dat");
    EXPECT_STREQ(second.storedName, "paste-03.dat");
    EXPECT_EQ(testing::readText(folder.file("paste-01.dat")), "not a problem file\n");

    ASSERT_TRUE(openProblemFile(store, first.storedName));
    store.header.currentProblemIndex = 0;
    recordClearTime(store, 75);
    ASSERT_TRUE(openProblemFile(store, second.storedName));
    EXPECT_EQ(store.header.recordCount, 2);
    EXPECT_NE(first.key, second.key);
    EXPECT_EQ(store.records[store.currentRecordIndex].clearSeconds[0], 0);

    // Later imports see both keys among the folder's and do not take them again.
    ProblemFolder after;
    ASSERT_TRUE(after.scan(store));
    const std::vector<std::uint32_t> keys = after.takenKeys(store);
    EXPECT_NE(std::find(keys.begin(), keys.end(), first.key), keys.end());
    EXPECT_NE(std::find(keys.begin(), keys.end(), second.key), keys.end());
}

TEST(NewProblemFile, MadeFilesAreNamedByGradeAndTimeAndTwoOfOneGradeKeepTwoRecords) {
    testing::ScratchFolder folder;
    ProgressStore store;
    testing::RecordsReleaser releaser{store};
    placeExecutableIn(store, folder.path());
    const NewProblem problems[] = {{gridFromText(puzzleA), 3}, {gridFromText(puzzleB), 3}};
    const MadeAt at{2024, 6, 5, 9, 8, 7};
    std::vector<std::uint32_t> taken;
    WrittenProblemFile first;
    WrittenProblemFile second;
    ASSERT_EQ(writeMadeProblemFile(store, 3, at, problems, 2, taken, first),
              NewProblemFileResult::written);
    // The same puzzles in the same second: another name and another key.
    ASSERT_EQ(writeMadeProblemFile(store, 3, at, problems, 2, taken, second),
              NewProblemFileResult::written);
    const std::string name = "作成-難易度3-20240605-090807";
    EXPECT_EQ(folderNames(folder.path()),
              (std::vector<std::string>{name + "-01.dat", name + ".dat"}));
    // Through a wide path: the name is Japanese, which a narrow open cannot reach on Windows.
    const std::string fileName = name + ".dat";
    std::ifstream in(folder.path() /
                         std::filesystem::path(std::u8string(fileName.begin(), fileName.end())),
                     std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.substr(0, 3), "3 g");
    EXPECT_EQ(text.find("\n3 g"), 91u); // "3 gXXXXXX/" and 81 cells

    ASSERT_TRUE(openProblemFile(store, first.storedName));
    store.header.currentProblemIndex = 0;
    recordClearTime(store, 75);
    ASSERT_TRUE(openProblemFile(store, second.storedName));
    EXPECT_EQ(store.header.recordCount, 2);
    EXPECT_NE(first.key, second.key);
    EXPECT_EQ(store.records[store.currentRecordIndex].clearSeconds[0], 0);
}

TEST(NewProblemFile, LongOrUnstorableStemsAreCutToTheSaveFilesSixtyThreeBytes) {
    testing::ScratchFolder folder;
    ProgressStore store;
    placeExecutableIn(store, folder.path());
    const NewProblem problems[] = {{gridFromText(puzzleA), 1}};
    std::vector<std::uint32_t> taken;
    WrittenProblemFile written;
    const std::string stem(100, 'a');
    ASSERT_EQ(writeNewProblemFile(store, stem.c_str(), "x", problems, 1, 'i', taken, written),
              NewProblemFileResult::written);
    EXPECT_EQ(std::string(written.storedName), std::string(56, 'a') + "-01.dat");
    ASSERT_EQ(writeNewProblemFile(store, "", "fallback", problems, 1, 'i', taken, written),
              NewProblemFileResult::written);
    EXPECT_STREQ(written.storedName, "fallback-01.dat");
}

#if defined(__linux__)
TEST(NewProblemFile, ReadOnlyFolderIsReportedAndLeftAsItWas) {
    testing::ScratchFolder folder;
    testing::writeText(folder.file("old.dat"), "1/" + puzzleA + "\n");
    testing::ReadOnlyFolder readOnly(folder.path());
    if (readOnly.writable()) GTEST_SKIP() << "this file system lets the folder be written";
    ProgressStore store;
    placeExecutableIn(store, folder.path());
    const std::vector<std::string> namesBefore = folderNames(folder.path());
    const NewProblem problems[] = {{gridFromText(puzzleA), 1}};
    std::vector<std::uint32_t> taken;
    WrittenProblemFile written;
    EXPECT_EQ(writeNewProblemFile(store, "paste", "x", problems, 1, 'i', taken, written),
              NewProblemFileResult::failed);
    EXPECT_EQ(folderNames(folder.path()), namesBefore);
    EXPECT_TRUE(taken.empty());
}
#endif

TEST(ProblemFolder, FindsWherePuzzlesStandAndOpensThereAtThatPuzzle) {
    testing::ScratchFolder folder;
    ProgressStore store;
    testing::RecordsReleaser releaser{store};
    placeExecutableIn(store, folder.path());
    testing::writeText(folder.file("easy.dat"), "1/" + puzzleA + "\n2/" + puzzleB + "\n");
    testing::writeText(folder.file("broken.dat"), "no slash\n2/" + puzzleB + "\n");
    testing::writeText(folder.file("notes.txt"), "1/" + puzzleB + "\n");
    ProblemFolder scanned;
    ASSERT_TRUE(scanned.scan(store));
    ASSERT_EQ(scanned.files().size(), 1u);
    const PuzzlePlace place = scanned.find(gridFromText(puzzleB));
    ASSERT_EQ(place.file, 0);
    EXPECT_EQ(place.problem, 1);
    CellGrid other = gridFromText(puzzleB);
    other[0] = 0; // the 8 of r1c1 taken away
    EXPECT_EQ(scanned.find(other).file, -1);

    ASSERT_TRUE(openProblemFile(store, scanned.files()[0].storedName, place.problem));
    EXPECT_STREQ(store.header.problemFileName, "easy.dat");
    EXPECT_EQ(store.header.currentProblemIndex, 1);
    EXPECT_EQ(store.problems[1].givens, gridFromText(puzzleB));
}

} // namespace
} // namespace korvani
