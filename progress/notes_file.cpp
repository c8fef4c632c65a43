// The notes file's bytes, its path beside the save file, and the checks that keep a damaged or
// foreign file from ever reaching the game.
#include "progress/notes_file.h"

#include "core/crc32c.h"
#include "files/open_file.h"
#include "progress/file_names.h"
#include "progress/little_endian.h"
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
constexpr std::size_t offsetFlags = 259; // version 2 only; version 1 has its checksum here
static_assert(offsetGrid == offsetNotes + 2 * 81 && offsetFlags == offsetGrid + 81 &&
              notesFileSize == offsetFlags + 4 && notesFileWithFlagsSize == offsetFlags + 8);

// The checksum covers everything before it: the last four bytes of a file of `size` bytes.
std::uint32_t checksum(const std::uint8_t* data, std::size_t size) {
    std::uint32_t table[256];
    buildCrc32cTable(table);
    return ~updateCrc32c(table, crc32cInitial, data, size - 4);
}

} // namespace

bool deriveNotesPath(const char* savePath, char* out, std::size_t capacity) {
    return replaceSaveExtension(savePath, "mem", out, capacity);
}

std::size_t encodedNotesFileSize(const NotesFile& file) {
    return file.flags == 0 ? notesFileSize : notesFileWithFlagsSize;
}

void encodeNotesFile(const NotesFile& file, std::uint8_t* out) {
    const std::size_t size = encodedNotesFileSize(file);
    std::memcpy(out, magic, sizeof magic);
    putUint32(out + offsetVersion,
              size == notesFileSize ? notesFileVersion : notesFileWithFlagsVersion);
    putUint32(out + offsetFileKey, file.fileKey);
    putUint32(out + offsetIndex, static_cast<std::uint32_t>(file.problemIndex));
    for (int cell = 0; cell < 81; ++cell) {
        out[offsetNotes + 2 * cell] = static_cast<std::uint8_t>(file.notes[cell]);
        out[offsetNotes + 2 * cell + 1] = static_cast<std::uint8_t>(file.notes[cell] >> 8);
    }
    std::memcpy(out + offsetGrid, file.userGrid.data(), 81);
    if (size == notesFileWithFlagsSize) putUint32(out + offsetFlags, file.flags);
    putUint32(out + size - 4, checksum(out, size));
}

bool decodeNotesFile(const std::uint8_t* data, std::size_t size, NotesFile& file) {
    if (data == nullptr || (size != notesFileSize && size != notesFileWithFlagsSize)) return false;
    const std::uint32_t version =
        size == notesFileSize ? notesFileVersion : notesFileWithFlagsVersion;
    if (std::memcmp(data, magic, sizeof magic) != 0 || getUint32(data + offsetVersion) != version ||
        getUint32(data + size - 4) != checksum(data, size))
        return false;
    NotesFile decoded;
    if (version == notesFileWithFlagsVersion) {
        decoded.flags = getUint32(data + offsetFlags);
        // Written only with a flag set, and with known ones only.
        if (decoded.flags == 0 || (decoded.flags & ~notesFlagsKnown) != 0) return false;
    }
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
    std::uint8_t bytes[notesFileWithFlagsSize + 1];
    const std::size_t size = std::fread(bytes, 1, sizeof bytes, stream);
    std::fclose(stream);
    return decodeNotesFile(bytes, size, file);
}

bool saveNotes(const ProgressStore& store, const CellGrid& userGrid, const NoteGrid& notes,
               SaveFileWriter writer, std::uint32_t flags) {
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
    file.flags = flags & notesFlagsKnown;
    std::uint8_t bytes[notesFileWithFlagsSize];
    encodeNotesFile(file, bytes);
    return writer(path, bytes, encodedNotesFileSize(file));
}

bool restoreNotes(const ProgressStore& store, const CellGrid& givens, const CellGrid& userGrid,
                  NoteGrid& notes, std::uint32_t* flags) {
    notes.fill(0);
    if (flags != nullptr) *flags = 0;
    char path[savePathCapacity];
    const ProgressRecord* record = currentRecord(store);
    NotesFile file;
    if (record == nullptr || !deriveNotesPath(store.savePath, path, sizeof path) ||
        !readNotesFile(path, file) ||
        !notesFileMatches(file, record->fileKey, store.header.currentProblemIndex, givens,
                          userGrid))
        return false;
    notes = file.notes;
    if (flags != nullptr) *flags = file.flags;
    return true;
}

} // namespace korvani
