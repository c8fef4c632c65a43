// Whole imports into a folder of problem files: the grade of every puzzle from the game's grader
// with the easiest first in the file, the refusals with their reasons in one summary, a puzzle
// that is already there opened where it stands, two imports of the same grades that keep two
// records, a read-only folder that loses nothing, and the copied line read back.
#include "files/open_file.h"
#include "import/copy_text.h"
#include "import/puzzle_import.h"
#include "import/text_decoding.h"
#include "progress/file_names.h"
#include "progress/problem_loading.h"
#include "progress/progress_records.h"
#include "tests/progress/save_test_support.h"
#include "tests/support/grid_text.h"
#include "tests/support/problem_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace korvani {
namespace {

using test::gridFromText;
using test::puzzleA;
using test::puzzleB;

// The line of a bundled file: "D/cells".
std::string bundledLine(const std::string& file, int index) {
    std::ifstream in(std::string(KORVANI_SOURCE_DIR) + "/puzzles/" + file);
    std::string line;
    for (int i = 0; i <= index; ++i) std::getline(in, line);
    return line;
}

struct Folder {
    testing::ScratchFolder scratch;
    ProgressStore store;
    Folder() {
        const std::string prefix = (scratch.path() / "").string();
        std::snprintf(store.savePath, sizeof store.savePath, "%skorvani.sav", prefix.c_str());
        store.dirPrefixLength = static_cast<std::int32_t>(prefix.size());
    }
    ~Folder() { releaseRecords(store); }

    // Reads, checks on two workers in turn, and finishes.
    ImportOutcome import(const std::string& text, const std::string& stem = pasteStem()) {
        PuzzleImport run;
        run.addText(stem, "", text.data(), text.size());
        std::atomic<int> done{0};
        std::atomic<bool> cancelled{false};
        run.checkShare(1, 2, done, cancelled);
        run.checkShare(0, 2, done, cancelled);
        EXPECT_EQ(done, run.puzzleCount());
        return run.finish(store);
    }
    // A problem file's bytes, by its stored name (code page 932 on Windows).
    std::string text(const char (&storedName)[64]) const {
        char path[problemPathCapacity];
        if (!problemFilePathFor(store, storedName, path, sizeof path)) return {};
        std::FILE* file = openFile(path, "rb");
        if (file == nullptr) return {};
        std::string bytes;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, n);
        std::fclose(file);
        return bytes;
    }
};

// How the save file stores a file name given in UTF-8.
std::string stored(const char* utf8) {
    char name[64];
    EXPECT_TRUE(storedProblemName(utf8, name));
    return name;
}

TEST(PuzzleImport, GradesWithTheGamesGraderAndWritesTheEasiestFirst) {
    Folder folder;
    const std::string fiendish = bundledLine("4-fiendish.dat", 29);
    const std::string gentle = bundledLine("1-gentle.dat", 0);
    const std::string moderate = bundledLine("2-moderate.dat", 5);
    // The bundled difficulty before each '/' is the grader's verdict.
    const std::string text = puzzleB + "\n" + fiendish.substr(fiendish.find('/') + 1) + "\n" +
                             gentle.substr(2) + "\n" + moderate.substr(2) + "\n";
    const ImportOutcome outcome = folder.import(text);
    ASSERT_FALSE(outcome.writeFailed);
    ASSERT_EQ(outcome.written.size(), 1u);
    EXPECT_EQ(std::string(outcome.openName), stored("貼り付け-01.dat"));
    EXPECT_EQ(outcome.openIndex, 0);
    EXPECT_EQ(outcome.accepted, 4);
    EXPECT_EQ(outcome.beyondGrader, 1);
    EXPECT_EQ(outcome.message,
              "4問を取り込みました。\n1問は手筋だけでは解き切れないため、難易度 10 としました。");

    const std::string written = folder.text(outcome.openName);
    const std::string tag = written.substr(2, 7);
    auto lineOf = [&](const std::string& bundled) {
        const std::size_t slash = bundled.find('/');
        return bundled.substr(0, slash) + " " + tag + bundled.substr(slash) + "\n";
    };
    EXPECT_EQ(written,
              lineOf(gentle) + lineOf(moderate) + lineOf(fiendish) + lineOf("10/" + puzzleB));
}

TEST(PuzzleImport, RefusalsAreNamedByTheirLinesInOneSummary) {
    Folder folder;
    const std::string clash = "55" + puzzleA.substr(2);
    const std::string noSolution = "12345678" + std::string(72, '.') + "9";
    const std::string text = "# three refused\n" + clash + "\n" + noSolution + "\n" +
                             std::string(81, '.') + "\n" + puzzleA + "\n";
    const ImportOutcome outcome = folder.import(text);
    EXPECT_EQ(outcome.accepted, 1);
    EXPECT_EQ(outcome.refused, 3);
    EXPECT_EQ(outcome.message, "1問を取り込みました。3問は取り込めませんでした。\n\n"
                               "2行目: 1行1列と1行2列に同じ数字 5 があります\n"
                               "3行目: 解がありません\n"
                               "4行目: 解が2つ以上あります");
    ASSERT_EQ(outcome.written.size(), 1u);
}

TEST(PuzzleImport, NothingToTakeWritesNothingAndSaysWhatWasExpected) {
    Folder folder;
    const ImportOutcome empty = folder.import("");
    EXPECT_FALSE(empty.opensFile);
    EXPECT_TRUE(empty.written.empty());
    EXPECT_EQ(empty.message.find("問題が見つかりません"), 0u);
    const ImportOutcome clashOnly = folder.import("55" + puzzleA.substr(2) + "\n");
    EXPECT_FALSE(clashOnly.opensFile);
    EXPECT_EQ(clashOnly.message, "問題を取り込めませんでした。\n\n"
                                 "1行目: 1行1列と1行2列に同じ数字 5 があります");
    // A text over 10 MB is refused whole, whatever it holds.
    std::string large;
    while (large.size() <= maxImportBytes) large += puzzleA + "\n";
    const ImportOutcome tooLarge = folder.import(large);
    EXPECT_FALSE(tooLarge.opensFile);
    EXPECT_EQ(tooLarge.message, "10 MB を超えるファイルは取り込めません");
    EXPECT_TRUE(std::filesystem::is_empty(folder.scratch.path()));
}

TEST(PuzzleImport, APuzzleAlreadyBesideTheGameIsOpenedWhereItStands) {
    Folder folder;
    testing::writeText(folder.scratch.file("easy.dat"), "1/" + puzzleB + "\n1/" + puzzleA + "\n");
    const ImportOutcome outcome = folder.import(puzzleA + "\n" + puzzleA + "\n");
    EXPECT_TRUE(outcome.written.empty());
    ASSERT_TRUE(outcome.opensFile);
    EXPECT_STREQ(outcome.openName, "easy.dat");
    EXPECT_EQ(outcome.openIndex, 1);
    EXPECT_EQ(outcome.alreadyThere, 2);
    // The same puzzle twice in one text is written once.
    const std::string gentle = bundledLine("1-gentle.dat", 3).substr(2);
    const ImportOutcome twice = folder.import(gentle + "\n" + gentle + "\n", "list");
    ASSERT_EQ(twice.written.size(), 1u);
    const std::string written = folder.text(twice.written[0].storedName);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1);
}

TEST(PuzzleImport, TwoImportsOfTheSameGradesKeepTwoRecords) {
    Folder folder;
    const ImportOutcome first = folder.import(bundledLine("1-gentle.dat", 1).substr(2) + "\n");
    const ImportOutcome second = folder.import(bundledLine("1-gentle.dat", 2).substr(2) + "\n");
    EXPECT_EQ(std::string(first.openName), stored("貼り付け-01.dat"));
    EXPECT_EQ(std::string(second.openName), stored("貼り付け-02.dat"));
    ASSERT_TRUE(openProblemFile(folder.store, first.openName));
    recordClearTime(folder.store, 75);
    ASSERT_TRUE(openProblemFile(folder.store, second.openName));
    EXPECT_EQ(folder.store.header.recordCount, 2);
    EXPECT_EQ(currentRecord(folder.store)->clearSeconds[0], 0);
    ASSERT_TRUE(openProblemFile(folder.store, first.openName));
    EXPECT_EQ(currentRecord(folder.store)->clearSeconds[0], 75);
}

TEST(PuzzleImport, ThirtyPuzzlesAFileNamedAfterTheSource) {
    Folder folder;
    std::string text;
    for (const char* file : {"1-gentle.dat", "2-moderate.dat"}) {
        for (int i = 0; i < 30; ++i) text += bundledLine(file, i).substr(2) + "\n";
    }
    text += bundledLine("3-tough.dat", 0).substr(2) + "\n";
    const ImportOutcome outcome = folder.import(text, "weekly");
    ASSERT_EQ(outcome.written.size(), 3u);
    EXPECT_STREQ(outcome.written[2].storedName, "weekly-03.dat");
    ProgressStore& store = folder.store;
    for (const WrittenProblemFile& file : outcome.written)
        ASSERT_TRUE(openProblemFile(store, file.storedName));
    EXPECT_EQ(store.problemCount, 1);
    EXPECT_EQ(store.header.recordCount, 3);
}

#if defined(__linux__)
TEST(PuzzleImport, ReadOnlyFolderLosesNothing) {
    Folder folder;
    testing::writeText(folder.scratch.file("old.dat"), "1/" + puzzleB + "\n");
    testing::ReadOnlyFolder locked(folder.scratch.path());
    if (locked.writable()) GTEST_SKIP() << "this file system lets the folder be written";
    const ImportOutcome outcome = folder.import(puzzleA + "\n");
    EXPECT_TRUE(outcome.writeFailed);
    EXPECT_FALSE(outcome.opensFile);
    EXPECT_EQ(outcome.message.find("問題ファイルを書き込めませんでした"), 0u);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.scratch.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"old.dat"});
}
#endif

TEST(CopyText, TheCopiedLineIsPastedBackAsTheSameGivens) {
    const CellGrid givens = gridFromText(puzzleB);
    char line[copyLineSize];
    formatCopyLine(givens, line);
    EXPECT_EQ(std::string(line), puzzleB);
    const ReadPuzzles read = readPuzzles(line);
    ASSERT_EQ(read.puzzles.size(), 1u);
    EXPECT_EQ(read.puzzles[0].givens, givens);
}

} // namespace
} // namespace korvani
