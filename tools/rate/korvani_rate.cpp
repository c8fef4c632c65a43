// korvani-rate [FILE...]
// Reads puzzle texts in the formats the game imports (no FILE or "-": standard input) and checks
// and grades every puzzle as the import does. For each accepted puzzle, in input order, its
// problem line "D/<81 cells>" goes to standard output ('.' for an empty cell, D the grade, 10
// beyond the grader); for each refused one "NAME:LINE: reason" goes to standard error (NAME the
// file name or "-", LINE where the puzzle begins). Exit status: 0 when every puzzle was accepted,
// 1 when some were refused, 2 when a source could not be read (missing, too large, too many
// puzzles, no puzzle found).
#include "import/copy_text.h"
#include "import/puzzle_check.h"
#include "import/text_decoding.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using namespace korvani;

// The reason of a refusal, in `out`.
void formatReason(const CheckedPuzzle& puzzle, char (&out)[96]) {
    switch (puzzle.verdict) {
    case Verdict::accepted:
        out[0] = '\0';
        return;
    case Verdict::wrongCellCount:
        std::snprintf(out, sizeof out, "81 cells expected on the line, found %d", puzzle.count);
        return;
    case Verdict::shortGrid:
        std::snprintf(out, sizeof out, "the 9x9 grid ends after %d rows", puzzle.count);
        return;
    case Verdict::notAPuzzle:
        std::snprintf(out, sizeof out, "not a puzzle (81 cells on a line or a 9x9 grid expected)");
        return;
    case Verdict::clash:
        std::snprintf(out, sizeof out, "r%dc%d and r%dc%d both hold %d", rowOf(puzzle.clashA) + 1,
                      columnOf(puzzle.clashA) + 1, rowOf(puzzle.clashB) + 1,
                      columnOf(puzzle.clashB) + 1,
                      puzzle.givens[static_cast<std::size_t>(puzzle.clashA)]);
        return;
    case Verdict::noSolution:
        std::snprintf(out, sizeof out, "no solution");
        return;
    case Verdict::manySolutions:
        std::snprintf(out, sizeof out, "more than one solution");
        return;
    }
}

// The whole of a stream, or false when it is larger than the import takes or cannot be read.
bool readWhole(std::FILE* file, std::string& bytes, bool& tooLarge) {
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, n);
        if (bytes.size() > maxImportBytes) {
            tooLarge = true;
            return false;
        }
    }
    return std::ferror(file) == 0;
}

enum class Outcome { allAccepted, someRefused, unreadable };

Outcome rateSource(const char* name) {
    const bool standardInput = std::strcmp(name, "-") == 0;
    std::FILE* file = standardInput ? stdin : std::fopen(name, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "%s: cannot be opened: %s\n", name, std::strerror(errno));
        return Outcome::unreadable;
    }
    std::string bytes;
    bool tooLarge = false;
    const bool read = readWhole(file, bytes, tooLarge);
    if (!standardInput) std::fclose(file);
    if (!read) {
        std::fprintf(stderr, "%s: %s\n", name, tooLarge ? "larger than 10 MB" : "cannot be read");
        return Outcome::unreadable;
    }
    const ReadPuzzles found = readPuzzles(normalizeText(bytes.data(), bytes.size()));
    if (found.tooMany || found.puzzles.empty()) {
        std::fprintf(stderr, "%s: %s\n", name,
                     found.tooMany ? "more than 10000 puzzles" : "no puzzle found");
        return Outcome::unreadable;
    }
    Outcome outcome = Outcome::allAccepted;
    for (const ReadPuzzle& puzzle : found.puzzles) {
        const CheckedPuzzle checked = checkPuzzle(puzzle);
        if (checked.verdict != Verdict::accepted) {
            char reason[96];
            formatReason(checked, reason);
            std::fprintf(stderr, "%s:%d: %s\n", name, checked.line, reason);
            outcome = Outcome::someRefused;
            continue;
        }
        char line[copyLineSize];
        formatCopyLine(checked.givens, line);
        std::printf("%d/%s\n", checked.grade, line);
    }
    return outcome;
}

} // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    static const char* const standardInputOnly[] = {"-"};
    const char* const* names = argc > 1 ? argv + 1 : standardInputOnly;
    const int count = argc > 1 ? argc - 1 : 1;
    bool refused = false;
    bool unreadable = false;
    for (int i = 0; i < count; ++i) {
        switch (rateSource(names[i])) {
        case Outcome::allAccepted:
            break;
        case Outcome::someRefused:
            refused = true;
            break;
        case Outcome::unreadable:
            unreadable = true;
            break;
        }
    }
    return unreadable ? 2 : refused ? 1 : 0;
}
