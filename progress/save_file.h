// The save file's bytes: the save path beside the executable, the 164-byte header and 64-byte
// records in little-endian order, and reading a file that may be short, cut or damaged without
// ever trusting its counts. No platform calls: the game, the tests and the fuzzer share it.
#pragma once

#include "progress/progress_store.h"

#include <cstddef>
#include <cstdint>

namespace korvani {

// Length of the directory part of the first `length` characters of a code page 932 path: up to
// and including the last separator ('\\' or '/'), 0 when there is none. The second byte of a
// double-byte character can be 0x5C (ソ is 83 5C) and is never a separator. The save path and
// the Open-problem dialog's listing both take the executable's folder from this.
std::size_t directoryPrefix(const char* path, std::size_t length);

// Fills savePath and dirPrefixLength from the executable's path, `length` characters as
// GetModuleFileNameA returned them: the last three characters become "sav" by position.
// False, with savePath empty and dirPrefixLength 0, when no save file may be used there: an
// empty path, one that filled the 512-byte buffer (GetModuleFileNameA then returns a cut path),
// or one whose last three characters hold a separator (the save file would leave the folder).
// Paths are code page 932: the second byte of a double-byte character is never a separator.
bool deriveSavePath(ProgressStore& store, const char* modulePath, std::size_t length);

// The same for a UTF-8 path, as the Windows side has it from GetModuleFileNameW: the directory
// is cut at the last separator byte. Also false when the last three bytes are not all ASCII
// ("sav" would replace part of a character).
bool deriveSavePathUtf8(ProgressStore& store, const char* modulePath, std::size_t length);

// A file beside the save file: `savePath` with its last three characters ("sav", put there by
// position when the save path was derived) replaced by the three of `extension`. False, with
// `out` empty when it has room, unless the save path ends in "sav" and fits `capacity` with its
// terminator.
bool replaceSaveExtension(const char* savePath, const char* extension, char* out,
                          std::size_t capacity);

// Whether the header's problemFileName can name a problem file: a non-empty bare file name,
// NUL-terminated within its 64 bytes, with no '\', '/' or ':' (the Open-problem dialog only ever
// stores names of files in the executable's folder). Double-byte characters count whole.
bool problemFileNameUsable(const SaveHeader& header);

// The header's saveHeaderSize bytes: its fields with `recordCount` at offset 64.
void encodeSaveHeader(const SaveHeader& header, std::int32_t recordCount, std::uint8_t* out);
// The fields from saveHeaderSize bytes; returns the record count stored at offset 64.
std::int32_t decodeSaveHeader(const std::uint8_t* in, SaveHeader& header);
void encodeProgressRecord(const ProgressRecord& record, std::uint8_t* out); // 64 bytes
void decodeProgressRecord(const std::uint8_t* in, ProgressRecord& record);  // 64 bytes

// Length of the whole file for the store as it stands: the header and every record.
std::size_t saveFileSize(const ProgressStore& store);

// Writes saveFileSize(store) bytes: the header as held in memory, then the records.
void encodeSaveFile(const ProgressStore& store, std::uint8_t* out);

// Where the bytes of a save file come from: fills `buffer` with up to `size` bytes and returns
// how many it placed; fewer only at the end of the file or on a read error.
using SaveByteSource = std::size_t (*)(void* context, void* buffer, std::size_t size);

// Reads a whole save file into the store, replacing its header and records. The header starts
// all zero, so a file shorter than 164 bytes leaves the fields it does not reach at 0. Only
// records that are present whole are read: as many as the stored count says when the file
// holds at least that many, otherwise every whole record that is there (all of them for a
// negative count); a trailing part of a record is dropped. The table grows with the bytes that
// actually arrive, never from the stored count.
void readSaveFile(ProgressStore& store, SaveByteSource source, void* context);

// The same for a save file already in memory.
void decodeSaveFile(ProgressStore& store, const std::uint8_t* data, std::size_t size);

enum class SaveFileRead { read, missing };

// The same from the file at `path`, opened for binary reading. `missing` when it cannot be
// opened; the store is then unchanged.
SaveFileRead readSaveFile(ProgressStore& store, const char* path);

// Writes `size` bytes as the file at `path`; true only when they all reached it.
using SaveFileWriter = bool (*)(const char* path, const void* data, std::size_t size);

// Encodes the store and hands the bytes to `writer` for savePath. False when nothing or not
// everything was written: no save path, or the writer failed.
bool writeSaveFile(const ProgressStore& store, SaveFileWriter writer);

} // namespace korvani
