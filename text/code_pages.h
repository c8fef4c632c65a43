// Text between UTF-8 (every text and path the program holds), code page 932 (the problem-file
// names that the save file keeps) and UTF-16, which the Windows wide functions take. Windows
// only: defined in code_pages_win.cpp.
#pragma once

namespace korvani {

inline constexpr unsigned codePage932 = 932;
inline constexpr unsigned codePageUtf8 = 65001;

// NUL-terminated `text` in `codePage` as NUL-terminated UTF-16 in `out` (`capacity` units).
// False, with `out` empty when it has room, when the text does not fit or cannot be read.
bool widenText(unsigned codePage, const char* text, wchar_t* out, int capacity);

// NUL-terminated UTF-16 `text` as NUL-terminated bytes of `codePage` in `out`. False when it
// does not fit, or when a character has no exact form in that code page (no look-alike is ever
// put in its place): such a text cannot be stored.
bool narrowText(unsigned codePage, const wchar_t* text, char* out, int capacity);

} // namespace korvani
