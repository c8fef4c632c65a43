// Atomic replacement of a file on Windows: the bytes go to a temporary file in the same folder,
// FlushFileBuffers puts them on the disk, and MoveFileExW replaces the old file in one step (or,
// for a new file, takes the name only while it is free). The path is UTF-8 (the store's form)
// and goes to the wide functions.
#include "files/atomic_file.h"
#include "text/code_pages.h"

#include <windows.h>

namespace korvani {

namespace {

bool writeAll(HANDLE file, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) return false;
        bytes += written;
        size -= written;
    }
    return true;
}

// The target and its temporary file as wide paths.
struct WidePaths {
    wchar_t target[temporaryPathCapacity];
    wchar_t temporary[temporaryPathCapacity];
};

bool widePathsFor(const char* path, WidePaths& paths) {
    char temporaryBytes[temporaryPathCapacity];
    return temporaryPathFor(path, temporaryBytes, sizeof temporaryBytes) &&
           widenText(codePageUtf8, path, paths.target, temporaryPathCapacity) &&
           widenText(codePageUtf8, temporaryBytes, paths.temporary, temporaryPathCapacity);
}

// The whole of `data` in the temporary file, on the disk. On failure nothing is left.
bool writeTemporary(const wchar_t* temporary, const void* data, std::size_t size) {
    HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = writeAll(file, data, size) && FlushFileBuffers(file);
    const bool closed = CloseHandle(file) != 0;
    if (written && closed) return true;
    DeleteFileW(temporary);
    return false;
}

} // namespace

bool writeFileAtomically(const char* path, const void* data, std::size_t size) {
    WidePaths paths;
    if (!widePathsFor(path, paths) || !writeTemporary(paths.temporary, data, size)) return false;
    if (!MoveFileExW(paths.temporary, paths.target,
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(paths.temporary);
        return false;
    }
    return true;
}

NewFileResult writeNewFileAtomically(const char* path, const void* data, std::size_t size) {
    WidePaths paths;
    if (!widePathsFor(path, paths) || !writeTemporary(paths.temporary, data, size))
        return NewFileResult::failed;
    // Without MOVEFILE_REPLACE_EXISTING the move fails on a name that is taken.
    if (MoveFileExW(paths.temporary, paths.target, MOVEFILE_WRITE_THROUGH))
        return NewFileResult::written;
    const DWORD error = GetLastError();
    DeleteFileW(paths.temporary);
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? NewFileResult::exists
                                                                       : NewFileResult::failed;
}

} // namespace korvani
