// The save file's byte layout and its damage-tolerant reader.
#include "progress/save_file.h"

#include "files/open_file.h"
#include "progress/file_names.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace korvani {

namespace {

void putInt32(std::uint8_t* out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    out[0] = static_cast<std::uint8_t>(bits);
    out[1] = static_cast<std::uint8_t>(bits >> 8);
    out[2] = static_cast<std::uint8_t>(bits >> 16);
    out[3] = static_cast<std::uint8_t>(bits >> 24);
}

std::uint32_t getUint32(const std::uint8_t* in) {
    return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
           static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}

std::int32_t getInt32(const std::uint8_t* in) {
    return static_cast<std::int32_t>(getUint32(in));
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// Paths and names are code page 932: the second byte of a double-byte character can be 0x5C,
// the byte of '\\' (as in 表, 95 5C), and is never a separator.
bool isLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Offsets of the header fields in the file.
constexpr std::size_t offsetRecordCount = 64;
constexpr std::size_t offsetProblemIndex = 68;
constexpr std::size_t offsetGameFlag = 72;
constexpr std::size_t offsetElapsed = 76;
constexpr std::size_t offsetGrid = 80;
constexpr std::size_t offsetPadding = 161;

// Records are read in batches of this many, so a huge stored count costs nothing until the
// bytes are really there.
constexpr std::size_t recordBatch = 256;
constexpr std::size_t maxRecords = 0x7FFFFFFF;

struct MemorySource {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
};

std::size_t readFromMemory(void* context, void* buffer, std::size_t size) {
    auto* source = static_cast<MemorySource*>(context);
    const std::size_t left = source->size - source->position;
    const std::size_t n = size < left ? size : left;
    if (n > 0) std::memcpy(buffer, source->data + source->position, n);
    source->position += n;
    return n;
}

std::size_t readFromFile(void* context, void* buffer, std::size_t size) {
    return std::fread(buffer, 1, size, static_cast<std::FILE*>(context));
}

// Reads until `size` bytes arrived or the source has no more.
std::size_t readFully(SaveByteSource source, void* context, std::uint8_t* buffer,
                      std::size_t size) {
    std::size_t total = 0;
    while (total < size) {
        const std::size_t n = source(context, buffer + total, size - total);
        if (n == 0) break;
        total += n;
    }
    return total;
}

} // namespace

std::size_t directoryPrefix(const char* path, std::size_t length) {
    std::size_t prefix = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (isLeadByte(path[i]) && i + 1 < length && path[i + 1] != '\0') {
            ++i;
        } else if (isSeparator(path[i])) {
            prefix = i + 1;
        }
    }
    return prefix;
}

namespace {

// savePath from a module path whose directory prefix the caller found in its encoding.
bool deriveSavePathWith(ProgressStore& store, const char* modulePath, std::size_t length,
                        std::size_t (*prefixOf)(const char*, std::size_t)) {
    std::memset(store.savePath, 0, sizeof store.savePath);
    store.dirPrefixLength = 0;
    // GetModuleFileNameA returns the buffer size when the path was cut to fit; a path of 511
    // characters is the longest that arrives whole.
    if (modulePath == nullptr || length < 3 || length >= sizeof store.savePath) return false;
    if (std::memchr(modulePath, '\0', length) != nullptr) return false;
    const std::size_t prefix = prefixOf(modulePath, length);
    // Overwriting a separator would put the save file outside the executable's folder.
    if (prefix > length - 3) return false;
    std::memcpy(store.savePath, modulePath, length);
    store.savePath[length - 3] = 's';
    store.savePath[length - 2] = 'a';
    store.savePath[length - 1] = 'v';
    store.dirPrefixLength = static_cast<std::int32_t>(prefix);
    return true;
}

// In UTF-8 every byte of a character beyond ASCII is 0x80 or above, so the last separator byte
// is the last separator.
std::size_t utf8DirectoryPrefix(const char* path, std::size_t length) {
    std::size_t prefix = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (isSeparator(path[i])) prefix = i + 1;
    }
    return prefix;
}

} // namespace

bool deriveSavePath(ProgressStore& store, const char* modulePath, std::size_t length) {
    return deriveSavePathWith(store, modulePath, length, directoryPrefix);
}

bool deriveSavePathUtf8(ProgressStore& store, const char* modulePath, std::size_t length) {
    // "sav" in place of part of a character would name no file that can be opened.
    for (std::size_t i = length >= 3 ? length - 3 : 0; modulePath != nullptr && i < length; ++i) {
        if (static_cast<unsigned char>(modulePath[i]) >= 0x80) {
            std::memset(store.savePath, 0, sizeof store.savePath);
            store.dirPrefixLength = 0;
            return false;
        }
    }
    return deriveSavePathWith(store, modulePath, length, utf8DirectoryPrefix);
}

bool replaceSaveExtension(const char* savePath, const char* extension, char* out,
                          std::size_t capacity) {
    if (out == nullptr || capacity == 0) return false;
    out[0] = '\0';
    if (savePath == nullptr || extension == nullptr || std::strlen(extension) != 3) return false;
    std::size_t length = 0;
    while (length < capacity && savePath[length] != '\0') ++length;
    if (length < 3 || length >= capacity || std::memcmp(savePath + length - 3, "sav", 3) != 0)
        return false;
    std::memcpy(out, savePath, length - 3);
    std::memcpy(out + length - 3, extension, 4);
    return true;
}

bool problemFileNameUsable(const SaveHeader& header) {
    const char* name = header.problemFileName;
    const void* end = std::memchr(name, '\0', sizeof header.problemFileName);
    if (end == nullptr || end == name) return false;
    const auto length = static_cast<std::size_t>(static_cast<const char*>(end) - name);
    if (directoryPrefix(name, length) != 0) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (isLeadByte(name[i]) && i + 1 < length) {
            ++i;
        } else if (name[i] == ':') {
            return false;
        }
    }
    return true;
}

void encodeSaveHeader(const SaveHeader& header, std::int32_t recordCount, std::uint8_t* out) {
    std::memcpy(out, header.problemFileName, sizeof header.problemFileName);
    putInt32(out + offsetRecordCount, recordCount);
    putInt32(out + offsetProblemIndex, header.currentProblemIndex);
    putInt32(out + offsetGameFlag, header.savedGameFlag);
    putInt32(out + offsetElapsed, header.savedElapsedSeconds);
    std::memcpy(out + offsetGrid, header.savedUserGrid.data(), header.savedUserGrid.size());
    std::memcpy(out + offsetPadding, header.padding, sizeof header.padding);
}

std::int32_t decodeSaveHeader(const std::uint8_t* in, SaveHeader& header) {
    std::memcpy(header.problemFileName, in, sizeof header.problemFileName);
    header.currentProblemIndex = getInt32(in + offsetProblemIndex);
    header.savedGameFlag = getInt32(in + offsetGameFlag);
    header.savedElapsedSeconds = getInt32(in + offsetElapsed);
    std::memcpy(header.savedUserGrid.data(), in + offsetGrid, header.savedUserGrid.size());
    std::memcpy(header.padding, in + offsetPadding, sizeof header.padding);
    return getInt32(in + offsetRecordCount);
}

void encodeProgressRecord(const ProgressRecord& record, std::uint8_t* out) {
    putInt32(out, static_cast<std::int32_t>(record.fileKey));
    for (int i = 0; i < maxProblemsPerFile; ++i) {
        const auto bits = static_cast<std::uint16_t>(record.clearSeconds[i]);
        out[4 + 2 * i] = static_cast<std::uint8_t>(bits);
        out[5 + 2 * i] = static_cast<std::uint8_t>(bits >> 8);
    }
}

void decodeProgressRecord(const std::uint8_t* in, ProgressRecord& record) {
    record.fileKey = getUint32(in);
    for (int i = 0; i < maxProblemsPerFile; ++i) {
        const auto bits = static_cast<std::uint16_t>(in[4 + 2 * i] | in[5 + 2 * i] << 8);
        record.clearSeconds[i] = static_cast<std::int16_t>(bits);
    }
}

std::size_t saveFileSize(const ProgressStore& store) {
    return saveHeaderSize + progressRecordSize * store.records.size();
}

void encodeSaveFile(const ProgressStore& store, std::uint8_t* out) {
    encodeSaveHeader(store.header, static_cast<std::int32_t>(store.records.size()), out);
    std::uint8_t* at = out + saveHeaderSize;
    for (const ProgressRecord& record : store.records) {
        encodeProgressRecord(record, at);
        at += progressRecordSize;
    }
}

void readSaveFile(ProgressStore& store, SaveByteSource source, void* context) {
    store.records.clear();
    std::uint8_t headerBytes[saveHeaderSize] = {};
    readFully(source, context, headerBytes, saveHeaderSize);
    const std::int32_t stored = decodeSaveHeader(headerBytes, store.header);

    // A count that is negative or larger than what the file holds is not believed: every whole
    // record present is kept instead, so that none read whole is lost on the next save.
    const std::size_t wanted = stored >= 0 ? static_cast<std::size_t>(stored) : maxRecords;
    std::uint8_t batch[recordBatch * progressRecordSize];
    while (store.records.size() < wanted) {
        std::size_t ask = wanted - store.records.size();
        if (ask > recordBatch) ask = recordBatch;
        const std::size_t got = readFully(source, context, batch, ask * progressRecordSize);
        const std::size_t whole = got / progressRecordSize;
        for (std::size_t i = 0; i < whole; ++i) {
            decodeProgressRecord(batch + i * progressRecordSize, store.records.emplace_back());
        }
        if (got < ask * progressRecordSize) break;
    }
}

void decodeSaveFile(ProgressStore& store, const std::uint8_t* data, std::size_t size) {
    MemorySource source{data, data != nullptr ? size : 0, 0};
    readSaveFile(store, readFromMemory, &source);
}

SaveFileRead readSaveFile(ProgressStore& store, const char* path) {
    std::FILE* file = openFile(path, "rb");
    if (file == nullptr) return SaveFileRead::missing;
    readSaveFile(store, readFromFile, file);
    std::fclose(file);
    return SaveFileRead::read;
}

bool writeSaveFile(const ProgressStore& store, SaveFileWriter writer) {
    if (store.savePath[0] == '\0' || writer == nullptr) return false;
    std::vector<std::uint8_t> bytes(saveFileSize(store));
    encodeSaveFile(store, bytes.data());
    return writer(store.savePath, bytes.data(), bytes.size());
}

} // namespace korvani
