// The hint on the bundled puzzles: followed from the start, hints solve every one of them with
// sound steps only, needing the very techniques the puzzle's difficulty names; and the mistakes
// a player can make are pointed out before any step.
#include "core/solver/solver.h"
#include "hint/grader.h"
#include "tests/hint/hint_test_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace korvani {
namespace {

struct BundledPuzzle {
    int difficulty = 0;
    CellGrid givens{};
    CellGrid solution{};
};

// The lines of puzzles/NAME: the difficulty, '/', 81 cells.
std::vector<BundledPuzzle> readBundled(const char* name) {
    std::vector<BundledPuzzle> puzzles;
    std::ifstream in(std::string(KORVANI_SOURCE_DIR) + "/puzzles/" + name);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t slash = line.find('/');
        if (slash == std::string::npos || line.size() < slash + 82) continue;
        BundledPuzzle p;
        p.difficulty = std::stoi(line.substr(0, slash));
        for (int cell = 0; cell < 81; ++cell) {
            const char c = line[slash + 1 + cell];
            p.givens[cell] = c >= '1' && c <= '9' ? std::uint8_t(c - '0') : 0;
        }
        const SolveResult proof = solveGivens(p.givens);
        EXPECT_EQ(proof.count, 1);
        p.solution = proof.solution;
        puzzles.push_back(p);
    }
    return puzzles;
}

class BundledHints : public testing::TestWithParam<const char*> {};

TEST_P(BundledHints, HintsSolveEveryPuzzleSoundly) {
    const std::vector<BundledPuzzle> puzzles = readBundled(GetParam());
    ASSERT_EQ(puzzles.size(), 30u);
    for (std::size_t k = 0; k < puzzles.size(); ++k) {
        SCOPED_TRACE("line " + std::to_string(k + 1));
        const BundledPuzzle& p = puzzles[k];
        CellGrid user{};
        NoteGrid notes{};
        Technique hardest = Technique::HiddenSingle;
        int steps = 0;
        for (;; ++steps) {
            ASSERT_LT(steps, 1000);
            const Hint hint = findHint(p.givens, p.solution, user, notes);
            if (hint.kind == HintKind::Solved) break;
            ASSERT_TRUE(hint.kind == HintKind::Place || hint.kind == HintKind::Remove)
                << hintText(hint);
            if (hint.step.technique > hardest) hardest = hint.step.technique;
            if (hint.kind == HintKind::Place) {
                ASSERT_EQ(hint.step.digit, p.solution[hint.step.cell]) << hintText(hint);
            }
            for (int cell = 0; cell < 81; ++cell) {
                ASSERT_FALSE(hint.step.removed[cell] & maskOfDigit(p.solution[cell]))
                    << hintText(hint);
            }
            ASSERT_FALSE(hint.targets.empty());
            ASSERT_TRUE(applyHint(hint, p.givens, user, notes));
        }
        EXPECT_EQ(techniqueDifficulty(hardest), p.difficulty);
        for (int cell = 0; cell < 81; ++cell) {
            if (p.givens[cell] == 0) {
                EXPECT_EQ(user[cell], p.solution[cell]);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BundledHints,
                         testing::Values("1-gentle.dat", "2-moderate.dat", "3-tough.dat",
                                         "4-fiendish.dat"));

TEST(HintMistakes, WrongDigitsComeFirstThenWrongNotesThenSteps) {
    const BundledPuzzle p = readBundled("1-gentle.dat").at(0);
    int first = -1, second = -1;
    for (int cell = 80; cell >= 0; --cell) {
        if (p.givens[cell] != 0) continue;
        second = first;
        first = cell;
    }
    CellGrid user{};
    NoteGrid notes{};
    const NoteGrid none{};

    // Notes without the solution's digit in the first empty cell.
    notes[first] = DigitMask(allDigits & ~maskOfDigit(p.solution[first]));
    Hint hint = findHint(p.givens, p.solution, user, notes);
    EXPECT_EQ(hint.kind, HintKind::WrongNotes);
    CellSet expected;
    expected.add(first);
    EXPECT_EQ(hint.targets, expected);

    // A wrong digit in the second empty cell, and a right one in the first: the wrong digit wins.
    user[second] = std::uint8_t(p.solution[second] % 9 + 1);
    hint = findHint(p.givens, p.solution, user, notes);
    EXPECT_EQ(hint.kind, HintKind::Wrong);
    expected = CellSet{};
    expected.add(second);
    EXPECT_EQ(hint.targets, expected);
    EXPECT_EQ(hintText(hint), "間違っている数字が 1 個あります。印のついたマスを確かめてください");

    // Right digits everywhere: solved, whatever the notes.
    for (int cell = 0; cell < 81; ++cell) user[cell] = p.givens[cell] ? 0 : p.solution[cell];
    EXPECT_EQ(findHint(p.givens, p.solution, user, none).kind, HintKind::Solved);

    // A digit a given already shows in the note's unit does not count as a candidate.
    user = CellGrid{};
    const Hint start = findHint(p.givens, p.solution, user, none);
    ASSERT_EQ(start.kind, HintKind::Place);
    notes = none;
    notes[start.step.cell] = allDigits;
    const Hint same = findHint(p.givens, p.solution, user, notes);
    EXPECT_EQ(same.kind, HintKind::Place);
    EXPECT_EQ(same.step.cell, start.step.cell);

    // Givens that clash get no hint at all: a given copied into an empty cell of its row.
    CellGrid clash = p.givens;
    for (int cell = 0; cell < 81 && clash == p.givens; ++cell) {
        if (clash[cell] == 0) continue;
        for (int other = 9 * rowOf(cell); other < 9 * rowOf(cell) + 9; ++other) {
            if (clash[other] != 0) continue;
            clash[other] = clash[cell];
            break;
        }
    }
    ASSERT_NE(clash, p.givens);
    hint = findHint(clash, p.solution, user, none);
    EXPECT_EQ(hint.kind, HintKind::Invalid);
    EXPECT_TRUE(hint.targets.empty());
    EXPECT_NE(hintText(hint).find("ヒントを出せません"), std::string::npos);
}

TEST(HintText, ShortBuffersEndOnAWholeCharacter) {
    Hint hint;
    hint.kind = HintKind::Stuck;
    const std::string full = "論理的に進められる手が見つかりません";
    char buffer[hintTextCapacity];
    for (std::size_t size = 0; size <= full.size() + 1; ++size) {
        std::fill(buffer, buffer + sizeof buffer, '#');
        const std::size_t n = formatHint(hint, buffer, size);
        if (size == 0) {
            EXPECT_EQ(n, 0u);
            EXPECT_EQ(buffer[0], '#');
            continue;
        }
        // Each character is three bytes: the text keeps as many whole ones as fit.
        EXPECT_EQ(n, std::min(full.size(), (size - 1) / 3 * 3));
        EXPECT_EQ(std::string(buffer, n), full.substr(0, n));
        EXPECT_EQ(buffer[n], '\0');
        EXPECT_EQ(buffer[size], '#');
    }
}

} // namespace
} // namespace korvani
