// Clear times in the record table and the search for the next uncleared puzzle.
#include "progress/progress_records.h"

namespace korvani {

ProgressRecord* currentRecord(ProgressStore& store) {
    const std::int32_t index = store.currentRecordIndex;
    if (index < 0 || static_cast<std::size_t>(index) >= store.records.size()) return nullptr;
    return &store.records[static_cast<std::size_t>(index)];
}

const ProgressRecord* currentRecord(const ProgressStore& store) {
    return currentRecord(const_cast<ProgressStore&>(store));
}

bool selectNextUnsolved(ProgressStore& store) {
    const ProgressRecord* record = currentRecord(store);
    const std::int32_t count = store.problemCount;
    if (record == nullptr || count <= 0 || count > maxProblemsPerFile) return false;
    std::int32_t start = store.header.currentProblemIndex;
    if (start < 0 || start >= count) start = 0;
    // From the current puzzle to the end, then from the start: the current one is looked at
    // first, so an uncleared current puzzle stays current.
    for (std::int32_t step = 0; step < count; ++step) {
        const std::int32_t i = (start + step) % count;
        if (record->clearSeconds[i] == 0) {
            store.header.currentProblemIndex = i;
            return true;
        }
    }
    return false;
}

void recordClearTime(ProgressStore& store, std::int32_t seconds) {
    ProgressRecord* record = currentRecord(store);
    const std::int32_t index = store.header.currentProblemIndex;
    if (record == nullptr || index < 0 || index >= maxProblemsPerFile) return;
    record->clearSeconds[index] = static_cast<std::int16_t>(static_cast<std::uint16_t>(seconds));
}

void clearRecordTimes(ProgressStore& store) {
    ProgressRecord* record = currentRecord(store);
    if (record == nullptr) return;
    for (auto& seconds : record->clearSeconds) seconds = 0;
}

void storeGameInHeader(SaveHeader& header, const CellGrid& userGrid, std::int32_t elapsedSeconds,
                       bool inPlay) {
    header.savedUserGrid = userGrid;
    header.savedElapsedSeconds = elapsedSeconds;
    header.savedGameFlag = inPlay ? 1 : -1;
}

} // namespace korvani
