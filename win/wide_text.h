// The game's own texts are code page 932 bytes (ordinary string literals and the rules' texts);
// these show them through the wide functions, converted with code page 932 itself, so they read
// the same whatever the system's ANSI code page is.
#pragma once

#include <windows.h>

namespace korvani {

// MessageBoxW with `text` and `caption` converted from code page 932.
int messageBoxCp932(HWND owner, const char* text, const char* caption, UINT type);

// MessageBoxW with UTF-8 `text` and `caption`.
int messageBoxUtf8(HWND owner, const char* text, const char* caption, UINT type);

// A list box line (LB_ADDSTRING) and a control's text (SetDlgItemTextW) from code page 932.
void addListTextCp932(HWND list, const char* text);
void setDlgItemTextCp932(HWND dialog, int id, const char* text);

// The executable's full path through GetModuleFileNameW; its length, or 0 when it is not at hand
// or was cut to fit `capacity`.
DWORD executablePath(wchar_t* path, DWORD capacity);

} // namespace korvani
