// Display-scale queries. Both functions are looked up at run time, since older Windows lacks
// them and the program must still start there.
#include "win/display_scale.h"

namespace korvani {

namespace {

constexpr int defaultDpi = 96;

template <typename Function> Function user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

} // namespace

void requestPerMonitorAwareness() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const auto setContext = user32Function<SetContext>("SetProcessDpiAwarenessContext");
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2.
    if (setContext) setContext(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)));
}

int windowDpi(HWND window) {
    using GetDpi = UINT(WINAPI*)(HWND);
    const auto getDpi = user32Function<GetDpi>("GetDpiForWindow");
    if (getDpi) {
        const UINT dpi = getDpi(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : defaultDpi;
}

} // namespace korvani
