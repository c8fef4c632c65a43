// Problem lines: the line format, the difficulty texts, what a rejected line leaves in its
// slot, and the CRC-32C key.
#include "core/problem_file.h"
#include "core/solver/solver.h"
#include "test_grids.h"
#include "tests/support/problem_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace korvani {
namespace {

using test::gridFromText;
using test::gridToText;
using test::keyOfText;
using test::puzzleA;
using test::puzzleB;
using test::solutionA;
using test::solutionB;

// ---------------------------------------------------------------------------------------------
// CRC-32C

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

} // namespace
} // namespace korvani
