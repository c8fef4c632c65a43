// Opening a file outside Windows (open_file_win.cpp takes over there): paths are the system's
// bytes.
#include "files/open_file.h"

#if !defined(_WIN32)

namespace korvani {

std::FILE* openFile(const char* path, const char* mode) {
    return path != nullptr ? std::fopen(path, mode) : nullptr;
}

} // namespace korvani

#endif
