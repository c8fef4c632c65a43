// The records log: one record per clear, kept beside the save file under the save path with
// "log" in place of its last three characters, so the save file keeps its bytes. Each clear is
// appended by writing the whole log again and replacing the old one only once the new one is
// complete; each record carries its own checksum, so a damaged record or a cut tail loses only
// itself when the log is read.
//
// Layout, integers little-endian:
//   0   4  magic "KVLG"
//   4   4  version, 1
//   8  24  per record:
//        0  4  fileKey: the problem file's key
//        4  1  problemIndex: 0 .. 29
//        5  1  grade: the puzzle's difficulty, a signed byte
//        6  1  flags: clearUsedHint | clearPlacedWrong, no other bit
//        7  1  0
//        8  4  seconds: the clear time, 0 .. 3599
//        12 8  date: seconds since 1970-01-01 UTC, signed; 0 when unknown
//        20 4  CRC-32C of the record's bytes 0 .. 19
#pragma once

#include "progress/progress_store.h"
#include "progress/save_file.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvani {

inline constexpr std::size_t recordsLogHeaderSize = 8;
inline constexpr std::size_t clearRecordSize = 24;
inline constexpr std::uint32_t recordsLogVersion = 1;
// A log longer than this many records is read only up to it (about 24 MB).
inline constexpr std::size_t recordsLogMaxRecords = 1u << 20;

// What a clear's record says about how the puzzle was solved.
inline constexpr std::uint8_t clearUsedHint = 1; // a hint was asked for
inline constexpr std::uint8_t clearPlacedWrong =
    2; // a digit that differs from the solution was placed
inline constexpr std::uint8_t clearFlagsAll = clearUsedHint | clearPlacedWrong;

struct ClearRecord {
    std::uint32_t fileKey = 0;
    std::int32_t problemIndex = 0;
    std::int8_t grade = 0;
    std::uint8_t flags = 0;
    std::int32_t seconds = 0;
    std::int64_t date = 0; // 0: unknown
    bool operator==(const ClearRecord&) const = default;
};

// Writes clearRecordSize bytes. The fields must be in range (index 0 .. 29, known flags,
// seconds 0 .. 3599); encodeClearRecord clamps them so that what it writes always reads back.
void encodeClearRecord(const ClearRecord& record, std::uint8_t* out);
// True for a record whose checksum fits and whose fields are in range.
bool decodeClearRecord(const std::uint8_t* in, ClearRecord& record);

// The log's bytes for `count` records: the header, then the records.
std::size_t recordsLogSize(std::size_t count);
void encodeRecordsLog(const ClearRecord* records, std::size_t count, std::uint8_t* out);

// Reads a log in memory: without the magic and version nothing is read; otherwise every whole
// record that decodes, in file order, skipping damaged ones and a cut tail.
std::vector<ClearRecord> decodeRecordsLog(const std::uint8_t* data, std::size_t size);

// The log path for a save path: "log" in place of its last three characters ("sav").
bool deriveRecordsLogPath(const char* savePath, char* out, std::size_t capacity);

// Reads the log at `path`; an absent or unreadable file gives no records.
std::vector<ClearRecord> readRecordsLog(const char* path);

// Appends one clear to the log beside store.savePath: the records that read back, then this one,
// handed to `writer` (writeFileAtomically) as the whole new file. False when there is no save
// path or the writer failed; the old log then stays as it was.
bool appendClearRecord(const ProgressStore& store, const ClearRecord& record,
                       SaveFileWriter writer);

} // namespace korvani
