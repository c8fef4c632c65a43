// Opening a file on Windows: the UTF-8 path through UTF-16 and _wfopen.
#include "files/open_file.h"

#include "text/code_pages.h"

namespace korvani {

namespace {

// Room for every path the program makes: the executable's folder (at most 512 bytes) and a
// problem-file name of up to 192 bytes of UTF-8 take fewer UTF-16 units than bytes.
constexpr int widePathCapacity = 1024;

} // namespace

std::FILE* openFile(const char* path, const char* mode) {
    wchar_t widePath[widePathCapacity];
    wchar_t wideMode[8];
    if (!widenText(codePageUtf8, path, widePath, widePathCapacity) ||
        !widenText(codePageUtf8, mode, wideMode, 8))
        return nullptr;
    return _wfopen(widePath, wideMode);
}

} // namespace korvani
