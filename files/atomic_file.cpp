// The temporary path beside a file, and (outside Windows, where atomic_file_win.cpp takes over)
// the atomic replacement with POSIX calls: write, fsync, then rename over the old file, or link
// to a name that must be new.
#include "files/atomic_file.h"

#include <cstring>

#if !defined(_WIN32)
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace korvani {

bool temporaryPathFor(const char* path, char* out, std::size_t capacity) {
    static constexpr char suffix[] = ".tmp";
    const std::size_t length = std::strlen(path);
    if (length == 0 || length + sizeof suffix > capacity) return false;
    std::memcpy(out, path, length);
    std::memcpy(out + length, suffix, sizeof suffix);
    return true;
}

#if !defined(_WIN32)

namespace {

bool writeAll(int descriptor, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(descriptor, bytes, size);
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The whole of `data` in the temporary file, on the disk. On failure nothing is left.
bool writeTemporary(const char* temporary, const void* data, std::size_t size) {
    const int descriptor = ::open(temporary, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (descriptor < 0) return false;
    const bool written = writeAll(descriptor, data, size) && ::fsync(descriptor) == 0;
    const bool closed = ::close(descriptor) == 0;
    if (written && closed) return true;
    ::unlink(temporary);
    return false;
}

} // namespace

bool writeFileAtomically(const char* path, const void* data, std::size_t size) {
    char temporary[temporaryPathCapacity];
    if (!temporaryPathFor(path, temporary, sizeof temporary)) return false;
    if (!writeTemporary(temporary, data, size)) return false;
    if (std::rename(temporary, path) != 0) {
        ::unlink(temporary);
        return false;
    }
    return true;
}

NewFileResult writeNewFileAtomically(const char* path, const void* data, std::size_t size) {
    char temporary[temporaryPathCapacity];
    if (!temporaryPathFor(path, temporary, sizeof temporary)) return NewFileResult::failed;
    if (!writeTemporary(temporary, data, size)) return NewFileResult::failed;
    // link refuses a name that exists, where rename would replace it.
    const int linked = ::link(temporary, path);
    const int linkError = errno;
    ::unlink(temporary);
    if (linked == 0) return NewFileResult::written;
    return linkError == EEXIST ? NewFileResult::exists : NewFileResult::failed;
}

#endif

} // namespace korvani
