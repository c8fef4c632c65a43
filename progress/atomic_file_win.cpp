// Atomic replacement of a file on Windows: the bytes go to a temporary file in the same folder,
// FlushFileBuffers puts them on the disk, and MoveFileExW replaces the old file in one step. The
// path is UTF-8 (the store's form) and goes to the wide functions.
#include "progress/atomic_file.h"
#include "progress/code_pages.h"

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

} // namespace

bool writeFileAtomically(const char* path, const void* data, std::size_t size) {
    char temporaryBytes[temporaryPathCapacity];
    wchar_t target[temporaryPathCapacity];
    wchar_t temporary[temporaryPathCapacity];
    if (!temporaryPathFor(path, temporaryBytes, sizeof temporaryBytes) ||
        !widenText(codePageUtf8, path, target, temporaryPathCapacity) ||
        !widenText(codePageUtf8, temporaryBytes, temporary, temporaryPathCapacity))
        return false;
    HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = writeAll(file, data, size) && FlushFileBuffers(file);
    const bool closed = CloseHandle(file) != 0;
    if (!written || !closed ||
        !MoveFileExW(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary);
        return false;
    }
    return true;
}

} // namespace korvani
