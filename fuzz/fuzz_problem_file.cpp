// Feeds arbitrary bytes through the problem-file loader as the contents of a file, into a
// store that already holds puzzles and records, and checks what every load must keep true:
// a failed load changes nothing; a successful one holds 1 to 30 puzzles, each with a solution
// that completes its givens, and makes current the record of the key it computed.
#include "progress/problem_loading.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

using namespace korvani;

void require(bool condition) {
    if (!condition) __builtin_trap();
}

// Every given kept, every other cell a digit that no other cell of its units holds.
bool isCompletionOf(const CellGrid& givens, const CellGrid& solution) {
    int seen[3][9][10] = {}; // per kind and unit: how often each digit occurs
    for (int cell = 0; cell < 81; ++cell) {
        const int digit = solution[cell];
        if (digit < 1 || digit > 9) return false;
        if (givens[cell] != 0 && givens[cell] != digit) return false;
        ++seen[0][rowOf(cell)][digit];
        ++seen[1][columnOf(cell)][digit];
        ++seen[2][boxOf(cell)][digit];
    }
    for (int cell = 0; cell < 81; ++cell) {
        if (givens[cell] != 0) continue;
        const int digit = solution[cell];
        if (seen[0][rowOf(cell)][digit] != 1 || seen[1][columnOf(cell)][digit] != 1 ||
            seen[2][boxOf(cell)][digit] != 1)
            return false;
    }
    return true;
}

// A store as after an earlier load: some puzzles in play, two records, the second current.
void prepare(ProgressStore& store) {
    for (int i = 0; i < maxProblemsPerFile; ++i) {
        store.problems[i].difficulty = static_cast<std::int8_t>(i);
        store.problems[i].givens.fill(static_cast<std::uint8_t>(i % 10));
        store.problems[i].solution.fill(static_cast<std::uint8_t>((i + 1) % 10));
    }
    store.problemCount = 3;
    store.records.assign(2, ProgressRecord{});
    store.records[0].fileKey = 0x12345678u;
    store.records[1].fileKey = 0xFFFFFFFFu; // the key of files whose lines begin with '/'
    store.records[1].clearSeconds[0] = 42;
    store.currentRecordIndex = 1;
    store.header.savedGameFlag = 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "r");
    if (file == nullptr) return 0;

    static ProgressStore store;
    prepare(store);
    static ProgressStore before;
    before = store;

    LoadTrace trace;
    const bool loaded = loadProblemStream(file, store, &trace);
    std::fclose(file);

    require(trace.opened);
    require(trace.problemCount >= 0 && trace.problemCount <= maxProblemsPerFile);
    require(trace.linesRead <= trace.problemCount + 1);
    if (!loaded) {
        require(std::memcmp(store.problems, before.problems, sizeof store.problems) == 0);
        require(store.problemCount == before.problemCount);
        require(store.records == before.records);
        require(store.currentRecordIndex == before.currentRecordIndex);
        require(store.header.savedGameFlag == before.header.savedGameFlag);
        require(trace.problemCount == 0);
    } else {
        require(store.problemCount == trace.problemCount && store.problemCount >= 1);
        for (int i = 0; i < store.problemCount; ++i) {
            require(isCompletionOf(store.problems[i].givens, store.problems[i].solution));
        }
        require(store.currentRecordIndex >= 0 &&
                static_cast<std::size_t>(store.currentRecordIndex) < store.records.size());
        require(store.records[static_cast<std::size_t>(store.currentRecordIndex)].fileKey ==
                trace.key);
        const bool known = trace.key == 0x12345678u || trace.key == 0xFFFFFFFFu;
        require(store.records.size() == (known ? 2u : 3u));
        require(store.header.savedGameFlag == (known ? 1 : -1));
        require(std::equal(before.records.begin(), before.records.end(), store.records.begin()));
    }
    return 0;
}
