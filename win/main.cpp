// The program's entry point: start-up in a fixed order (texts, game state, save file and
// problem file, window class, window at a 522 x 554 client area, first puzzle), the message
// loop, and the last clean-up when the loop ends without WM_DESTROY.
#include "win/app_state.h"
#include "win/single_instance.h"
#include "win/sizing_limit.h"
#include "win/wide_text.h"
#include "win/window_proc.h"

namespace {

constexpr UINT classNameString = 101;
constexpr UINT titleString = 102;
constexpr WORD iconResource = 103;
constexpr WORD menuResource = 101;

wchar_t windowTitle[64];
wchar_t windowClassName[64];

void registerMainClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = korvani::mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(iconResource));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = nullptr; // the back buffer covers every pixel
    windowClass.lpszMenuName = MAKEINTRESOURCEW(menuResource);
    windowClass.lpszClassName = windowClassName;
    RegisterClassExW(&windowClass);
}

// Gives the window a client area of exactly 522 x 554 whatever the frame and menu bar measure.
void sizeToMinimumClient(HWND window) {
    const korvani::FrameExtra frame = korvani::measureFrameExtra(window);
    korvani::setFrameExtra(frame);
    const int chromeHeight = frame.height - 32;
    SetWindowPos(window, nullptr, 0, 0, frame.width + korvani::minimumClientWidth,
                 chromeHeight + korvani::minimumClientHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void startFirstGame(korvani::GameState& game) {
    if (game.solvedFlag) {
        korvani::restart(game);
        return;
    }
    // A stored unfinished game goes on with its digits and clock.
    game.view->layout();
    game.view->startClock();
    game.view->redrawAll(game);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    using namespace korvani;
    // Before anything reads the save file: a second game on it would wipe out this one's records.
    SaveFileClaim saveFileClaim;
    if (!saveFileClaim.claim()) return 0;
    LoadStringW(instance, titleString, windowTitle, 64);
    LoadStringW(instance, classNameString, windowClassName, 64);

    appState = createAppState();
    if (!appState) return 0;

    if (!loadProgress(appState->game, instance)) {
        messageBoxCp932(nullptr, "データファイルの読み込みに失敗しました", "初期化エラー", MB_OK);
        destroyGameState(appState);
        appState = nullptr;
        return 0;
    }

    registerMainClass(instance);
    appInstance = instance;
    setRendererInstance(instance);

    HWND window = CreateWindowExW(0, windowClassName, windowTitle, WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) {
        destroyGameState(appState);
        appState = nullptr;
        return 0;
    }
    sizeToMinimumClient(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    // The first WM_SIZE set mainWindow; should the system have sent none, the window is known.
    if (!appState->view.mainWindow) appState->view.mainWindow = window;
    startFirstGame(appState->game);

    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (appState) {
        destroyGameState(appState);
        appState = nullptr;
    }
    return static_cast<int>(message.wParam);
}
