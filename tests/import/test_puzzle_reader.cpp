// The reader on one table of texts: every format (a puzzle a line with comments, grids with and
// without separators, .sdk sections, korvani's own lines) in every encoding and line end, and
// what it reports where a text holds something that is not a puzzle.
#include "import/puzzle_reader.h"
#include "import/text_decoding.h"
#include "tests/support/grid_text.h"
#include "tests/support/problem_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvani {
namespace {

using test::gridFromText;
using test::puzzleA;
using test::puzzleB;

// puzzleA as a grid over nine lines, with `separator` between the boxes' rows and `bar` between
// their columns.
std::string gridOf(const std::string& cells, const std::string& bar, const std::string& separator,
                   const std::string& lineEnd = "\n") {
    std::string text;
    for (int row = 0; row < 9; ++row) {
        if (row > 0 && row % 3 == 0 && !separator.empty()) text += separator + lineEnd;
        for (int column = 0; column < 9; ++column) {
            if (column > 0 && column % 3 == 0) text += bar;
            text += cells[static_cast<std::size_t>(9 * row + column)];
        }
        text += lineEnd;
    }
    return text;
}

std::string withEmpties(std::string cells, char empty) {
    for (char& c : cells) {
        if (c == '.') c = empty;
    }
    return cells;
}

std::string utf16(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

struct Expected {
    int line;
    ReadFault fault;
    std::string cells; // the givens when fault is none
    int count = 0;
};

struct Case {
    const char* name;
    std::string bytes;
    std::vector<Expected> puzzles;
};

TEST(PuzzleReader, FindsEveryFormatInEveryEncoding) {
    const ReadFault ok = ReadFault::none;
    const std::string cp932Title = "# \x96\xe2\x91\xe8\x8f\x57"; // 問題集
    const std::vector<Case> cases = {
        {"line with LF", puzzleA + "\n", {{1, ok, puzzleA}}},
        {"lines with CR LF, a rating after a tab and one after a blank",
         puzzleA + "\t7.2 hard\r\n" + puzzleB + " #12 SE 9.0\r\n",
         {{1, ok, puzzleA}, {2, ok, puzzleB}}},
        {"CR alone, blank lines and # comments skipped",
         "# from a forum\r\r" + puzzleA + "\r\r" + puzzleB,
         {{3, ok, puzzleA}, {5, ok, puzzleB}}},
        {"UTF-8 with its mark and a Japanese comment",
         "\xEF\xBB\xBF" + puzzleA + " 問題 1\n",
         {{1, ok, puzzleA}}},
        {"UTF-16 LE with its mark",
         utf16("# list\r\n" + puzzleA + "\r\n" + puzzleB + "\r\n"),
         {{2, ok, puzzleA}, {3, ok, puzzleB}}},
        {"code page 932 comments, whose second bytes look like '|' and '_'",
         cp932Title + "\n" + puzzleA + " \x83\x7c\x83\x5f\n\x83\x7c\x83\x7c\x83\x7c\n" + puzzleB +
             "\n",
         {{2, ok, puzzleA}, {4, ok, puzzleB}}},
        {"every empty-cell character",
         withEmpties(puzzleA, '0') + "\n" + withEmpties(puzzleA, '*') + "\n" +
             withEmpties(puzzleA, '_') + "\n" + withEmpties(puzzleA, '-') + "\n" +
             withEmpties(puzzleA, 'x') + "\n" + withEmpties(puzzleA, 'X') + "\n",
         {{1, ok, puzzleA},
          {2, ok, puzzleA},
          {3, ok, puzzleA},
          {4, ok, puzzleA},
          {5, ok, puzzleA},
          {6, ok, puzzleA}}},
        {".ss grid with | and ---+---+---",
         gridOf(puzzleA, "|", "---+---+---"),
         {{1, ok, puzzleA}}},
        {".sdk with its section and # lines",
         "[Puzzle]\r\n#A someone\r\n" + gridOf(puzzleA, "", "", "\r\n"),
         {{3, ok, puzzleA}}},
        {"framed grid with blanks between cells and = separators",
         "*-----------*\n" + gridOf(withEmpties(puzzleB, '0'), " | ", "=====+=====+=====") +
             "*-----------*\n",
         {{2, ok, puzzleB}}},
        {"two grids separated by a blank line",
         gridOf(puzzleA, "", "") + "\n" + gridOf(puzzleB, "|", "---+---+---"),
         {{1, ok, puzzleA}, {11, ok, puzzleB}}},
        {"korvani's own lines, whose '0' is passed over as the loader does",
         "3 i7f2c01/" + puzzleA + "\n10/" + puzzleB.substr(0, 40) + "0 0" + puzzleB.substr(40) +
             "\n",
         {{1, ok, puzzleA}, {2, ok, puzzleB}}},
        {"prose around a pasted puzzle",
         "Today's puzzle:\n\n" + puzzleA + "\n\nGood luck!\n",
         {{3, ok, puzzleA}}},
        {"a line of 80 cells and one of 162",
         puzzleA.substr(1) + "\n" + puzzleA + puzzleB + "\n",
         {{1, ReadFault::wrongCellCount, "", 80}, {2, ReadFault::wrongCellCount, "", 162}}},
        {"a grid of eight rows, then a whole one",
         gridOf(puzzleA, "", "").substr(10) + "\n" + gridOf(puzzleB, "", ""),
         {{1, ReadFault::shortGrid, "", 8}, {10, ok, puzzleB}}},
        {"a pencil-mark grid is one refusal where it begins",
         "+-------+\n| 123 4 56789 | 1 2 |\n| 5 6 7 89 | 12 3 |\n+-------+\n" + puzzleA + "\n",
         {{2, ReadFault::notAPuzzle, ""}, {5, ok, puzzleA}}},
        {"nothing at all", "", {}},
        {"a picture's bytes", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), {}},
    };
    for (const Case& c : cases) {
        const ReadPuzzles read = readPuzzles(normalizeText(c.bytes.data(), c.bytes.size()));
        EXPECT_FALSE(read.tooMany) << c.name;
        ASSERT_EQ(read.puzzles.size(), c.puzzles.size()) << c.name;
        for (std::size_t i = 0; i < c.puzzles.size(); ++i) {
            const ReadPuzzle& got = read.puzzles[i];
            const Expected& want = c.puzzles[i];
            EXPECT_EQ(got.line, want.line) << c.name << " #" << i;
            EXPECT_EQ(got.fault, want.fault) << c.name << " #" << i;
            if (want.fault == ok) {
                EXPECT_EQ(got.givens, gridFromText(want.cells)) << c.name << " #" << i;
            } else if (want.count != 0) {
                EXPECT_EQ(got.count, want.count) << c.name << " #" << i;
            }
        }
    }
}

TEST(PuzzleReader, ACodePage932CharacterIsOneCharacterWhateverItsSecondByte) {
    EXPECT_EQ(normalizeText("\x83\x5f_", 3), "\x80_"); // ダ then '_'
    EXPECT_EQ(normalizeText("a\r\nb\rc\n", 7), "a\nb\nc\n");
}

TEST(PuzzleReader, MoreThanTenThousandPuzzlesRefuseTheWholeText) {
    std::string text;
    for (int i = 0; i < maxImportPuzzles; ++i) text += puzzleA + "\n";
    EXPECT_EQ(readPuzzles(text).puzzles.size(), static_cast<std::size_t>(maxImportPuzzles));
    text += puzzleB + "\n";
    const ReadPuzzles read = readPuzzles(text);
    EXPECT_TRUE(read.tooMany);
    EXPECT_TRUE(read.puzzles.empty());
}

} // namespace
} // namespace korvani
