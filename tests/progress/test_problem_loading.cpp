// Problem files loaded into the progress store: the key over the difficulty texts, the 30-line
// limit, the 2047-byte reads, the trace of a load, the record found or added, and that a failed
// load (file missing, nothing accepted) changes nothing.
#include "progress/problem_loading.h"
#include "tests/progress/save_test_support.h"
#include "tests/support/grid_text.h"
#include "tests/support/problem_text.h"
#include "tests/support/store_snapshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace korvani {
namespace {

using test::gridToText;

using test::keyOfText;
using test::puzzleA;
using test::puzzleB;
using test::solutionB;

// ---------------------------------------------------------------------------------------------
// Whole files

// A scratch folder of the test's own, with paths as the loader takes them.
struct TempFolder : testing::ScratchFolder {
    std::string file(const std::string& name) const { return ScratchFolder::file(name).string(); }
    std::string prefix() const { return (path() / "").string(); }
};

void writeBytes(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);
}

// A store whose executable lies in `folder`, about to load `name`.
struct StoreFixture {
    ProgressStore store;
    explicit StoreFixture(const TempFolder& folder, const std::string& name = "puzzles.dat") {
        const std::string prefix = folder.prefix();
        std::snprintf(store.savePath, sizeof store.savePath, "%skorvani.sav", prefix.c_str());
        store.dirPrefixLength = static_cast<std::int32_t>(prefix.size());
        std::snprintf(store.header.problemFileName, sizeof store.header.problemFileName, "%s",
                      name.c_str());
    }
};

struct TraceLog {
    std::vector<int> lineNumbers;
    std::vector<LineVerdict> verdicts;
    static void record(void* context, int lineNumber, LineVerdict verdict, const Problem&) {
        auto* log = static_cast<TraceLog*>(context);
        log->lineNumbers.push_back(lineNumber);
        log->verdicts.push_back(verdict);
    }
};

std::string lineOf(const std::string& difficulty, const std::string& cells) {
    return difficulty + "/" + cells + "\n";
}

TEST(LoadProblemFile, LoadsLinesInOrderAndKeysTheDifficultyTexts) {
    TempFolder folder;
    writeBytes(folder.file("puzzles.dat"),
               lineOf("1", puzzleA) + lineOf("2", puzzleB) + lineOf("3", puzzleA));
    StoreFixture f(folder);
    f.store.header.savedGameFlag = 1;
    ASSERT_TRUE(loadProblemFile(f.store));
    EXPECT_EQ(f.store.problemCount, 3);
    EXPECT_EQ(f.store.problems[0].difficulty, 1);
    EXPECT_EQ(f.store.problems[1].difficulty, 2);
    EXPECT_EQ(gridToText(f.store.problems[1].solution), solutionB);
    EXPECT_EQ(gridToText(f.store.problems[2].givens), puzzleA);
    ASSERT_EQ(f.store.records.size(), 1u);
    EXPECT_EQ(f.store.records[0].fileKey, 0xEF84D04Du); // the key of the text "123"
    for (std::int16_t t : f.store.records[0].clearSeconds) EXPECT_EQ(t, 0);
    EXPECT_EQ(f.store.currentRecordIndex, 0);
    EXPECT_EQ(f.store.header.savedGameFlag, -1); // a new record: no stored game to resume
}

TEST(LoadProblemFile, KeyCoversWholeDifficultyTextsWithBlanks) {
    TempFolder folder;
    writeBytes(folder.file("puzzles.dat"), lineOf(" 7 hard", puzzleA));
    StoreFixture f(folder);
    ASSERT_TRUE(loadProblemFile(f.store));
    EXPECT_EQ(f.store.problems[0].difficulty, 7);
    EXPECT_EQ(f.store.records[0].fileKey, keyOfText(" 7 hard"));
}

TEST(LoadProblemFile, LinesThatBeginWithTheirSlashGiveTheInitialRegister) {
    TempFolder folder;
    writeBytes(folder.file("puzzles.dat"), lineOf("", puzzleA) + lineOf("", puzzleB));
    StoreFixture f(folder);
    ASSERT_TRUE(loadProblemFile(f.store));
    EXPECT_EQ(f.store.problemCount, 2);
    EXPECT_EQ(f.store.records[0].fileKey, 0xFFFFFFFFu);
}

TEST(LoadProblemFile, CrLfLinesAndALastLineWithoutLineFeed) {
    TempFolder folder;
    writeBytes(folder.file("puzzles.dat"),
               "1/" + puzzleA + "\r\n2/" + puzzleB + "\r\n3/" + puzzleA);
    StoreFixture f(folder);
    ASSERT_TRUE(loadProblemFile(f.store));
    EXPECT_EQ(f.store.problemCount, 3);
    EXPECT_EQ(f.store.records[0].fileKey, 0xEF84D04Du);
}

TEST(LoadProblemFile, ThirtyPuzzlesAtMostAndTheThirtyFirstLineIsNeverRead) {
    TempFolder folder;
    std::string thirty;
    for (int i = 0; i < 30; ++i) thirty += lineOf(std::to_string(i), i % 2 ? puzzleA : puzzleB);
    writeBytes(folder.file("thirty.dat"), thirty);
    writeBytes(folder.file("more.dat"), thirty + lineOf("30", puzzleA) + "garbage\n");

    StoreFixture exact(folder, "thirty.dat");
    ASSERT_TRUE(loadProblemFile(exact.store));
    StoreFixture more(folder, "more.dat");
    TraceLog log;
    LoadTrace trace;
    trace.onLine = TraceLog::record;
    trace.context = &log;
    ASSERT_TRUE(loadProblemFileAt(folder.file("more.dat").c_str(), more.store, &trace));
    EXPECT_EQ(more.store.problemCount, 30);
    EXPECT_EQ(log.lineNumbers.size(), 30u);
    EXPECT_EQ(more.store.records[0].fileKey, exact.store.records[0].fileKey);
    EXPECT_EQ(more.store.problems[29].difficulty, 29);
}

TEST(LoadProblemFile, BlankLineEndsTheList) {
    TempFolder folder;
    std::string text;
    for (int i = 1; i <= 5; ++i) text += lineOf(std::to_string(i), puzzleA);
    text += "\n";
    text += lineOf("6", puzzleB);
    writeBytes(folder.file("puzzles.dat"), text);
    StoreFixture f(folder);
    TraceLog log;
    LoadTrace trace;
    trace.onLine = TraceLog::record;
    trace.context = &log;
    ASSERT_TRUE(loadProblemFileAt(folder.file("puzzles.dat").c_str(), f.store, &trace));
    EXPECT_EQ(f.store.problemCount, 5);
    ASSERT_EQ(log.verdicts.size(), 6u);
    EXPECT_EQ(log.verdicts[5], LineVerdict::noSlash);
    EXPECT_EQ(f.store.records[0].fileKey, keyOfText("12345"));
}

TEST(LoadProblemFile, RejectedLineFurtherDownEndsTheListAndStaysOutOfTheKey) {
    TempFolder folder;
    writeBytes(folder.file("puzzles.dat"), lineOf("1", puzzleA) + lineOf("2", puzzleB) +
                                               lineOf("9", std::string(81, '.')) +
                                               lineOf("3", puzzleA));
    StoreFixture f(folder);
    ASSERT_TRUE(loadProblemFile(f.store));
    EXPECT_EQ(f.store.problemCount, 2);
    EXPECT_EQ(f.store.records[0].fileKey, keyOfText("12"));
    // The rejected line's slot holds what the line left: its difficulty and zero givens.
    EXPECT_EQ(f.store.problems[2].difficulty, 9);
    EXPECT_EQ(f.store.problems[2].givens, CellGrid{});
}

TEST(LoadProblemFile, ReadsAreCutAt2047Bytes) {
    TempFolder folder;
    // Cells within the first read, then blanks past the cut: the remainder is the next line,
    // which has no '/' and ends the list.
    const std::string longLine = "1/" + puzzleA + std::string(3000, ' ') + "\n";
    writeBytes(folder.file("long.dat"), longLine + lineOf("2", puzzleB));
    StoreFixture f(folder, "long.dat");
    TraceLog log;
    LoadTrace trace;
    trace.onLine = TraceLog::record;
    trace.context = &log;
    ASSERT_TRUE(loadProblemFileAt(folder.file("long.dat").c_str(), f.store, &trace));
    EXPECT_EQ(f.store.problemCount, 1);
    ASSERT_EQ(log.lineNumbers.size(), 2u);
    EXPECT_EQ(log.verdicts[1], LineVerdict::noSlash);

    // Exactly 2047 bytes with the line feed: one read. One byte more: the line feed is read
    // alone as a blank second line.
    const std::string exact = "1/" + puzzleA + std::string(2047 - 84, ' ') + "\n";
    ASSERT_EQ(exact.size(), 2047u);
    writeBytes(folder.file("exact.dat"), exact + lineOf("2", puzzleB));
    StoreFixture g(folder, "exact.dat");
    ASSERT_TRUE(loadProblemFile(g.store));
    EXPECT_EQ(g.store.problemCount, 2);
    writeBytes(folder.file("over.dat"),
               "1/" + puzzleA + std::string(2047 - 83, ' ') + "\n" + lineOf("2", puzzleB));
    StoreFixture h(folder, "over.dat");
    ASSERT_TRUE(loadProblemFile(h.store));
    EXPECT_EQ(h.store.problemCount, 1);

    // Cells that start only after the cut: too few cells in the first read.
    writeBytes(folder.file("late.dat"), "1/" + std::string(2100, ' ') + puzzleA + "\n");
    StoreFixture late(folder, "late.dat");
    EXPECT_FALSE(loadProblemFile(late.store));
}

// A store that has loaded a file before: three puzzles in play, one record current.
void loadSomethingFirst(const TempFolder& folder, StoreFixture& f) {
    writeBytes(folder.file("first.dat"),
               lineOf("a", puzzleA) + lineOf("b", puzzleB) + lineOf("c", puzzleA));
    ASSERT_TRUE(loadProblemFileAt(folder.file("first.dat").c_str(), f.store));
    f.store.header.savedGameFlag = 1;
}

TEST(LoadProblemFile, FailedLoadsChangeNothing) {
    TempFolder folder;
    writeBytes(folder.file("empty.dat"), "");
    writeBytes(folder.file("heading.dat"), "# my puzzles\n" + lineOf("1", puzzleA));
    writeBytes(folder.file("ambiguous.dat"),
               lineOf("1", std::string(81, '.')) + lineOf("2", puzzleA));
    writeBytes(folder.file("zeros.dat"), lineOf("1", std::string(81, '0')));
    const char* names[] = {"empty.dat", "heading.dat", "ambiguous.dat", "zeros.dat", "missing.dat"};
    for (const char* name : names) {
        StoreFixture f(folder, name);
        loadSomethingFirst(folder, f);
        const test::StoreSnapshot before(f.store);
        EXPECT_FALSE(loadProblemFile(f.store)) << name;
        before.expectSame(f.store);
    }
}

TEST(LoadProblemFile, MissingFileReportsWhy) {
    TempFolder folder;
    ProgressStore store;
    LoadTrace trace;
    EXPECT_FALSE(loadProblemFileAt(folder.file("missing.dat").c_str(), store, &trace));
    EXPECT_FALSE(trace.opened);
    EXPECT_EQ(trace.openError, ENOENT);
}

TEST(LoadProblemFile, DirectoryPrefixOutOfRangeFailsCleanly) {
    TempFolder folder;
    writeBytes(folder.file("puzzles.dat"), lineOf("1", puzzleA));
    for (std::int32_t bad : {-1, savePathCapacity, 100000}) {
        StoreFixture f(folder);
        f.store.dirPrefixLength = bad;
        const test::StoreSnapshot before(f.store);
        EXPECT_FALSE(loadProblemFile(f.store));
        before.expectSame(f.store);
    }
}

TEST(LoadProblemFile, LoadingTheSameFileAgainFindsItsRecord) {
    TempFolder folder;
    writeBytes(folder.file("puzzles.dat"), lineOf("1", puzzleA) + lineOf("2", puzzleB));
    StoreFixture f(folder);
    ASSERT_TRUE(loadProblemFile(f.store));
    f.store.records[0].clearSeconds[1] = 75;
    f.store.header.savedGameFlag = 1;
    ASSERT_TRUE(loadProblemFile(f.store));
    EXPECT_EQ(f.store.records.size(), 1u);
    EXPECT_EQ(f.store.currentRecordIndex, 0);
    EXPECT_EQ(f.store.header.savedGameFlag, 1);
    EXPECT_EQ(f.store.records[0].clearSeconds[1], 75);
}

TEST(LoadProblemFile, CellsDoNotEnterTheKeyButDifficultyTextsDo) {
    TempFolder folder;
    StoreFixture f(folder);
    writeBytes(folder.file("puzzles.dat"), lineOf("1", puzzleA) + lineOf("2", puzzleB));
    ASSERT_TRUE(loadProblemFile(f.store));
    f.store.records[0].clearSeconds[0] = 30;

    // Other cells, same texts: the same record and its times.
    writeBytes(folder.file("puzzles.dat"), lineOf("1", puzzleB) + lineOf("2", puzzleA));
    ASSERT_TRUE(loadProblemFile(f.store));
    EXPECT_EQ(f.store.records.size(), 1u);
    EXPECT_EQ(f.store.records[f.store.currentRecordIndex].clearSeconds[0], 30);

    // One text changed: a new record with all times 0, appended; the old one stays.
    writeBytes(folder.file("puzzles.dat"), lineOf("1", puzzleB) + lineOf("2 ", puzzleA));
    f.store.header.savedGameFlag = 1;
    ASSERT_TRUE(loadProblemFile(f.store));
    ASSERT_EQ(f.store.records.size(), 2u);
    EXPECT_EQ(f.store.currentRecordIndex, 1);
    EXPECT_EQ(f.store.records[0].fileKey, keyOfText("12"));
    EXPECT_EQ(f.store.records[0].clearSeconds[0], 30);
    EXPECT_EQ(f.store.records[1].fileKey, keyOfText("12 "));
    EXPECT_EQ(f.store.records[1].clearSeconds[0], 0);
    EXPECT_EQ(f.store.header.savedGameFlag, -1);
}

TEST(FindOrAddRecord, KeepsOrderAndAppendsNewKeysLast) {
    ProgressStore store;
    findOrAddRecord(store, 10);
    findOrAddRecord(store, 20);
    findOrAddRecord(store, 30);
    store.records[1].clearSeconds[4] = 12;
    store.header.savedGameFlag = 1;
    findOrAddRecord(store, 20);
    EXPECT_EQ(store.currentRecordIndex, 1);
    EXPECT_EQ(store.header.savedGameFlag, 1);
    ASSERT_EQ(store.records.size(), 3u);
    EXPECT_EQ(store.records[0].fileKey, 10u);
    EXPECT_EQ(store.records[1].fileKey, 20u);
    EXPECT_EQ(store.records[1].clearSeconds[4], 12);
    EXPECT_EQ(store.records[2].fileKey, 30u);
}

} // namespace
} // namespace korvani
