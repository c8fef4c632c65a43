// The main window procedure: the window takes its AppState at WM_NCCREATE, and each message goes
// to one small handler (the message crackers of windowsx.h) that routes it to the renderer, the
// rules of play or the dialogs. Everything runs on the one UI thread.
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

// Only called once the window holds its state: between WM_NCCREATE and WM_DESTROY.
AppState& stateOf(HWND window) {
    return *reinterpret_cast<AppState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The state comes from CreateWindowExW's parameter; from here on the window is the main window.
BOOL onNcCreate(HWND window, LPCREATESTRUCT create) {
    auto* app = static_cast<AppState*>(create->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
    app->view.mainWindow = window;
    return FORWARD_WM_NCCREATE(window, create, DefWindowProcW);
}

void onSize(HWND window, UINT, int width, int height) {
    AppState& app = stateOf(window);
    // The balloon stood beside a cell that has moved.
    app.view.closeHint();
    resize(app.view.renderer, window, width, height);
    app.view.redrawAll(app.game);
}

// The window moved to a monitor with another scale (or the scale changed): everything that
// depends on it is rebuilt at the new DPI, and the window takes the rectangle Windows suggests.
void onDpiChanged(HWND window, int dpi, const RECT& suggested) {
    AppState& app = stateOf(window);
    setDisplayScale(app.view.renderer, dpi);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    app.frame = measureFrameExtra(window, app.view.renderer.metrics);
    // The WM_SIZE of that move rebuilt the back buffer, unless the client size stayed the same.
    RECT client = {};
    GetClientRect(window, &client);
    resize(app.view.renderer, window, client.right, client.bottom);
    app.view.redrawAll(app.game);
}

void onPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC paintDC = BeginPaint(window, &paint);
    paintFromBackBuffer(stateOf(window).view.renderer, paintDC);
    EndPaint(window, &paint);
}

// The balloon does not follow its owner.
void onMove(HWND window, int, int) {
    stateOf(window).view.closeHint();
}

void onTimerTick(HWND window, UINT) {
    onTimer(stateOf(window).game);
}

// Client coordinates arrive signed: negative left of or above the client area.
void onMouseMoved(HWND window, int x, int y, UINT) {
    trackMouseLeave(window);
    onMouseMove(stateOf(window).game, x, y);
}

void onMouseLeft(HWND window) {
    onMouseLeaveMessage(stateOf(window).game);
}

// A click anywhere on the window closes the hint's balloon (its marks stay). Ctrl + left click
// toggles a note, as the middle button does.
void onLeftButton(HWND window, BOOL, int x, int y, UINT keys) {
    AppState& app = stateOf(window);
    app.view.closeHint();
    GameState& game = app.game;
    if (keys & MK_CONTROL)
        onNoteClick(game, x, y);
    else
        onLeftButtonDown(game, x, y);
}

void onMiddleButton(HWND window, BOOL, int x, int y, UINT) {
    AppState& app = stateOf(window);
    app.view.closeHint();
    onNoteClick(app.game, x, y);
}

void onRightButton(HWND window, BOOL, int x, int y, UINT) {
    AppState& app = stateOf(window);
    app.view.closeHint();
    onRightButtonDown(app.game, x, y);
}

void onFilesDropped(HWND window, HDROP drop) {
    onDropFiles(stateOf(window).game, window, drop);
}

void onInitMenuPopup(HWND window, HMENU popup, UINT, BOOL) {
    const AppState& app = stateOf(window);
    enableEditItems(popup, app.game);
    checkViewItems(popup, app);
}

void onKeyDown(HWND window, UINT key, BOOL, int repeat, UINT flags) {
    if (!onKeyDownMessage(stateOf(window).game, key))
        FORWARD_WM_KEYDOWN(window, key, repeat, flags, DefWindowProcW);
}

void onCommand(HWND window, int id, HWND control, UINT notification) {
    AppState& app = stateOf(window);
    GameState& game = app.game;
    switch (id) {
    case commandOpenProblem:
        if (runOpenProblemDialog(game, window) == IDOK) restart(game);
        return;
    case commandSelectProblem:
        if (runSelectProblemDialog(game, window) == IDOK) restart(game);
        return;
    case IDM_RESTART:
        onRestartCommand(game);
        return;
    case commandAbout:
        runAboutDialog(window);
        return;
    case IDM_RECORDS:
        runRecordsDialog(game, window);
        return;
    case commandMakePuzzles:
        runMakePuzzlesCommand(game, window);
        return;
    case IDM_PASTE_PUZZLES:
        onPastePuzzles(game, window);
        return;
    case IDM_IMPORT_FILE:
        onImportFile(game, window);
        return;
    case IDM_COPY_PUZZLE:
        onCopyPuzzle(game, window);
        return;
    case commandExit:
        DestroyWindow(window);
        return;
    default: {
        const auto command = static_cast<WORD>(id);
        if (!onEditCommand(game, command) && !onViewCommand(app, window, command))
            FORWARD_WM_COMMAND(window, id, control, notification, DefWindowProcW);
        return;
    }
    }
}

// The run ends here: the save file is written while the window still stands, and the window lets
// go of the state, which WinMain frees after the message loop.
void onDestroy(HWND window) {
    disconnectProviders(window);
    endRun(stateOf(window));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    PostQuitMessage(0);
}

} // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) return HANDLE_WM_NCCREATE(window, wParam, lParam, onNcCreate);
    // Before WM_NCCREATE (WM_GETMINMAXINFO) and after WM_DESTROY the window holds no state.
    if (GetWindowLongPtrW(window, GWLP_USERDATA) == 0) {
        // A drop that reaches no game is still released.
        if (message == WM_DROPFILES) DragFinish(reinterpret_cast<HDROP>(wParam));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        HANDLE_MSG(window, WM_SIZE, onSize);
        HANDLE_MSG(window, WM_PAINT, onPaint);
        HANDLE_MSG(window, WM_MOVE, onMove);
        HANDLE_MSG(window, WM_TIMER, onTimerTick);
        HANDLE_MSG(window, WM_MOUSEMOVE, onMouseMoved);
        HANDLE_MSG(window, WM_LBUTTONDOWN, onLeftButton);
        HANDLE_MSG(window, WM_MBUTTONDOWN, onMiddleButton);
        HANDLE_MSG(window, WM_RBUTTONDOWN, onRightButton);
        HANDLE_MSG(window, WM_INITMENUPOPUP, onInitMenuPopup);
        HANDLE_MSG(window, WM_KEYDOWN, onKeyDown);
        HANDLE_MSG(window, WM_COMMAND, onCommand);
    case WM_MOUSELEAVE:
        onMouseLeft(window);
        return 0;
        HANDLE_MSG(window, WM_DROPFILES, onFilesDropped);
        HANDLE_MSG(window, WM_DESTROY, onDestroy);
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // High contrast switched, the system colours or the app theme changed: drawn again now.
        applyTheme(stateOf(window), window);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_GETOBJECT: {
        LRESULT provider = 0;
        if (answerGetObject(window, stateOf(window), wParam, lParam, provider)) return provider;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_DPICHANGED:
        onDpiChanged(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SIZING:
        clampSizingRect(*reinterpret_cast<RECT*>(lParam), wParam, stateOf(window).frame);
        return TRUE; // the rectangle was changed in place
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace korvani
