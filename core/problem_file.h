// Problem files: one puzzle a line ("difficulty/cells"), proved on reading to have exactly one
// completion, and the file's key (CRC-32C of the accepted lines' difficulty texts). Loading a
// file into the progress store is progress/problem_loading.h.
#pragma once

#include "core/crc32c.h"
#include "core/problem.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace korvani {

// One read takes at most 2047 bytes, up to and including the line feed; a longer line is cut
// there and its remainder read as the next line.
inline constexpr int problemLineBufferSize = 2048;

enum class LineVerdict {
    accepted,
    noSlash,             // no '/': the slot is untouched
    tooFewCells,         // the difficulty and the cells read so far stay in the slot
    noSolution,          // the difficulty stays, the givens are all 0, the solution untouched
    moreThanOneSolution, // likewise
};

// parseProblemLine with the reason for a rejection.
LineVerdict judgeProblemLine(const char* line, Problem& slot);

// Fills `slot` from one line (a NUL-terminated text); true when the line is accepted.
bool parseProblemLine(const char* line, Problem& slot);

// What a load saw, for tools that explain it (korvani-check).
struct LoadTrace {
    // Called for every line read, in order (numbered from 1 by reads), with the slot as the
    // line left it.
    void (*onLine)(void* context, int lineNumber, LineVerdict verdict,
                   const Problem& slot) = nullptr;
    void* context = nullptr;
    // Filled in by the load.
    bool opened = false;
    int openError = 0; // errno after a failed open
    int linesRead = 0;
    int readError = 0; // errno when the reading ended on an error rather than the file's end
    int problemCount = 0;
    std::uint32_t key = crc32cInitial; // the register as it stands at the end
};

// What one reading of a file gave: the accepted lines in order and the file's key.
struct ProblemLines {
    int count = 0;
    std::uint32_t key = crc32cInitial;
};

// Reads lines until the first one that is rejected, or 30 are accepted, judging each into the
// next slot: the accepted lines fill slots[0 .. count - 1], and a rejected line leaves its slot
// as judgeProblemLine left it. `trace` may be null.
ProblemLines readProblemLines(std::FILE* file, Problem (&slots)[maxProblemsPerFile],
                              LoadTrace* trace);

} // namespace korvani
