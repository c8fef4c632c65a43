// Replacing a file so that a failure at any moment leaves either the old or the new contents,
// never a half-written file. Defined in atomic_file.cpp (POSIX) and atomic_file_win.cpp.
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

} // namespace korvani
