// Arbitrary bytes as the save file, with a valid problem file beside it, through the whole
// start-up restore; then the choices that follow and a save that must read back unchanged.
// Aborts on anything a damaged file must never cause: an index outside the loaded puzzles or
// the record table, a resumed grid or clock out of range, a record read whole that was lost.
#include "progress/progress_records.h"
#include "progress/progress_restore.h"
#include "progress/save_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace korvani;

// Three puzzles of the problem file: a classic puzzle and two relabellings of its digits.
constexpr char problemFile[] =
    "1/53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79\n"
    "2/64..8....7..216....19....7.9...7...45..9.4..28...3...7.7....39....521..6....9..81\n"
    " 3 hard/75..9....8..327....21....8.1...8...56..1.5..39...4...8.8....41....632..7....1..92\n";

std::string folder;
std::string exePath;

void check(bool condition) {
    if (!condition) __builtin_trap();
}

void prepareFolder() {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/korvani-fuzz-save-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    check(mkdtemp(name.data()) != nullptr);
    folder = name.data();
    exePath = folder + "/korvani.exe";
    std::FILE* file = std::fopen((folder + "/easy.dat").c_str(), "w");
    check(file != nullptr);
    std::fputs(problemFile, file);
    std::fclose(file);
}

bool bytesEqual(const void* a, const void* b, std::size_t size) {
    return std::memcmp(a, b, size) == 0;
}

void checkRestored(const ProgressStore& store, const StartingGame& start) {
    check(store.problemCount >= 1 && store.problemCount <= maxProblemsPerFile);
    const std::int32_t index = store.header.currentProblemIndex;
    check(index >= 0 && index < store.problemCount);
    check(currentRecord(store) != nullptr);
    check(start.elapsedSeconds >= 0 && start.elapsedSeconds <= clockLimitSeconds);
    const CellGrid& givens = store.problems[index].givens;
    for (int cell = 0; cell < 81; ++cell) {
        check(start.userGrid[cell] <= 9);
        check(start.userGrid[cell] == 0 || givens[cell] == 0);
        if (!start.resume) check(start.userGrid[cell] == 0);
    }
}

// Every record present whole in the file, up to the count it states when that is believable,
// is in the table in its place.
void checkRecordsKept(const ProgressStore& store, const std::uint8_t* data, std::size_t size,
                      std::int32_t readCount) {
    check(store.records.size() >= static_cast<std::size_t>(readCount));
    const std::size_t present =
        size > saveHeaderSize ? (size - saveHeaderSize) / progressRecordSize : 0;
    check(static_cast<std::size_t>(readCount) <= present);
    for (std::int32_t r = 0; r < readCount; ++r) {
        std::uint8_t bytes[progressRecordSize];
        encodeProgressRecord(store.records[static_cast<std::size_t>(r)], bytes);
        check(
            bytesEqual(bytes, data + saveHeaderSize + progressRecordSize * r, progressRecordSize));
    }
}

// A save of the store reads back as the same header and records.
void checkRoundTrip(const ProgressStore& store) {
    const std::size_t size = saveFileSize(store);
    check(size >= saveHeaderSize);
    std::vector<std::uint8_t> bytes(size);
    encodeSaveFile(store, bytes.data());
    ProgressStore again;
    decodeSaveFile(again, bytes.data(), bytes.size());
    check(bytesEqual(&again.header, &store.header, sizeof(SaveHeader)));
    check(again.records == store.records);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (folder.empty()) prepareFolder();

    ProgressStore store;
    check(deriveSavePath(store, exePath.c_str(), exePath.size()));
    std::FILE* file = std::fopen(store.savePath, "wb");
    check(file != nullptr);
    if (size > 0) check(std::fwrite(data, 1, size, file) == size);
    std::fclose(file);

    // The memory reader sees the same file as the file reader does.
    ProgressStore fromMemory;
    decodeSaveFile(fromMemory, data, size);
    const auto readCount = static_cast<std::int32_t>(fromMemory.records.size());
    checkRecordsKept(fromMemory, data, size, readCount);

    StartingGame start;
    const RestoreOutcome outcome = restoreProgress(store, start);
    checkRecordsKept(store, data, size, readCount);
    if (outcome == RestoreOutcome::ready) {
        checkRestored(store, start);
        // What the game does next: a solve, the move to the next puzzle, an erase.
        recordClearTime(store, start.elapsedSeconds);
        selectNextUnsolved(store);
        check(store.header.currentProblemIndex >= 0 &&
              store.header.currentProblemIndex < store.problemCount);
        storeGameInHeader(store.header, start.userGrid, start.elapsedSeconds, start.resume);
    } else {
        check(bytesEqual(&store.header, &fromMemory.header, sizeof(SaveHeader)));
    }
    checkRoundTrip(store);
    clearRecordTimes(store);
    checkRoundTrip(store);
    return 0;
}
