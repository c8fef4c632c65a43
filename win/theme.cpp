// Choosing the palette, the high-contrast palette from the system colours, and the title bar.
#include "win/theme.h"

#include "win/app_state.h"
#include "win/view_commands.h"

namespace korvani {

namespace {

BgrColour systemColour(int index) {
    const COLORREF colour = GetSysColor(index);
    return {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
}

// DWMWA_USE_IMMERSIVE_DARK_MODE: 20 on current Windows, 19 on Windows 10 before 20H1.
void setDarkTitleBar(HWND window, bool dark) {
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    if (dwm == nullptr) return;
    using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    const auto set = reinterpret_cast<SetAttribute>(
        reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")));
    const BOOL value = dark ? TRUE : FALSE;
    if (set != nullptr && FAILED(set(window, 20, &value, sizeof value)))
        set(window, 19, &value, sizeof value);
    FreeLibrary(dwm);
}

} // namespace

bool highContrastOn() {
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Palette highContrastPalette() {
    const BgrColour window = systemColour(COLOR_WINDOW);
    const BgrColour text = systemColour(COLOR_WINDOWTEXT);
    const BgrColour highlight = systemColour(COLOR_HIGHLIGHT);
    const BgrColour grey = systemColour(COLOR_GRAYTEXT);
    const BgrColour hot = systemColour(COLOR_HOTLIGHT);
    Palette p = {};
    p.band = window;
    p.boardGap = grey;
    p.boardBorder = text;
    p.buttonFace = p.buttonSheen = window;
    p.buttonFaceLit = p.buttonSheenLit = highlight;
    p.buttonBorder = p.buttonShadow = p.buttonShadowLit = p.buttonLabel = text;
    p.clockInk = text;
    p.bannerLetters = hot;
    p.bannerRim = text;
    // A key that no system colour of the banner can take: the letters' colour with its lowest
    // bit flipped.
    p.bannerKey = {static_cast<std::uint8_t>(hot.blue ^ 1), hot.green, hot.red};
    // The hover's ground stays the window's: on the highlight colour the digits, drawn in the
    // window's text colour, could not be read.
    p.cellPaper = p.cellHover = window;
    p.givenInk = text;
    p.enteredInk = hot;
    p.matchFrame = highlight;
    p.noteInk = grey;
    p.hintTarget = hot;
    p.hintPattern = highlight;
    p.mistakeFrame = text;
    p.cursor = hot;
    p.pauseGround = window;
    p.pauseText = text;
    return p;
}

Palette wantedPalette(const AppState& app) {
    if (highContrastOn()) return highContrastPalette();
    return darkThemeWanted(app) ? darkPalette : lightPalette;
}

void applyTheme(AppState& app, HWND window) {
    const Palette palette = wantedPalette(app);
    setDarkTitleBar(window, palette == darkPalette);
    WindowView& view = app.view;
    if (!setPalette(view.renderer, palette) || view.mainWindow == nullptr) return;
    RECT client = {};
    GetClientRect(window, &client);
    resize(view.renderer, view.mainWindow, client.right, client.bottom);
    view.redrawAll(app.game);
    // The banner is not part of the state: a solved board shows it again over the new colours.
    if (app.game.currentProblem != nullptr && app.game.phase == PlayPhase::Cleared) {
        view.drawClearBanner();
        view.presentFrame();
    }
}

} // namespace korvani
