// Loading a problem file into the progress store: the puzzles replace the current set only
// when the file gave at least one, and the file's record (found by its key, or added) becomes
// current.
#pragma once

#include "core/problem_file.h"
#include "progress/progress_store.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace korvani {

// Makes the record with `key` current, appending one with all times 0 (and setting
// savedGameFlag to -1) when there is none.
void findOrAddRecord(ProgressStore& store, std::uint32_t key);

// Loads the file named by header.problemFileName from the executable's directory (the first
// dirPrefixLength characters of savePath). True when at least one puzzle was loaded. The
// puzzles are read into scratch storage and replace the problem set only on success: a failed
// load leaves problems, problemCount, the records, currentRecordIndex and savedGameFlag as
// they were.
bool loadProblemFile(ProgressStore& store);

// The loader on a given path. `trace` may be null.
bool loadProblemFileAt(const char* path, ProgressStore& store, LoadTrace* trace = nullptr);

// Makes another problem file current, as the Open-problem dialog does: the name goes into
// header.problemFileName and the file is loaded; then the current puzzle is `problemIndex` when
// it is one of the loaded puzzles, else the first uncleared one (puzzle 0 when all are
// cleared). On failure the store is as it was, the previous name included.
bool openProblemFile(ProgressStore& store, const char (&storedName)[64], int problemIndex = -1);

// The same on a file opened for reading as text; the caller closes it.
bool loadProblemStream(std::FILE* file, ProgressStore& store, LoadTrace* trace = nullptr);

} // namespace korvani
