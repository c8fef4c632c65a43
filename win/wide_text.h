// Every text of the program is UTF-8; these show texts through the wide functions, converted
// from UTF-8, so they read the same whatever the system's ANSI code page is.
#pragma once

#include <windows.h>

namespace korvani {

// MessageBoxW with `text` and `caption` in UTF-8.
int showMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// A list box line (LB_ADDSTRING) and a control's text (SetDlgItemTextW), from UTF-8.
void addListText(HWND list, const char* text);
void setControlText(HWND dialog, int id, const char* text);

// The executable's full path through GetModuleFileNameW; its length, or 0 when it is not at hand
// or was cut to fit `capacity`.
DWORD executablePath(wchar_t* path, DWORD capacity);

} // namespace korvani
