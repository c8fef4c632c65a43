// The 表示 menu's commands, the settings they change and where the dark theme's default comes from.
#include "win/view_commands.h"

#include "files/atomic_file.h"
#include "win/app_state.h"
#include "win/resources/resource.h"
#include "win/theme.h"

namespace korvani {

namespace {

// Windows' app theme: dark when the user's AppsUseLightTheme is 0. Light when it is absent (older
// Windows, or a system that never chose).
bool systemAppsUseDarkTheme() {
    DWORD value = 1;
    DWORD size = sizeof value;
    const LSTATUS status = RegGetValueW(
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
        L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &value, &size);
    return status == ERROR_SUCCESS && value == 0;
}

} // namespace

bool darkThemeWanted(const AppState& app) {
    const std::int8_t chosen = app.game.settings.dark;
    if (chosen != settingNotSet) return chosen == 1;
    return systemAppsUseDarkTheme();
}

bool onViewCommand(AppState& app, HWND window, WORD command) {
    switch (command) {
    case IDM_DARK_THEME:
        app.game.settings.dark = darkThemeWanted(app) ? 0 : 1;
        // The choice holds for this run even when it cannot be written.
        saveSettings(app.game.progress.savePath, app.game.settings, writeFileAtomically);
        applyTheme(app, window);
        return true;
    case IDM_SHOW_MISTAKES:
        setMistakeDisplay(app.game, !mistakeDisplayOn(app.game));
        saveSettings(app.game.progress.savePath, app.game.settings, writeFileAtomically);
        return true;
    default:
        return false;
    }
}

void checkViewItems(HMENU popup, const AppState& app) {
    CheckMenuItem(popup, IDM_DARK_THEME,
                  MF_BYCOMMAND | (darkThemeWanted(app) ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(popup, IDM_SHOW_MISTAKES,
                  MF_BYCOMMAND | (mistakeDisplayOn(app.game) ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace korvani
