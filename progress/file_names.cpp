// File names outside Windows (file_names_win.cpp takes over there): paths are the system's
// bytes, so the stored problem-file name is appended as it stands.
#include "progress/file_names.h"

#if !defined(_WIN32)
#include <cstring>

namespace korvani {

std::FILE* openFile(const char* path, const char* mode) {
    return path != nullptr ? std::fopen(path, mode) : nullptr;
}

bool problemFilePath(const ProgressStore& store, char* out, std::size_t capacity) {
    const std::int32_t prefixLength = store.dirPrefixLength;
    if (prefixLength < 0 || prefixLength >= savePathCapacity) return false;
    const auto prefix = static_cast<std::size_t>(prefixLength);
    const std::size_t nameLength =
        strnlen(store.header.problemFileName, sizeof store.header.problemFileName);
    if (prefix + nameLength >= capacity) return false;
    std::memcpy(out, store.savePath, prefix);
    std::memcpy(out + prefix, store.header.problemFileName, nameLength);
    out[prefix + nameLength] = '\0';
    return true;
}

} // namespace korvani
#endif
