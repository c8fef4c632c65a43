// korvani-hint [--japanese] PUZZLE [GRID]
// The game's hint for one position. PUZZLE is 81 cells ('.' or '0' empty, '1'-'9' a given);
// GRID, PUZZLE by default, is the board in play: PUZZLE's givens plus placed digits. The
// candidates come from the grid alone (no notes). One line is printed:
//   place rRcC D TECHNIQUE | remove rRcC[,rRcC...] DIGITS TECHNIQUE | wrong rRcC[,rRcC...] |
//   solved | stuck | invalid
// (DIGITS: the removed digits written together, "26"). With --japanese the message the game
// shows is printed instead, as UTF-8. Exit status: 1 for a puzzle whose givens clash or that has
// no solution or more than one, 2 for malformed arguments, 0 otherwise.
#include "core/solver/solver.h"
#include "hint/hint_text.h"

#include <cstdio>
#include <cstring>

namespace {

using namespace korvani;

int usage(const char* problem) {
    std::fprintf(stderr, "korvani-hint: %s; usage: korvani-hint [--japanese] PUZZLE [GRID]\n",
                 problem);
    return 2;
}

// 81 characters, each '.', '0' or '1'-'9'.
bool parseGrid(const char* text, CellGrid& grid) {
    if (std::strlen(text) != 81) return false;
    for (int cell = 0; cell < 81; ++cell) {
        const char c = text[cell];
        if (c == '.' || c == '0') {
            grid[cell] = 0;
        } else if (c >= '1' && c <= '9') {
            grid[cell] = std::uint8_t(c - '0');
        } else {
            return false;
        }
    }
    return true;
}

void printCells(const CellSet& cells) {
    const char* separator = "";
    for (int cell = 0; cell < 81; ++cell) {
        if (!cells.has(cell)) continue;
        std::printf("%sr%dc%d", separator, rowOf(cell) + 1, columnOf(cell) + 1);
        separator = ",";
    }
}

void printLine(const Hint& hint) {
    switch (hint.kind) {
    case HintKind::Invalid:
        std::printf("invalid\n");
        return;
    case HintKind::Wrong:
    case HintKind::WrongNotes: // the tool keeps no notes, so only wrong digits reach here
        std::printf("wrong ");
        printCells(hint.targets);
        std::printf("\n");
        return;
    case HintKind::Solved:
        std::printf("solved\n");
        return;
    case HintKind::Stuck:
        std::printf("stuck\n");
        return;
    case HintKind::Place:
        std::printf("place ");
        printCells(hint.targets);
        std::printf(" %d %s\n", hint.step.digit, techniqueSlug(hint.step.technique));
        return;
    case HintKind::Remove: {
        DigitMask digits = 0;
        for (DigitMask removed : hint.step.removed) digits |= removed;
        std::printf("remove ");
        printCells(hint.targets);
        std::printf(" ");
        for (int digit = 1; digit <= 9; ++digit) {
            if (digits & maskOfDigit(digit)) std::printf("%d", digit);
        }
        std::printf(" %s\n", techniqueSlug(hint.step.technique));
        return;
    }
    }
}

} // namespace

int main(int argc, char** argv) {
    bool japanese = false;
    const char* texts[2] = {nullptr, nullptr};
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--japanese") == 0) {
            japanese = true;
        } else if (argv[i][0] == '-' || count == 2) {
            return usage("unexpected argument");
        } else {
            texts[count++] = argv[i];
        }
    }
    if (count == 0) return usage("no PUZZLE");

    CellGrid givens{};
    CellGrid board{};
    if (!parseGrid(texts[0], givens)) return usage("PUZZLE must be 81 cells of '.', '0'-'9'");
    if (!parseGrid(texts[count == 2 ? 1 : 0], board))
        return usage("GRID must be 81 cells of '.', '0'-'9'");
    CellGrid userGrid{};
    for (int cell = 0; cell < 81; ++cell) {
        if (givens[cell] != 0 && board[cell] != givens[cell]) {
            std::fprintf(stderr, "korvani-hint: GRID changes the given at r%dc%d\n",
                         rowOf(cell) + 1, columnOf(cell) + 1);
            return 2;
        }
        if (givens[cell] == 0) userGrid[cell] = board[cell];
    }

    // The loader accepts givens that clash; the hint refuses them, and so does a puzzle without
    // exactly one solution, which has no solution to compare with.
    const SolveResult proof = solveGivens(givens);
    const Hint hint = proof.count == 1 ? findHint(givens, proof.solution, userGrid, NoteGrid{})
                                       : Hint{HintKind::Invalid, {}, {}};
    if (japanese) {
        char text[hintTextCapacity];
        formatHint(hint, text, sizeof text);
        std::printf("%s\n", text);
    } else {
        printLine(hint);
    }
    return hint.kind == HintKind::Invalid ? 1 : 0;
}
