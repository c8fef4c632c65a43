// The executable's folder from the save path, and file names outside Windows (file_names_win.cpp
// takes over there): paths are the system's bytes, so the stored problem-file name is appended
// as it stands, and the folder is read with opendir.
#include "progress/file_names.h"

#include "text/list_texts.h"

#include <cstring>

#if !defined(_WIN32)
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace korvani {

bool executableFolder(const ProgressStore& store, char (&folder)[savePathCapacity]) {
    const std::int32_t prefix = store.dirPrefixLength;
    if (prefix < 0 || prefix >= savePathCapacity) return false;
    std::memcpy(folder, store.savePath, static_cast<std::size_t>(prefix));
    folder[prefix] = '\0';
    return true;
}

bool problemFilePath(const ProgressStore& store, char* out, std::size_t capacity) {
    return problemFilePathFor(store, store.header.problemFileName, out, capacity);
}

bool removeProblemFile(const ProgressStore& store, const char (&storedName)[64]) {
    char path[problemPathCapacity];
    return problemFilePathFor(store, storedName, path, sizeof path) && removeFile(path);
}

#if !defined(_WIN32)

bool removeFile(const char* path) {
    return std::remove(path) == 0;
}

bool problemFilePathFor(const ProgressStore& store, const char (&storedName)[64], char* out,
                        std::size_t capacity) {
    const std::int32_t prefixLength = store.dirPrefixLength;
    if (prefixLength < 0 || prefixLength >= savePathCapacity) return false;
    const auto prefix = static_cast<std::size_t>(prefixLength);
    const std::size_t nameLength = strnlen(storedName, 64);
    if (prefix + nameLength >= capacity) return false;
    std::memcpy(out, store.savePath, prefix);
    std::memcpy(out + prefix, storedName, nameLength);
    out[prefix + nameLength] = '\0';
    return true;
}

bool storedProblemName(const char* pathFormName, char (&storedName)[64]) {
    const std::size_t length = std::strlen(pathFormName);
    if (length >= sizeof storedName) return false;
    std::memset(storedName, 0, sizeof storedName);
    std::memcpy(storedName, pathFormName, length);
    return true;
}

bool forEachProblemFile(const ProgressStore& store, ProblemFileVisitor visit, void* context) {
    char folder[savePathCapacity];
    if (!executableFolder(store, folder)) return false;
    DIR* directory = ::opendir(folder[0] != '\0' ? folder : ".");
    if (directory == nullptr) return false;
    while (const dirent* entry = ::readdir(directory)) {
        char path[problemPathCapacity];
        if (std::snprintf(path, sizeof path, "%s%s", folder, entry->d_name) >= int(sizeof path))
            continue;
        struct stat status;
        const bool isFolder = ::stat(path, &status) == 0 && S_ISDIR(status.st_mode);
        char listText[problemNameSize];
        char storedName[64];
        if (problemListText(entry->d_name, isFolder, listText) &&
            storedProblemName(entry->d_name, storedName))
            visit(context, storedName);
    }
    ::closedir(directory);
    return true;
}

#endif

} // namespace korvani
