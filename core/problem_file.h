// Problem files: one puzzle a line ("difficulty/cells"), proved on loading to have exactly one
// completion; the file's key (CRC-32C of the accepted lines' difficulty texts) and its record.
#pragma once

#include "core/crc32c.h"
#include "core/problem.h"
#include "progress/progress_store.h"

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

// Grows the record table; realloc's contract (the old block stays valid on failure).
using Reallocate = void* (*)(void* block, std::size_t size);

// Makes the record with `key` current, appending one with all times 0 (and setting
// savedGameFlag to -1) when there is none. False only when the table cannot grow (or does not
// hold together); then nothing has changed.
bool findOrAddRecord(ProgressStore& store, std::uint32_t key);
bool findOrAddRecord(ProgressStore& store, std::uint32_t key, Reallocate reallocate);

// Loads the file named by header.problemFileName from the executable's directory (the first
// dirPrefixLength characters of savePath). True when at least one puzzle was loaded. The
// puzzles are read into scratch storage and replace the problem set only on success: a failed
// load leaves problems, problemCount, the records, currentRecordIndex and savedGameFlag as
// they were.
bool loadProblemFile(ProgressStore& store);

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

// The loader on a given path. `trace` and `reallocate` may be null (std::realloc then).
bool loadProblemFileAt(const char* path, ProgressStore& store, LoadTrace* trace = nullptr,
                       Reallocate reallocate = nullptr);

// The same on a file opened for reading as text; the caller closes it.
bool loadProblemStream(std::FILE* file, ProgressStore& store, LoadTrace* trace = nullptr,
                       Reallocate reallocate = nullptr);

} // namespace korvani
