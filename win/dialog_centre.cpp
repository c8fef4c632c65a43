// What every dialog shares: the one routine that places it, centred on its parent or on the
// desktop when it has none (the start-up Open-problem dialog) and pulled back inside the work
// area, and the end of a dialog that only informs.
#include "win/dialogs.h"

namespace korvani {

namespace {

// The start of a span of `size` placed at `centredStart`, moved to lie inside low ... high:
// first so that it does not begin before low, otherwise so that it does not end after high.
LONG clampToWorkArea(LONG centredStart, LONG size, LONG low, LONG high) {
    if (centredStart < low) return low;
    if (centredStart + size > high) return high - size;
    return centredStart;
}

} // namespace

void centreDialog(HWND dialog) {
    RECT own;
    GetWindowRect(dialog, &own);
    const LONG width = own.right - own.left;
    const LONG height = own.bottom - own.top;

    HWND parent = GetParent(dialog);
    if (parent == nullptr) parent = GetDesktopWindow();
    RECT around;
    GetWindowRect(parent, &around);

    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);

    // Signed division truncating toward zero, as the integer operator does.
    const LONG x =
        clampToWorkArea((around.left + around.right - width) / 2, width, work.left, work.right);
    const LONG y =
        clampToWorkArea((around.top + around.bottom - height) / 2, height, work.top, work.bottom);
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

INT_PTR endOnOkOrCancel(HWND dialog, WPARAM wParam) {
    const int id = LOWORD(static_cast<DWORD_PTR>(wParam));
    if (id != IDOK && id != IDCANCEL) return FALSE;
    EndDialog(dialog, id);
    return TRUE;
}

} // namespace korvani
