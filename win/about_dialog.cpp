// The About dialog (resource 116): icon, version and notice lines, and OK.
#include "win/dialogs.h"

namespace korvani {

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        centreDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        return endOnOkOrCancel(dialog, wParam);
    default:
        return FALSE;
    }
}

} // namespace korvani
