// Problem lines and files: the line format, the difficulty texts, what a rejected line leaves
// in its slot, the CRC-32C key, the 30-line limit, the 2047-byte reads, and that a failed load
// (file missing, nothing accepted, no memory for a new record) changes nothing.
#include "core/problem_file.h"
#include "core/solver/solver.h"
#include "test_grids.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace korvani {
namespace {

using test::gridFromText;
using test::gridToText;

const std::string puzzleA =
    "..............3.85..1.2.......5.7.....4...1...9.......5......73..2.1........4...9";
const std::string solutionA =
    "987654321246173985351928746128537694634892157795461832519286473472319568863745219";
const std::string puzzleB =
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..";
const std::string solutionB =
    "812753649943682175675491283154237896369845721287169534521974368438526917796318452";

// ---------------------------------------------------------------------------------------------
// CRC-32C

std::uint32_t keyOfText(const std::string& text) {
    std::uint32_t table[256];
    buildCrc32cTable(table);
    return updateCrc32c(table, crc32cInitial, text.data(), text.size());
}

TEST(Crc32c, TableHasThePublishedEntries) {
    std::uint32_t table[256];
    buildCrc32cTable(table);
    EXPECT_EQ(table[0], 0x00000000u);
    EXPECT_EQ(table[1], 0xF26B8303u);
    EXPECT_EQ(table[128], 0x82F63B78u);
    EXPECT_EQ(table[255], 0xAD7D5351u);
}

TEST(Crc32c, KeyIsTheRegisterWithoutFinalInversion) {
    EXPECT_EQ(keyOfText("abc"), 0xC9B4C048u);
    EXPECT_EQ(keyOfText("123456789"), 0x1CF96D7Cu); // published CRC-32C: 0xE3069283
    EXPECT_EQ(keyOfText("123"), 0xEF84D04Du);
    EXPECT_EQ(keyOfText(""), 0xFFFFFFFFu);
}

TEST(Crc32c, BytesMayBeFedInPieces) {
    std::uint32_t table[256];
    buildCrc32cTable(table);
    std::uint32_t crc = updateCrc32c(table, crc32cInitial, "1", 1);
    crc = updateCrc32c(table, crc, "2", 1);
    crc = updateCrc32c(table, crc, "3", 1);
    EXPECT_EQ(crc, keyOfText("123"));
}

// ---------------------------------------------------------------------------------------------
// One line

Problem filledSlot() {
    Problem slot;
    slot.difficulty = 99;
    slot.givens.fill(7);
    slot.solution.fill(8);
    return slot;
}

TEST(ParseProblemLine, AcceptsAPuzzleAndStoresItsOnlyCompletion) {
    Problem slot = filledSlot();
    ASSERT_TRUE(parseProblemLine(("5/" + puzzleA + "\n").c_str(), slot));
    EXPECT_EQ(slot.difficulty, 5);
    EXPECT_EQ(slot.givens, gridFromText(puzzleA));
    EXPECT_EQ(gridToText(slot.solution), solutionA);
}

TEST(ParseProblemLine, DifficultyIsTheLowEightBitsOfTheLeadingNumber) {
    const struct {
        const char* text;
        int difficulty;
    } cases[] = {
        {" 7 hard", 7},
        {"abc", 0},
        {"200", -56},
        {"-3", -3},
        {"+12", 12},
        {"\t\v\f\r 12", 12},
        {"12abc34", 12},
        {"1 2", 1},
        {"-", 0},
        {"- 5", 0},
        {"", 0},
        {"256", 0},
        {"-129", 127},
        {"0x10", 0},
        {"2147483647", -1},
        {"99999999999999999999", -1},
        {"-2147483648", 0},
        {"-99999999999999999999", 0},
        {"2147483646", -2},
    };
    for (const auto& c : cases) {
        Problem slot = filledSlot();
        const std::string line = std::string(c.text) + "/" + puzzleA;
        ASSERT_TRUE(parseProblemLine(line.c_str(), slot)) << c.text;
        EXPECT_EQ(slot.difficulty, c.difficulty) << '"' << c.text << '"';
    }
}

TEST(ParseProblemLine, CellsMayBeSpreadOutAndOtherBytesArePassedOver) {
    std::string spread;
    for (int row = 0; row < 9; ++row) {
        spread += puzzleA.substr(static_cast<std::size_t>(row) * 9, 9);
        spread += row % 2 == 0 ? " " : "\t";
    }
    const std::string lines[] = {
        "1/" + spread + "\n",
        "1/" + puzzleA + "\r\n",
        "1/ 0/x\x80\xff" + puzzleA,            // '0', a second '/', letters, high bytes
        "1/" + puzzleA + "123456789 trailing", // after the 81st cell nothing is looked at
        "1/" + puzzleA.substr(0, 40) + "\x81\x40" + puzzleA.substr(40),
    };
    for (const std::string& line : lines) {
        Problem slot = filledSlot();
        EXPECT_TRUE(parseProblemLine(line.c_str(), slot)) << line;
        EXPECT_EQ(slot.givens, gridFromText(puzzleA)) << line;
        EXPECT_EQ(gridToText(slot.solution), solutionA) << line;
    }
}

TEST(ParseProblemLine, ZeroIsNoEmptyCell) {
    std::string zeros = puzzleA;
    for (char& c : zeros) {
        if (c == '.') c = '0';
    }
    Problem slot = filledSlot();
    EXPECT_EQ(judgeProblemLine(("1/" + zeros + "\n").c_str(), slot), LineVerdict::tooFewCells);
}

TEST(ParseProblemLine, WithoutSlashTheSlotIsUntouched) {
    Problem slot = filledSlot();
    const Problem before = slot;
    EXPECT_EQ(judgeProblemLine(("5" + puzzleA + "\n").c_str(), slot), LineVerdict::noSlash);
    EXPECT_EQ(judgeProblemLine("", slot), LineVerdict::noSlash);
    EXPECT_EQ(judgeProblemLine("\n", slot), LineVerdict::noSlash);
    EXPECT_EQ(slot.difficulty, before.difficulty);
    EXPECT_EQ(slot.givens, before.givens);
    EXPECT_EQ(slot.solution, before.solution);
}

TEST(ParseProblemLine, TooFewCellsLeaveDifficultyAndTheCellsReadSoFar) {
    Problem slot = filledSlot();
    const std::string line = "-3/" + puzzleA.substr(0, 80) + "\n";
    EXPECT_EQ(judgeProblemLine(line.c_str(), slot), LineVerdict::tooFewCells);
    EXPECT_EQ(slot.difficulty, -3);
    CellGrid expected = gridFromText(puzzleA);
    expected[80] = 7; // never reached
    EXPECT_EQ(slot.givens, expected);
    EXPECT_EQ(slot.solution, filledSlot().solution);
}

TEST(ParseProblemLine, EmbeddedNulEndsTheText) {
    std::string line = "1/" + puzzleA + "\n";
    line[30] = '\0';
    Problem slot = filledSlot();
    EXPECT_EQ(judgeProblemLine(line.c_str(), slot), LineVerdict::tooFewCells);
}

TEST(ParseProblemLine, NotExactlyOneCompletionZeroesTheGivensOnly) {
    const struct {
        std::string cells;
        LineVerdict verdict;
    } cases[] = {
        {std::string(81, '.'), LineVerdict::moreThanOneSolution},
        {"..3456789"
         "2........"
         "........."
         ".2......." +
             std::string(45, '.'),
         LineVerdict::noSolution},
        {"11" + std::string(79, '.'), LineVerdict::noSolution},
    };
    for (const auto& c : cases) {
        Problem slot = filledSlot();
        EXPECT_EQ(judgeProblemLine(("42/" + c.cells).c_str(), slot), c.verdict) << c.cells;
        EXPECT_EQ(slot.difficulty, 42);
        EXPECT_EQ(slot.givens, CellGrid{});
        EXPECT_EQ(slot.solution, filledSlot().solution);
    }
}

TEST(ParseProblemLine, FullGridAndRepeatedGivens) {
    Problem slot = filledSlot();
    ASSERT_TRUE(parseProblemLine(("1/" + solutionA).c_str(), slot));
    EXPECT_EQ(gridToText(slot.solution), solutionA);

    // One repeated given, one empty cell that shares no unit with it: one completion, which
    // keeps the repeat.
    std::string repeated = solutionA;
    repeated[0] = repeated[1];
    repeated[80] = '.';
    slot = filledSlot();
    ASSERT_TRUE(parseProblemLine(("1/" + repeated).c_str(), slot));
    std::string expected = repeated;
    expected[80] = solutionA[80];
    EXPECT_EQ(gridToText(slot.solution), expected);
}

// ---------------------------------------------------------------------------------------------
// Whole files

class TempFolder {
  public:
    TempFolder() {
        static int serial = 0;
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            path_ = base / ("korvani-core-test-" + std::to_string(std::rand()) + "-" +
                            std::to_string(++serial));
            if (std::filesystem::create_directory(path_)) break;
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string prefix() const {
        std::string p = (path_ / "").string();
        return p;
    }

  private:
    std::filesystem::path path_;
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
    ~StoreFixture() { std::free(store.records); }
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
    ASSERT_EQ(f.store.header.recordCount, 1);
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

// Every field a failed load must leave alone.
struct Snapshot {
    std::vector<unsigned char> problems;
    std::int32_t problemCount;
    ProgressRecord* records;
    std::vector<unsigned char> recordBytes;
    std::int32_t recordCount;
    std::int32_t currentRecordIndex;
    std::int32_t savedGameFlag;

    explicit Snapshot(const ProgressStore& s)
        : problems(reinterpret_cast<const unsigned char*>(s.problems),
                   reinterpret_cast<const unsigned char*>(s.problems) + sizeof s.problems),
          problemCount(s.problemCount), records(s.records),
          recordBytes(reinterpret_cast<const unsigned char*>(s.records),
                      reinterpret_cast<const unsigned char*>(s.records + s.header.recordCount)),
          recordCount(s.header.recordCount), currentRecordIndex(s.currentRecordIndex),
          savedGameFlag(s.header.savedGameFlag) {}

    void expectSame(const ProgressStore& s) const {
        EXPECT_EQ(Snapshot(s).problems, problems);
        EXPECT_EQ(s.problemCount, problemCount);
        EXPECT_EQ(s.records, records);
        EXPECT_EQ(Snapshot(s).recordBytes, recordBytes);
        EXPECT_EQ(s.header.recordCount, recordCount);
        EXPECT_EQ(s.currentRecordIndex, currentRecordIndex);
        EXPECT_EQ(s.header.savedGameFlag, savedGameFlag);
    }
};

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
        const Snapshot before(f.store);
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
        const Snapshot before(f.store);
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
    EXPECT_EQ(f.store.header.recordCount, 1);
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
    EXPECT_EQ(f.store.header.recordCount, 1);
    EXPECT_EQ(f.store.records[f.store.currentRecordIndex].clearSeconds[0], 30);

    // One text changed: a new record with all times 0, appended; the old one stays.
    writeBytes(folder.file("puzzles.dat"), lineOf("1", puzzleB) + lineOf("2 ", puzzleA));
    f.store.header.savedGameFlag = 1;
    ASSERT_TRUE(loadProblemFile(f.store));
    ASSERT_EQ(f.store.header.recordCount, 2);
    EXPECT_EQ(f.store.currentRecordIndex, 1);
    EXPECT_EQ(f.store.records[0].fileKey, keyOfText("12"));
    EXPECT_EQ(f.store.records[0].clearSeconds[0], 30);
    EXPECT_EQ(f.store.records[1].fileKey, keyOfText("12 "));
    EXPECT_EQ(f.store.records[1].clearSeconds[0], 0);
    EXPECT_EQ(f.store.header.savedGameFlag, -1);
}

void* failingReallocate(void*, std::size_t) {
    return nullptr;
}

TEST(LoadProblemFile, NoMemoryForANewRecordFailsTheLoadAndChangesNothing) {
    TempFolder folder;
    StoreFixture f(folder);
    loadSomethingFirst(folder, f);
    writeBytes(folder.file("puzzles.dat"), lineOf("9", puzzleB));
    const Snapshot before(f.store);
    EXPECT_FALSE(
        loadProblemFileAt(folder.file("puzzles.dat").c_str(), f.store, nullptr, failingReallocate));
    before.expectSame(f.store);

    // A file whose record exists needs no memory and still loads.
    EXPECT_TRUE(
        loadProblemFileAt(folder.file("first.dat").c_str(), f.store, nullptr, failingReallocate));
}

TEST(FindOrAddRecord, KeepsOrderAndAppendsNewKeysLast) {
    ProgressStore store;
    ASSERT_TRUE(findOrAddRecord(store, 10));
    ASSERT_TRUE(findOrAddRecord(store, 20));
    ASSERT_TRUE(findOrAddRecord(store, 30));
    store.records[1].clearSeconds[4] = 12;
    store.header.savedGameFlag = 1;
    ASSERT_TRUE(findOrAddRecord(store, 20));
    EXPECT_EQ(store.currentRecordIndex, 1);
    EXPECT_EQ(store.header.savedGameFlag, 1);
    ASSERT_EQ(store.header.recordCount, 3);
    EXPECT_EQ(store.records[0].fileKey, 10u);
    EXPECT_EQ(store.records[1].fileKey, 20u);
    EXPECT_EQ(store.records[1].clearSeconds[4], 12);
    EXPECT_EQ(store.records[2].fileKey, 30u);
    std::free(store.records);
}

TEST(FindOrAddRecord, InconsistentTableIsRefused) {
    ProgressStore store;
    store.header.recordCount = 2; // but no table
    EXPECT_FALSE(findOrAddRecord(store, 1));
    EXPECT_EQ(store.records, nullptr);
    store.header.recordCount = -1;
    EXPECT_FALSE(findOrAddRecord(store, 1));
    EXPECT_EQ(store.currentRecordIndex, -1);
}

} // namespace
} // namespace korvani
