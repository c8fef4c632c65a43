// The display scale of the main window: the process asks for per-monitor awareness, and the
// window's DPI is read with the newest function the system has.
#pragma once

#include <windows.h>

namespace korvani {

// Asks for Per-Monitor V2 awareness where SetProcessDpiAwarenessContext exists. The manifest
// already asks for it, so a refusal (the manifest won, or Wine, which is always per-monitor
// aware and answers ERROR_INVALID_PARAMETER) changes nothing.
void requestPerMonitorAwareness();

// The window's dots per inch: GetDpiForWindow where it exists, otherwise the screen DC's
// LOGPIXELSX; 96 when neither answers.
int windowDpi(HWND window);

} // namespace korvani
