// Problem-file parsing and loading, the file key, and the record lookup at the end of a load.
#include "core/problem_file.h"

#include "core/solver/solver.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace korvani {

namespace {

bool isBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The decimal value at the start of the difficulty text: blanks skipped, an optional sign,
// digits up to the first other byte; 0 without digits; clamped to the signed 32-bit range.
std::int32_t difficultyValue(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (isBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        if (value > limit) value = limit; // stays clamped however many digits follow
        ++p;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

void* reallocateWithStdlib(void* block, std::size_t size) {
    return std::realloc(block, size);
}

} // namespace

LineVerdict judgeProblemLine(const char* line, Problem& slot) {
    const char* slash = std::strchr(line, '/');
    if (slash == nullptr) return LineVerdict::noSlash;
    const std::uint32_t value = static_cast<std::uint32_t>(difficultyValue(line));
    slot.difficulty = static_cast<std::int8_t>(static_cast<std::uint8_t>(value & 0xFFu));

    const char* p = slash + 1;
    int cells = 0;
    while (cells < 81) {
        const char c = *p++;
        if (c == '\0') return LineVerdict::tooFewCells;
        if (c == '.') {
            slot.givens[cells++] = 0;
        } else if (c >= '1' && c <= '9') {
            slot.givens[cells++] = static_cast<std::uint8_t>(c - '0');
        }
    }

    const SolveResult result = solveGivens(slot.givens);
    if (result.count != 1) {
        slot.givens.fill(0);
        return result.count == 0 ? LineVerdict::noSolution : LineVerdict::moreThanOneSolution;
    }
    slot.solution = result.solution;
    return LineVerdict::accepted;
}

bool parseProblemLine(const char* line, Problem& slot) {
    return judgeProblemLine(line, slot) == LineVerdict::accepted;
}

bool findOrAddRecord(ProgressStore& store, std::uint32_t key) {
    return findOrAddRecord(store, key, nullptr);
}

bool findOrAddRecord(ProgressStore& store, std::uint32_t key, Reallocate reallocate) {
    const std::int32_t count = store.header.recordCount;
    if (count < 0 || (count > 0 && store.records == nullptr)) return false;
    for (std::int32_t i = 0; i < count; ++i) {
        if (store.records[i].fileKey == key) {
            store.currentRecordIndex = i;
            return true;
        }
    }
    if (count == INT32_MAX) return false;
    const std::size_t newCount = static_cast<std::size_t>(count) + 1;
    if (newCount > SIZE_MAX / sizeof(ProgressRecord)) return false;
    if (reallocate == nullptr) reallocate = reallocateWithStdlib;
    void* grown = reallocate(store.records, newCount * sizeof(ProgressRecord));
    if (grown == nullptr) return false; // the old table is still there, unchanged
    store.records = static_cast<ProgressRecord*>(grown);
    ProgressRecord& added = store.records[count];
    added.fileKey = key;
    for (std::int16_t& seconds : added.clearSeconds) seconds = 0;
    store.currentRecordIndex = count;
    store.header.savedGameFlag = -1;
    store.header.recordCount = count + 1;
    return true;
}

bool loadProblemFile(ProgressStore& store) {
    const std::int32_t prefixLength = store.dirPrefixLength;
    if (prefixLength < 0 || prefixLength >= savePathCapacity) return false;
    char path[savePathCapacity + sizeof store.header.problemFileName + 1];
    std::memcpy(path, store.savePath, static_cast<std::size_t>(prefixLength));
    std::size_t length = static_cast<std::size_t>(prefixLength);
    for (char c : store.header.problemFileName) {
        if (c == '\0') break;
        path[length++] = c;
    }
    path[length] = '\0';
    return loadProblemFileAt(path, store);
}

bool loadProblemFileAt(const char* path, ProgressStore& store, LoadTrace* trace,
                       Reallocate reallocate) {
    errno = 0;
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        if (trace != nullptr) trace->openError = errno;
        return false;
    }
    const bool loaded = loadProblemStream(file, store, trace, reallocate);
    std::fclose(file);
    return loaded;
}

bool loadProblemStream(std::FILE* file, ProgressStore& store, LoadTrace* trace,
                       Reallocate reallocate) {
    if (trace != nullptr) trace->opened = true;

    // Work on a copy, so that a failed load leaves the puzzles in play alone.
    Problem scratch[maxProblemsPerFile];
    std::memcpy(scratch, store.problems, sizeof scratch);
    std::uint32_t table[256];
    buildCrc32cTable(table);
    std::uint32_t key = crc32cInitial;
    int count = 0;
    int lineNumber = 0;
    char line[problemLineBufferSize];
    while (std::fgets(line, problemLineBufferSize, file) != nullptr) {
        ++lineNumber;
        const LineVerdict verdict = judgeProblemLine(line, scratch[count]);
        if (trace != nullptr && trace->onLine != nullptr)
            trace->onLine(trace->context, lineNumber, verdict, scratch[count]);
        if (verdict != LineVerdict::accepted) break;
        const char* slash = std::strchr(line, '/');
        key = updateCrc32c(table, key, line, static_cast<std::size_t>(slash - line));
        if (++count == maxProblemsPerFile) break;
    }
    if (trace != nullptr) {
        trace->linesRead = lineNumber;
        if (std::ferror(file) != 0) trace->readError = errno != 0 ? errno : EIO;
        trace->problemCount = count;
        trace->key = key;
    }
    if (count == 0) return false;
    if (!findOrAddRecord(store, key, reallocate)) return false;
    std::memcpy(store.problems, scratch, sizeof scratch);
    store.problemCount = count;
    return true;
}

} // namespace korvani
