// File names on Windows: the store's paths are UTF-8, opened with the wide functions, and a
// stored problem-file name (code page 932) is converted into the path through UTF-16.
#include "progress/code_pages.h"
#include "progress/file_names.h"

#include <cstring>
#include <cwchar>

namespace korvani {

std::FILE* openFile(const char* path, const char* mode) {
    wchar_t widePath[problemPathCapacity];
    wchar_t wideMode[8];
    if (!widenText(codePageUtf8, path, widePath, problemPathCapacity) ||
        !widenText(codePageUtf8, mode, wideMode, 8))
        return nullptr;
    return _wfopen(widePath, wideMode);
}

bool problemFilePath(const ProgressStore& store, char* out, std::size_t capacity) {
    const std::int32_t prefixLength = store.dirPrefixLength;
    if (prefixLength < 0 || prefixLength >= savePathCapacity) return false;
    const auto prefix = static_cast<std::size_t>(prefixLength);
    char name[sizeof store.header.problemFileName + 1] = {};
    std::memcpy(name, store.header.problemFileName, sizeof store.header.problemFileName);
    wchar_t wideName[sizeof name];
    char utf8Name[3 * sizeof name];
    if (!widenText(codePage932, name, wideName, sizeof name) ||
        !narrowText(codePageUtf8, wideName, utf8Name, sizeof utf8Name))
        return false;
    const std::size_t nameLength = std::strlen(utf8Name);
    if (prefix + nameLength >= capacity) return false;
    std::memcpy(out, store.savePath, prefix);
    std::memcpy(out + prefix, utf8Name, nameLength + 1);
    return true;
}

} // namespace korvani
