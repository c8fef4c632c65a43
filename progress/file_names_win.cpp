// File names on Windows: the store's paths are UTF-8, opened with the wide functions, a stored
// problem-file name (code page 932) is converted into the path through UTF-16, and the folder is
// read with FindFirstFileW.
#include "progress/file_names.h"
#include "text/code_pages.h"
#include "text/list_texts.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

namespace korvani {

bool removeFile(const char* path) {
    wchar_t widePath[problemPathCapacity];
    return widenText(codePageUtf8, path, widePath, problemPathCapacity) && _wremove(widePath) == 0;
}

bool problemFilePathFor(const ProgressStore& store, const char (&storedName)[64], char* out,
                        std::size_t capacity) {
    const std::int32_t prefixLength = store.dirPrefixLength;
    if (prefixLength < 0 || prefixLength >= savePathCapacity) return false;
    const auto prefix = static_cast<std::size_t>(prefixLength);
    char name[64 + 1] = {};
    std::memcpy(name, storedName, 64);
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

namespace {

bool storedNameOfWide(const wchar_t* name, char (&storedName)[64]) {
    char bytes[MAX_PATH * 2];
    if (!narrowText(codePage932, name, bytes, sizeof bytes)) return false;
    const std::size_t length = std::strlen(bytes);
    if (length >= sizeof storedName) return false;
    std::memset(storedName, 0, sizeof storedName);
    std::memcpy(storedName, bytes, length);
    return true;
}

} // namespace

bool storedProblemName(const char* pathFormName, char (&storedName)[64]) {
    wchar_t wide[MAX_PATH];
    return widenText(codePageUtf8, pathFormName, wide, MAX_PATH) &&
           storedNameOfWide(wide, storedName);
}

bool forEachProblemFile(const ProgressStore& store, ProblemFileVisitor visit, void* context) {
    char folder[savePathCapacity];
    wchar_t pattern[savePathCapacity + 8];
    if (!executableFolder(store, folder) ||
        !widenText(codePageUtf8, folder, pattern, savePathCapacity))
        return false;
    std::wcscat(pattern, L"*.dat");
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        char storedName[64];
        char listText[problemNameSize];
        if (storedNameOfWide(entry.cFileName, storedName) &&
            problemListText(storedName, isFolder, listText))
            visit(context, storedName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return true;
}

} // namespace korvani
