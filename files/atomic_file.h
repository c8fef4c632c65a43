// Replacing a file, or adding a new one, so that a failure at any moment leaves either the old
// contents or the whole new file, never a half-written one. Defined in atomic_file.cpp (POSIX)
// and atomic_file_win.cpp.
#pragma once

#include <cstddef>

namespace korvani {

// Capacity of a path buffer that holds a save path and the temporary suffix.
inline constexpr std::size_t temporaryPathCapacity = 520;

// The temporary file beside `path`: `path` followed by ".tmp". False when it does not fit.
bool temporaryPathFor(const char* path, char* out, std::size_t capacity);

// Writes `size` bytes to the temporary file beside `path`, flushes them to the disk and only then
// moves the temporary file over `path`. True only when all of that succeeded. On failure the file
// at `path` is as it was and the temporary file is removed.
bool writeFileAtomically(const char* path, const void* data, std::size_t size);

enum class NewFileResult {
    written,
    exists, // a file of that name is there already and was left alone
    failed, // could not be written (read-only folder, full disk): nothing is left behind
};

// Like writeFileAtomically, but for a file that must not exist yet: the complete temporary file
// is moved to `path` only when nothing is there, in one step that cannot replace a file that
// appeared meanwhile.
NewFileResult writeNewFileAtomically(const char* path, const void* data, std::size_t size);

} // namespace korvani
