// The 表示 menu: the dark theme's and the mistake display's items, which the player's settings
// file remembers, and the check marks of its items.
#pragma once

#include <windows.h>

namespace korvani {

struct AppState;

// Whether the board is drawn dark: the player's choice from the settings file, or, while they
// never chose, Windows' app theme (AppsUseLightTheme 0 under the user's Personalize key).
bool darkThemeWanted(const AppState& app);

// Runs the 表示 command `command`; false for any other id.
bool onViewCommand(AppState& app, HWND window, WORD command);

// Puts the check marks on the 表示 items of a popup that is about to open (WM_INITMENUPOPUP);
// other menus are left as they are.
void checkViewItems(HMENU popup, const AppState& app);

} // namespace korvani
