// Feeds arbitrary bytes to the import's text reader as a file's contents and checks what every
// reading must keep true: puzzles begin on lines in increasing order within the text, a puzzle
// read whole holds only digits 0 to 9 and comes back the same through the copied line, and the
// first one is checked and graded like any import (an accepted grade lies in 1 to 10).
#include "import/copy_text.h"
#include "import/puzzle_check.h"
#include "import/text_decoding.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using namespace korvani;

void require(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = normalizeText(data, size);
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    const ReadPuzzles read = readPuzzles(text);
    require(!read.tooMany || read.puzzles.empty());
    int previousLine = 0;
    for (const ReadPuzzle& puzzle : read.puzzles) {
        require(puzzle.line > previousLine && puzzle.line <= lines);
        previousLine = puzzle.line;
        if (puzzle.fault != ReadFault::none) continue;
        for (std::uint8_t digit : puzzle.givens) require(digit <= 9);
        char line[copyLineSize];
        formatCopyLine(puzzle.givens, line);
        const ReadPuzzles again = readPuzzles(line);
        require(again.puzzles.size() == 1 && again.puzzles[0].givens == puzzle.givens);
    }
    if (!read.puzzles.empty()) {
        const CheckedPuzzle checked = checkPuzzle(read.puzzles.front());
        require(checked.verdict != Verdict::accepted ||
                (checked.grade >= 1 && checked.grade <= beyondGraderGrade));
    }
    return 0;
}
