// The progress store: the save file's header as held in memory, the per-file records of clear
// times, the puzzles of the current problem file and the indices that tie them together.
#pragma once

#include "core/problem.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvani {

inline constexpr std::size_t saveHeaderSize = 164;
inline constexpr std::size_t progressRecordSize = 64;
inline constexpr int savePathCapacity = 512;

// One record per problem file ever loaded; matched by fileKey alone.
struct ProgressRecord {
    std::uint32_t fileKey = 0;
    std::int16_t clearSeconds[maxProblemsPerFile] = {}; // 0 = not cleared
    bool operator==(const ProgressRecord&) const = default;
};
static_assert(sizeof(ProgressRecord) == progressRecordSize);

// The fields of the save file's first 164 bytes, in file order (little-endian integers in the
// file), all but the record count at offset 64: that is the size of the store's record table.
struct SaveHeader {
    char problemFileName[64];
    std::int32_t currentProblemIndex;
    std::int32_t savedGameFlag; // -1: no stored game; anything else: a stored game
    std::int32_t savedElapsedSeconds;
    CellGrid savedUserGrid;
    std::uint8_t padding[3];
};
// No padding between the fields: headers are compared byte for byte.
static_assert(sizeof(SaveHeader) == saveHeaderSize - sizeof(std::int32_t));

struct ProgressStore {
    char savePath[savePathCapacity] = {}; // UTF-8 on Windows (file_names.h)
    SaveHeader header = {};
    std::vector<ProgressRecord> records; // in the save file's order
    Problem problems[maxProblemsPerFile] = {};
    std::int32_t problemCount = 0;
    std::int32_t dirPrefixLength = 0;
    std::int32_t currentRecordIndex = -1;
};

} // namespace korvani
