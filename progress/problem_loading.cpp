// Loading a problem file into the progress store, and the record lookup at the end of a load.
#include "progress/problem_loading.h"

#include "files/open_file.h"
#include "progress/file_names.h"
#include "progress/progress_records.h"

#include <cerrno>
#include <cstring>

namespace korvani {

void findOrAddRecord(ProgressStore& store, std::uint32_t key) {
    std::vector<ProgressRecord>& records = store.records;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].fileKey == key) {
            store.currentRecordIndex = static_cast<std::int32_t>(i);
            return;
        }
    }
    ProgressRecord added;
    added.fileKey = key;
    records.push_back(added);
    store.currentRecordIndex = static_cast<std::int32_t>(records.size() - 1);
    store.header.savedGameFlag = -1;
}

bool loadProblemFile(ProgressStore& store) {
    char path[problemPathCapacity];
    if (!problemFilePath(store, path, sizeof path)) return false;
    return loadProblemFileAt(path, store);
}

bool openProblemFile(ProgressStore& store, const char (&storedName)[64], int problemIndex) {
    char previous[sizeof store.header.problemFileName];
    std::memcpy(previous, store.header.problemFileName, sizeof previous);
    std::memcpy(store.header.problemFileName, storedName, sizeof previous);
    if (!loadProblemFile(store)) {
        // The save file never names a file that failed.
        std::memcpy(store.header.problemFileName, previous, sizeof previous);
        return false;
    }
    if (problemIndex >= 0 && problemIndex < store.problemCount) {
        store.header.currentProblemIndex = problemIndex;
    } else {
        store.header.currentProblemIndex = 0;
        selectNextUnsolved(store); // every puzzle cleared: the index stays 0
    }
    return true;
}

bool loadProblemFileAt(const char* path, ProgressStore& store, LoadTrace* trace) {
    errno = 0;
    std::FILE* file = openFile(path, "r");
    if (file == nullptr) {
        if (trace != nullptr) trace->openError = errno;
        return false;
    }
    const bool loaded = loadProblemStream(file, store, trace);
    std::fclose(file);
    return loaded;
}

bool loadProblemStream(std::FILE* file, ProgressStore& store, LoadTrace* trace) {
    // Work on a copy, so that a failed load leaves the puzzles in play alone.
    Problem scratch[maxProblemsPerFile];
    std::memcpy(scratch, store.problems, sizeof scratch);
    const ProblemLines lines = readProblemLines(file, scratch, trace);
    if (lines.count == 0) return false;
    findOrAddRecord(store, lines.key);
    std::memcpy(store.problems, scratch, sizeof scratch);
    store.problemCount = lines.count;
    return true;
}

} // namespace korvani
