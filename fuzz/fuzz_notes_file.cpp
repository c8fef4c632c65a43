// Arbitrary bytes as the notes file beside a save path, read as start-up reads it after resuming
// a game. Aborts on anything a damaged file must never cause: a file accepted with a field out of
// range or a note on a digit, an accepted file that does not encode back to the same bytes, the
// file reader and the memory reader disagreeing, or notes restored for a game they do not match.
#include "core/crc32c.h"
#include "fuzz/scratch_folder.h"
#include "progress/notes_file.h"
#include "progress/progress_records.h"
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

bool sameFile(const NotesFile& a, const NotesFile& b) {
    return a.fileKey == b.fileKey && a.problemIndex == b.problemIndex && a.userGrid == b.userGrid &&
           a.notes == b.notes && a.flags == b.flags;
}

void checkInRange(const NotesFile& file) {
    check(file.problemIndex >= 0 && file.problemIndex < maxProblemsPerFile);
    check((file.flags & ~notesFlagsKnown) == 0);
    for (int cell = 0; cell < 81; ++cell) {
        check(file.userGrid[cell] <= 9);
        check(file.notes[cell] <= allDigits);
        check(file.userGrid[cell] == 0 || file.notes[cell] == 0);
    }
}

void exercise(const std::uint8_t* data, std::size_t size) {
    NotesFile decoded;
    const bool accepted = decodeNotesFile(data, size, decoded);
    if (accepted) {
        checkInRange(decoded);
        std::uint8_t again[notesFileWithFlagsSize];
        check(encodedNotesFileSize(decoded) == size);
        encodeNotesFile(decoded, again);
        check(std::memcmp(again, data, size) == 0);
    }

    // The same bytes on the disk, beside the save path of a store whose current game is the one
    // the file names (or, for a rejected file, the last one accepted).
    static NotesFile game;
    if (accepted) game = decoded;
    ProgressStore store;
    check(deriveSavePath(store, exePath.c_str(), exePath.size()));
    store.records.resize(1);
    store.records[0].fileKey = game.fileKey;
    store.currentRecordIndex = 0;
    store.header.currentProblemIndex = game.problemIndex;
    char notesPath[savePathCapacity];
    check(deriveNotesPath(store.savePath, notesPath, sizeof notesPath));
    std::FILE* file = std::fopen(notesPath, "wb");
    check(file != nullptr);
    if (size > 0) check(std::fwrite(data, 1, size, file) == size);
    std::fclose(file);

    NotesFile fromDisk;
    check(readNotesFile(notesPath, fromDisk) == accepted);
    if (accepted) check(sameFile(fromDisk, decoded));

    const CellGrid noGivens{};
    NoteGrid notes;
    notes.fill(0xFFFF);
    std::uint32_t flags = 0xFFFFFFFF;
    const bool restored = restoreNotes(store, noGivens, game.userGrid, notes, &flags);
    check(restored == accepted);
    check(flags == (restored ? decoded.flags : 0));
    if (restored) {
        check(notes == decoded.notes);
    } else {
        for (const DigitMask mask : notes) check(mask == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (exePath.empty()) exePath = fuzzing::scratchExePath("notes");
    exercise(data, size);
    // The checksum keeps almost every mutation away from the field checks behind it, so a file of
    // the right length is tried once more with its checksum made to fit: those checks must hold
    // on their own.
    if (size == notesFileSize || size == notesFileWithFlagsSize) {
        std::uint8_t repaired[notesFileWithFlagsSize];
        std::memcpy(repaired, data, size);
        std::uint32_t table[256];
        buildCrc32cTable(table);
        const std::uint32_t crc = ~updateCrc32c(table, crc32cInitial, repaired, size - 4);
        for (int i = 0; i < 4; ++i)
            repaired[size - 4 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
        exercise(repaired, size);
    }
    return 0;
}
