// The main window procedure and its message handlers. Everything runs on the one UI thread;
// the handlers only route to the renderer, the rules of play and the dialogs.
#include "win/window_proc.h"

#include "win/app_state.h"
#include "win/dialog_commands.h"
#include "win/edit_commands.h"
#include "win/import_commands.h"
#include "win/keyboard_input.h"
#include "win/make_puzzles_dialog.h"
#include "win/resources/resource.h"
#include "win/theme.h"
#include "win/uia_provider.h"
#include "win/view_commands.h"

#include <windowsx.h>

namespace korvani {

namespace {

FrameExtra frameExtra;

// WM_DPICHANGED, spelled out: older SDK headers leave it out.
constexpr UINT dpiChangedMessage = 0x02E0;

void onSize(HWND window, LPARAM lParam) {
    if (!appState) return;
    WindowView& view = appState->view;
    // The balloon stood beside a cell that has moved.
    view.closeHint();
    if (!view.mainWindow) view.mainWindow = window;
    const int width = LOWORD(static_cast<DWORD_PTR>(lParam));
    const int height = HIWORD(static_cast<DWORD_PTR>(lParam));
    resize(view.renderer, view.mainWindow, width, height);
    view.redrawAll(appState->game);
}

// The window moved to a monitor with another scale (or the scale changed): everything that
// depends on it is rebuilt at the new DPI, and the window takes the rectangle Windows suggests.
void onDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
    if (!appState) return;
    WindowView& view = appState->view;
    setDisplayScale(view.renderer, LOWORD(static_cast<DWORD_PTR>(wParam)));
    const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    frameExtra = measureFrameExtra(window, view.renderer.metrics);
    // The WM_SIZE of that move rebuilt the back buffer, unless the client size stayed the same.
    RECT client = {};
    GetClientRect(window, &client);
    if (!view.mainWindow) view.mainWindow = window;
    resize(view.renderer, view.mainWindow, client.right, client.bottom);
    view.redrawAll(appState->game);
}

void onPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC paintDC = BeginPaint(window, &paint);
    if (appState) paintFromBackBuffer(appState->view.renderer, paintDC);
    EndPaint(window, &paint);
}

bool onCommand(HWND window, WPARAM wParam) {
    switch (LOWORD(static_cast<DWORD_PTR>(wParam))) {
    case commandOpenProblem:
        if (appState && runOpenProblemDialog(appState->game, window) == IDOK)
            restart(appState->game);
        return true;
    case commandSelectProblem:
        if (appState && runSelectProblemDialog(appState->game, window) == IDOK)
            restart(appState->game);
        return true;
    case IDM_RESTART:
        if (appState) onRestartCommand(appState->game);
        return true;
    case commandAbout:
        runAboutDialog(window);
        return true;
    case IDM_RECORDS:
        if (appState) runRecordsDialog(appState->game, window);
        return true;
    case commandMakePuzzles:
        if (appState) runMakePuzzlesCommand(appState->game, window);
        return true;
    case IDM_PASTE_PUZZLES:
        if (appState) onPastePuzzles(appState->game, window);
        return true;
    case IDM_IMPORT_FILE:
        if (appState) onImportFile(appState->game, window);
        return true;
    case IDM_COPY_PUZZLE:
        if (appState) onCopyPuzzle(appState->game, window);
        return true;
    case commandExit:
        DestroyWindow(window);
        return true;
    default:
        return appState &&
               (onEditCommand(appState->game, LOWORD(static_cast<DWORD_PTR>(wParam))) ||
                onViewCommand(*appState, window, LOWORD(static_cast<DWORD_PTR>(wParam))));
    }
}

void onDestroy(HWND window) {
    disconnectProviders(window);
    if (appState) destroyGameState(appState);
    appState = nullptr;
    PostQuitMessage(0);
}

} // namespace

void setFrameExtra(const FrameExtra& frame) {
    frameExtra = frame;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        onSize(window, lParam);
        return 0;
    case WM_PAINT:
        onPaint(window);
        return 0;
    case WM_MOVE:
        // The balloon does not follow its owner.
        if (appState) appState->view.closeHint();
        break;
    case WM_TIMER:
        if (appState) onTimer(appState->game);
        return 0;
    case WM_MOUSEMOVE:
        // Signed client coordinates: negative left of or above the client area.
        trackMouseLeave(window);
        if (appState) onMouseMove(appState->game, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        // A click anywhere on the window closes the hint's balloon (its marks stay).
        if (appState) appState->view.closeHint();
        // Ctrl + left click toggles a note, as the middle button does.
        if (appState && (wParam & MK_CONTROL))
            onNoteClick(appState->game, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        else if (appState)
            onLeftButtonDown(appState->game, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MBUTTONDOWN:
        if (appState) appState->view.closeHint();
        if (appState) onNoteClick(appState->game, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_INITMENUPOPUP:
        if (appState) {
            enableEditItems(reinterpret_cast<HMENU>(wParam), appState->game);
            checkViewItems(reinterpret_cast<HMENU>(wParam), *appState);
        }
        return 0;
    case WM_RBUTTONDOWN:
        if (appState) appState->view.closeHint();
        if (appState) onRightButtonDown(appState->game, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_KEYDOWN:
        if (appState && onKeyDownMessage(appState->game, wParam)) return 0;
        break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // High contrast switched, the system colours or the app theme changed: drawn again now.
        if (appState) applyTheme(*appState, window);
        break;
    case WM_GETOBJECT: {
        LRESULT provider = 0;
        if (answerGetObject(window, wParam, lParam, provider)) return provider;
        break;
    }
    case WM_MOUSELEAVE:
        if (appState) onMouseLeaveMessage(appState->game);
        return 0;
    case WM_COMMAND:
        if (onCommand(window, wParam)) return 0;
        break;
    case dpiChangedMessage:
        onDpiChanged(window, wParam, lParam);
        return 0;
    case WM_DROPFILES:
        if (appState)
            onDropFiles(appState->game, window, reinterpret_cast<HDROP>(wParam));
        else
            DragFinish(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_SIZING:
        clampSizingRect(*reinterpret_cast<RECT*>(lParam), wParam, frameExtra);
        return TRUE; // the rectangle was changed in place
    case WM_DESTROY:
        onDestroy(window);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace korvani
