// The program's entry point: start-up in a fixed order (texts, game state, save file and
// problem file, window class, window at the smallest client area for its display scale,
// 522 x 554 at 96 DPI, first puzzle), the message loop, and the end of the run when the loop
// ends without WM_DESTROY. WinMain owns the AppState; the window holds it while it exists.
// Running out of memory ends the program (operator new cannot return), as a game does: the
// save file is replaced only once complete, so the last one stays.
#include "win/app_state.h"
#include "win/band_bitmaps.h"
#include "win/display_scale.h"
#include "win/resources/resource.h"
#include "win/single_instance.h"
#include "win/sizing_limit.h"
#include "win/theme.h"
#include "win/wide_text.h"
#include "win/window_proc.h"

#include <shellapi.h>

#include <memory>

namespace {

wchar_t windowTitle[64];
wchar_t windowClassName[64];

void registerMainClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = korvani::mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_KORVANI));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = nullptr; // the back buffer covers every pixel
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    windowClass.lpszClassName = windowClassName;
    RegisterClassExW(&windowClass);
}

// Gives the window exactly the smallest client area of its display scale (522 x 554 at
// 96 DPI) whatever the frame and menu bar measure.
void sizeToMinimumClient(HWND window, korvani::AppState& app) {
    const korvani::LayoutMetrics& metrics = app.view.renderer.metrics;
    const korvani::FrameExtra frame = korvani::measureFrameExtra(window, metrics);
    app.frame = frame;
    const int chromeHeight = frame.height - metrics.band;
    SetWindowPos(window, nullptr, 0, 0, frame.width + metrics.minimumClientWidth,
                 chromeHeight + metrics.minimumClientHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void startFirstGame(korvani::GameState& game) {
    if (game.phase != korvani::PlayPhase::InPlay) {
        korvani::restart(game);
        return;
    }
    // A stored unfinished game goes on with its digits and clock, or stays paused.
    korvani::resumeStoredGame(game);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    using namespace korvani;
    requestPerMonitorAwareness();
    // Before anything reads the save file: a second game on it would wipe out this one's records.
    SaveFileClaim saveFileClaim;
    if (!saveFileClaim.claim()) return 0;
    LoadStringW(instance, IDS_WINDOW_TITLE, windowTitle, 64);
    LoadStringW(instance, IDS_CLASS_NAME, windowClassName, 64);

    const auto app = std::make_unique<AppState>();
    if (!loadProgress(app->game, instance)) {
        showMessageBox(nullptr, "データファイルの読み込みに失敗しました", "初期化エラー", MB_OK);
        return 0;
    }

    registerMainClass(instance);
    appInstance = instance;
    loadBandBitmaps(instance, app->view.renderer);

    HWND window = CreateWindowExW(0, windowClassName, windowTitle, WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, instance, app.get());
    if (!window) return 0;
    // Everything in the client area is laid out in the window's own pixels at its scale.
    setDisplayScale(app->view.renderer, windowDpi(window));
    // Light, dark or high contrast before the first frame is built.
    applyTheme(*app, window);
    sizeToMinimumClient(window, *app);
    // A new scale dropped the back buffer; should the window already have had that client size,
    // no WM_SIZE came to build it again.
    RECT client = {};
    GetClientRect(window, &client);
    resize(app->view.renderer, window, client.right, client.bottom);
    // Puzzle files dropped on the window are imported.
    DragAcceptFiles(window, TRUE);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    startFirstGame(app->game);

    // The 編集 menu's keys; a table loaded from the resources needs no release.
    HACCEL editKeys = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_EDIT_ACCELERATORS));
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == window && TranslateAcceleratorW(window, editKeys, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    endRun(*app);
    return static_cast<int>(message.wParam);
}
