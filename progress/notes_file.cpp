// The notes file's bytes, its path beside the save file, and the checks that keep a damaged or
// foreign file from ever reaching the game.
#include "progress/notes_file.h"

#include "core/crc32c.h"
#include "progress/file_names.h"
#include "progress/progress_records.h"

#include <cstdio>
#include <cstring>

namespace korvani {

namespace {

constexpr std::uint8_t magic[4] = {'K', 'V', 'N', 'T'};
constexpr std::size_t offsetVersion = 4;
constexpr std::size_t offsetFileKey = 8;
constexpr std::size_t offsetIndex = 12;
constexpr std::size_t offsetNotes = 16;
constexpr std::size_t offsetGrid = 178;
constexpr std::size_t offsetChecksum = 259;
static_assert(offsetGrid == offsetNotes + 2 * 81 && offsetChecksum == offsetGrid + 81 &&
              notesFileSize == offsetChecksum + 4);

void putUint32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t getUint32(const std::uint8_t* in) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | in[i];
    return value;
}

std::uint32_t checksum(const std::uint8_t* data) {
    std::uint32_t table[256];
    buildCrc32cTable(table);
    return ~updateCrc32c(table, crc32cInitial, data, offsetChecksum);
}

} // namespace

bool deriveNotesPath(const char* savePath, char* out, std::size_t capacity) {
    return replaceSaveExtension(savePath, "mem", out, capacity);
}

void encodeNotesFile(const NotesFile& file, std::uint8_t* out) {
    std::memcpy(out, magic, sizeof magic);
    putUint32(out + offsetVersion, notesFileVersion);
    putUint32(out + offsetFileKey, file.fileKey);
    putUint32(out + offsetIndex, static_cast<std::uint32_t>(file.problemIndex));
    for (int cell = 0; cell < 81; ++cell) {
        out[offsetNotes + 2 * cell] = static_cast<std::uint8_t>(file.notes[cell]);
        out[offsetNotes + 2 * cell + 1] = static_cast<std::uint8_t>(file.notes[cell] >> 8);
    }
    std::memcpy(out + offsetGrid, file.userGrid.data(), 81);
    putUint32(out + offsetChecksum, checksum(out));
}

bool decodeNotesFile(const std::uint8_t* data, std::size_t size, NotesFile& file) {
    if (data == nullptr || size != notesFileSize) return false;
    if (std::memcmp(data, magic, sizeof magic) != 0 ||
        getUint32(data + offsetVersion) != notesFileVersion ||
        getUint32(data + offsetChecksum) != checksum(data))
        return false;
    NotesFile decoded;
    decoded.fileKey = getUint32(data + offsetFileKey);
    decoded.problemIndex = static_cast<std::int32_t>(getUint32(data + offsetIndex));
    if (decoded.problemIndex < 0 || decoded.problemIndex >= maxProblemsPerFile) return false;
    for (int cell = 0; cell < 81; ++cell) {
        const std::uint8_t digit = data[offsetGrid + cell];
        const auto mask = static_cast<DigitMask>(data[offsetNotes + 2 * cell] |
                                                 data[offsetNotes + 2 * cell + 1] << 8);
        if (digit > 9 || mask > allDigits || (digit != 0 && mask != 0)) return false;
        decoded.userGrid[cell] = digit;
        decoded.notes[cell] = mask;
    }
    file = decoded;
    return true;
}

bool notesFileMatches(const NotesFile& file, std::uint32_t fileKey, std::int32_t problemIndex,
                      const CellGrid& givens, const CellGrid& userGrid) {
    if (file.fileKey != fileKey || file.problemIndex != problemIndex || file.userGrid != userGrid)
        return false;
    for (int cell = 0; cell < 81; ++cell)
        if (givens[cell] != 0 && file.notes[cell] != 0) return false;
    return true;
}

bool readNotesFile(const char* path, NotesFile& file) {
    std::FILE* stream = openFile(path, "rb");
    if (stream == nullptr) return false;
    // One byte more than a notes file holds, so a longer file is told from a whole one.
    std::uint8_t bytes[notesFileSize + 1];
    const std::size_t size = std::fread(bytes, 1, sizeof bytes, stream);
    std::fclose(stream);
    return decodeNotesFile(bytes, size, file);
}

bool saveNotes(const ProgressStore& store, const CellGrid& userGrid, const NoteGrid& notes,
               SaveFileWriter writer) {
    char path[savePathCapacity];
    const ProgressRecord* record = currentRecord(store);
    if (writer == nullptr || record == nullptr ||
        !deriveNotesPath(store.savePath, path, sizeof path))
        return false;
    NotesFile file;
    file.fileKey = record->fileKey;
    file.problemIndex = store.header.currentProblemIndex;
    file.userGrid = userGrid;
    file.notes = notes;
    std::uint8_t bytes[notesFileSize];
    encodeNotesFile(file, bytes);
    return writer(path, bytes, sizeof bytes);
}

bool restoreNotes(const ProgressStore& store, const CellGrid& givens, const CellGrid& userGrid,
                  NoteGrid& notes) {
    notes.fill(0);
    char path[savePathCapacity];
    const ProgressRecord* record = currentRecord(store);
    NotesFile file;
    if (record == nullptr || !deriveNotesPath(store.savePath, path, sizeof path) ||
        !readNotesFile(path, file) ||
        !notesFileMatches(file, record->fileKey, store.header.currentProblemIndex, givens,
                          userGrid))
        return false;
    notes = file.notes;
    return true;
}

} // namespace korvani
