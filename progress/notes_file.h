// The notes file: the player's notes of the unfinished game, kept beside the save file under the
// save path with "mem" in place of its last three characters, so the save file's bytes stay
// exactly what they are without notes. The file names the game it belongs to (the problem file's
// key, the puzzle's index, the placed digits) and carries a checksum; a file that is absent,
// damaged, cut short or of another game is ignored and the game starts without notes.
//
// Layout, 263 bytes, integers little-endian:
//   0    4  magic "KVNT"
//   4    4  version, 1
//   8    4  fileKey: the problem file's key (its ProgressRecord's fileKey)
//   12   4  problemIndex: 0 .. 29
//   16 162  notes: 81 DigitMasks of 2 bytes, row-major, each 0 .. 0x1FF, 0 on a cell with a digit
//   178 81  userGrid: the placed digits, 0 .. 9
//   259  4  CRC-32C (reflected 0x82F63B78, initial and final XOR 0xFFFFFFFF) of bytes 0 .. 258
//
// A game that was paused, or that used a hint or placed a wrong digit, is written as version 2,
// 267 bytes: the same fields, then at 259 the game's flags (4 bytes: notesFlagPaused and the
// records log's clearUsedHint and clearPlacedWrong), then the CRC-32C of bytes 0 .. 262. A game
// without any of them keeps the version 1 bytes exactly.
#pragma once

#include "core/grid.h"
#include "progress/progress_store.h"
#include "progress/save_file.h"

#include <cstddef>
#include <cstdint>

namespace korvani {

inline constexpr std::size_t notesFileSize = 263;
inline constexpr std::uint32_t notesFileVersion = 1;
inline constexpr std::size_t notesFileWithFlagsSize = 267;
inline constexpr std::uint32_t notesFileWithFlagsVersion = 2;

// The game's flags beside its notes: the low byte holds the records log's clear flags.
inline constexpr std::uint32_t notesFlagPaused = 0x100;
inline constexpr std::uint32_t notesFlagsKnown = notesFlagPaused | 0x03;

struct NotesFile {
    std::uint32_t fileKey = 0;
    std::int32_t problemIndex = 0;
    CellGrid userGrid{};
    NoteGrid notes{};
    std::uint32_t flags = 0;
};

// How many bytes encodeNotesFile writes for this file: version 1 without flags, 2 with.
std::size_t encodedNotesFileSize(const NotesFile& file);

// The notes path for a save path: its last three characters ("sav", put there by position when
// the save path was derived) become "mem". False, with `out` empty when it has room, unless the
// save path ends in "sav" and fits `capacity` with its terminator.
bool deriveNotesPath(const char* savePath, char* out, std::size_t capacity);

void encodeNotesFile(const NotesFile& file, std::uint8_t* out); // encodedNotesFileSize bytes

// True only for exactly notesFileSize bytes of version 1, or notesFileWithFlagsSize bytes of
// version 2, with the magic and a matching checksum, whose fields are in range: an index 0 .. 29,
// digits 0 .. 9, masks 0 .. 0x1FF, no note on a cell with a placed digit, and only known flags.
// `file` is written only on success.
bool decodeNotesFile(const std::uint8_t* data, std::size_t size, NotesFile& file);

// Whether a decoded file belongs to this game: the same key, index and placed digits, and no
// note on a given cell.
bool notesFileMatches(const NotesFile& file, std::uint32_t fileKey, std::int32_t problemIndex,
                      const CellGrid& givens, const CellGrid& userGrid);

// Reads and decodes the file at `path`; false when it is absent, unreadable or does not decode.
bool readNotesFile(const char* path, NotesFile& file);

// What the game calls on exit, beside saveProgress: writes the notes of the current puzzle to
// the notes path of store.savePath through `writer` (writeFileAtomically). False when there is
// no save path or current record, or the writer failed.
bool saveNotes(const ProgressStore& store, const CellGrid& userGrid, const NoteGrid& notes,
               SaveFileWriter writer, std::uint32_t flags = 0);

// What the game calls at start-up after it resumed a stored game: `notes` becomes the notes
// kept for exactly this game (current record's key, current index, givens and placed digits),
// or all empty when there are none; true when notes were restored. `flags`, when given, becomes
// the game's flags kept with them, or 0.
bool restoreNotes(const ProgressStore& store, const CellGrid& givens, const CellGrid& userGrid,
                  NoteGrid& notes, std::uint32_t* flags = nullptr);

} // namespace korvani
