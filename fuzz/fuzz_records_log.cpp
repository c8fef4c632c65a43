// Arbitrary bytes as the records log beside a save path, read as the records dialog reads it and
// appended to as a clear appends. Aborts on anything a damaged log must never cause: a record
// accepted with a field out of range, an accepted record that does not encode back to its own
// bytes, the file reader and the memory reader disagreeing, an append that loses a record that
// read back, or statistics that do not add up.
#include "fuzz/scratch_folder.h"
#include "progress/play_statistics.h"
#include "progress/records_log.h"
#include "progress/save_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace korvani;
using fuzzing::check;

std::string exePath;

bool writeWhole(const char* path, const void* data, std::size_t size) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

void checkRecords(const std::vector<ClearRecord>& records) {
    for (const ClearRecord& record : records) {
        check(record.problemIndex >= 0 && record.problemIndex < maxProblemsPerFile);
        check((record.flags & ~clearFlagsAll) == 0);
        check(record.seconds >= 0 && record.seconds <= 3599);
        std::uint8_t bytes[clearRecordSize];
        encodeClearRecord(record, bytes);
        ClearRecord again;
        check(decodeClearRecord(bytes, again) && again == record);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (exePath.empty()) exePath = fuzzing::scratchExePath("log");
    const std::vector<ClearRecord> fromMemory = decodeRecordsLog(data, size);
    checkRecords(fromMemory);
    check(fromMemory.size() <= size / clearRecordSize);

    ProgressStore store;
    check(deriveSavePath(store, exePath.c_str(), exePath.size()));
    char path[savePathCapacity];
    check(deriveRecordsLogPath(store.savePath, path, sizeof path));
    check(writeWhole(path, data, size));
    check(readRecordsLog(path) == fromMemory);

    // An append keeps every record that read back, in order, and adds the new one at the end.
    const ClearRecord added = {0xC0FFEEu, 29, 10, clearFlagsAll, 3599, -1};
    check(appendClearRecord(store, added, writeWhole));
    std::vector<ClearRecord> expected = fromMemory;
    expected.push_back(added);
    check(readRecordsLog(path) == expected);

    // The statistics count each record once, whatever its grade.
    PlayStatistics statistics;
    computePlayStatistics(fromMemory, {}, nullptr, 0, statistics);
    check(statistics.total.cleared == static_cast<int>(fromMemory.size()));
    int perGrade = 0;
    for (int grade = 1; grade <= highestGrade; ++grade)
        perGrade += statistics.byGrade[grade].cleared;
    check(perGrade <= statistics.total.cleared);
    check(statistics.total.bestSeconds <= statistics.total.medianSeconds);
    return 0;
}
