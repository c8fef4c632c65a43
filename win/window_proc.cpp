// The main window procedure and its message handlers. Everything runs on the one UI thread;
// the handlers only route to the renderer, the rules of play and the dialogs.
#include "win/window_proc.h"

#include "game/game_state.h"
#include "progress/progress_io.h"
#include "render/board_renderer.h"
#include "win/app_state.h"
#include "win/dialog_commands.h"

namespace korvani {

namespace {

FrameExtra frameExtra;

// Mouse coordinates are signed 16-bit halves of LPARAM (negative left of or above the client).
int pointX(LPARAM lParam) {
    return static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lParam)));
}
int pointY(LPARAM lParam) {
    return static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lParam)));
}

void onSize(HWND window, LPARAM lParam) {
    if (!gameState) return;
    if (!gameState->mainWindow) gameState->mainWindow = window;
    const int width = LOWORD(static_cast<DWORD_PTR>(lParam));
    const int height = HIWORD(static_cast<DWORD_PTR>(lParam));
    resize(gameState->renderer, gameState->mainWindow, width, height);
    redrawAll(*gameState);
}

void onPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC paintDC = BeginPaint(window, &paint);
    if (gameState) paintFromBackBuffer(gameState->renderer, paintDC);
    EndPaint(window, &paint);
}

// Keys 1 to 9 on the main row or the keypad select a digit, for puzzles whose givens show fewer
// than nine distinct digits. Returns the digit, or 0 for any other key.
int digitOfKey(WPARAM key) {
    if (key >= '1' && key <= '9') return static_cast<int>(key - '0');
    if (key >= VK_NUMPAD1 && key <= VK_NUMPAD9) return static_cast<int>(key - VK_NUMPAD0);
    return 0;
}

bool onKeyDown(WPARAM key) {
    const int digit = digitOfKey(key);
    if (digit == 0) return false;
    if (gameState) onDigitKey(*gameState, digit);
    return true;
}

bool onCommand(HWND window, WPARAM wParam) {
    switch (LOWORD(static_cast<DWORD_PTR>(wParam))) {
    case commandOpenProblem:
        if (gameState && runOpenProblemDialog(*gameState, window) == IDOK) restart(*gameState);
        return true;
    case commandSelectProblem:
        if (gameState && runSelectProblemDialog(*gameState, window) == IDOK) restart(*gameState);
        return true;
    case commandAbout:
        runAboutDialog(window);
        return true;
    case commandExit:
        DestroyWindow(window);
        return true;
    default:
        return false;
    }
}

void onDestroy() {
    if (gameState) destroyGameState(gameState);
    gameState = nullptr;
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
    case WM_TIMER:
        if (gameState) onTimer(*gameState);
        return 0;
    case WM_MOUSEMOVE:
        if (gameState) onMouseMove(*gameState, pointX(lParam), pointY(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        if (gameState) onLeftButtonDown(*gameState, pointX(lParam), pointY(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        if (gameState) onRightButtonDown(*gameState, pointX(lParam), pointY(lParam));
        return 0;
    case WM_KEYDOWN:
        if (onKeyDown(wParam)) return 0;
        break;
    case WM_COMMAND:
        if (onCommand(window, wParam)) return 0;
        break;
    case WM_SIZING:
        clampSizingRect(*reinterpret_cast<RECT*>(lParam), wParam, frameExtra);
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace korvani
