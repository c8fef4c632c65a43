// The records log's bytes, its path beside the save file, the tolerant reader and the append
// that replaces the whole file only once the new one is complete.
#include "progress/records_log.h"

#include "core/crc32c.h"
#include "files/open_file.h"
#include "progress/file_names.h"
#include "progress/little_endian.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace korvani {

namespace {

constexpr std::uint8_t magic[4] = {'K', 'V', 'L', 'G'};
constexpr std::size_t checksummedBytes = 20;
constexpr std::int32_t clockLimit = 3599;

std::uint32_t recordChecksum(const std::uint8_t* record) {
    std::uint32_t table[256];
    buildCrc32cTable(table);
    return ~updateCrc32c(table, crc32cInitial, record, checksummedBytes);
}

std::int32_t clamp(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value < low ? low : value > high ? high : value;
}

} // namespace

void encodeClearRecord(const ClearRecord& record, std::uint8_t* out) {
    putUint32(out, record.fileKey);
    out[4] = static_cast<std::uint8_t>(clamp(record.problemIndex, 0, maxProblemsPerFile - 1));
    out[5] = static_cast<std::uint8_t>(record.grade);
    out[6] = record.flags & clearFlagsAll;
    out[7] = 0;
    putUint32(out + 8, static_cast<std::uint32_t>(clamp(record.seconds, 0, clockLimit)));
    const auto date = static_cast<std::uint64_t>(record.date);
    putUint32(out + 12, static_cast<std::uint32_t>(date));
    putUint32(out + 16, static_cast<std::uint32_t>(date >> 32));
    putUint32(out + 20, recordChecksum(out));
}

bool decodeClearRecord(const std::uint8_t* in, ClearRecord& record) {
    if (getUint32(in + 20) != recordChecksum(in)) return false;
    const std::uint32_t seconds = getUint32(in + 8);
    if (in[4] >= maxProblemsPerFile || (in[6] & ~clearFlagsAll) != 0 || in[7] != 0 ||
        seconds > static_cast<std::uint32_t>(clockLimit))
        return false;
    record.fileKey = getUint32(in);
    record.problemIndex = in[4];
    record.grade = static_cast<std::int8_t>(in[5]);
    record.flags = in[6];
    record.seconds = static_cast<std::int32_t>(seconds);
    record.date = static_cast<std::int64_t>(static_cast<std::uint64_t>(getUint32(in + 16)) << 32 |
                                            getUint32(in + 12));
    return true;
}

std::size_t recordsLogSize(std::size_t count) {
    return recordsLogHeaderSize + count * clearRecordSize;
}

void encodeRecordsLog(const ClearRecord* records, std::size_t count, std::uint8_t* out) {
    std::memcpy(out, magic, sizeof magic);
    putUint32(out + 4, recordsLogVersion);
    for (std::size_t i = 0; i < count; ++i) encodeClearRecord(records[i], out + recordsLogSize(i));
}

std::vector<ClearRecord> decodeRecordsLog(const std::uint8_t* data, std::size_t size) {
    std::vector<ClearRecord> records;
    if (data == nullptr || size < recordsLogHeaderSize || std::memcmp(data, magic, 4) != 0 ||
        getUint32(data + 4) != recordsLogVersion)
        return records;
    std::size_t whole = (size - recordsLogHeaderSize) / clearRecordSize;
    if (whole > recordsLogMaxRecords) whole = recordsLogMaxRecords;
    records.reserve(whole);
    for (std::size_t i = 0; i < whole; ++i) {
        ClearRecord record;
        if (decodeClearRecord(data + recordsLogSize(i), record)) records.push_back(record);
    }
    return records;
}

bool deriveRecordsLogPath(const char* savePath, char* out, std::size_t capacity) {
    return replaceSaveExtension(savePath, "log", out, capacity);
}

std::vector<ClearRecord> readRecordsLog(const char* path) {
    std::FILE* stream = openFile(path, "rb");
    if (stream == nullptr) return {};
    // The file is read in pieces so that its size is never trusted beyond what arrives.
    const std::size_t limit = recordsLogSize(recordsLogMaxRecords);
    std::vector<std::uint8_t> bytes;
    std::size_t size = 0;
    while (size < limit) {
        if (size == bytes.size()) bytes.resize(std::min(limit, bytes.empty() ? 4096 : 2 * size));
        const std::size_t got = std::fread(bytes.data() + size, 1, bytes.size() - size, stream);
        size += got;
        if (got == 0) break;
    }
    std::fclose(stream);
    return decodeRecordsLog(bytes.data(), size);
}

bool appendClearRecord(const ProgressStore& store, const ClearRecord& record,
                       SaveFileWriter writer) {
    char path[savePathCapacity];
    if (writer == nullptr || !deriveRecordsLogPath(store.savePath, path, sizeof path)) return false;
    const std::vector<ClearRecord> records = readRecordsLog(path);
    std::vector<std::uint8_t> bytes(recordsLogSize(records.size() + 1));
    encodeRecordsLog(records.data(), records.size(), bytes.data());
    encodeClearRecord(record, bytes.data() + recordsLogSize(records.size()));
    return writer(path, bytes.data(), bytes.size());
}

} // namespace korvani
