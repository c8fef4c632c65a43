// The About dialog (resource 116): icon, version and notice lines, and OK.
#include "win/dialogs.h"

namespace korvani {

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        centreDialog(dialog);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(static_cast<DWORD_PTR>(wParam));
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(dialog, id);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

} // namespace korvani
