// Code page conversions on Windows, with MultiByteToWideChar and WideCharToMultiByte and
// always a code page named explicitly, never the system's ANSI code page.
#include "text/code_pages.h"

#include <windows.h>

namespace korvani {

bool widenText(unsigned codePage, const char* text, wchar_t* out, int capacity) {
    if (out == nullptr || capacity <= 0) return false;
    out[0] = L'\0';
    if (text == nullptr) return false;
    const DWORD flags = codePage == codePageUtf8 ? MB_ERR_INVALID_CHARS : 0;
    if (MultiByteToWideChar(codePage, flags, text, -1, out, capacity) == 0) {
        out[0] = L'\0';
        return false;
    }
    return true;
}

bool narrowText(unsigned codePage, const wchar_t* text, char* out, int capacity) {
    if (out == nullptr || capacity <= 0) return false;
    out[0] = '\0';
    if (text == nullptr) return false;
    int written = 0;
    if (codePage == codePageUtf8) {
        written = WideCharToMultiByte(codePage, WC_ERR_INVALID_CHARS, text, -1, out, capacity,
                                      nullptr, nullptr);
    } else {
        BOOL usedDefault = FALSE;
        written = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text, -1, out, capacity,
                                      nullptr, &usedDefault);
        if (usedDefault) written = 0;
    }
    if (written == 0) {
        out[0] = '\0';
        return false;
    }
    return true;
}

} // namespace korvani
