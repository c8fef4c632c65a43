// The window's theme: the palette the board is drawn in (light, dark, or Windows' high-contrast
// colours) and the title bar that goes with it.
#pragma once

#include "render/palette.h"

#include <windows.h>

namespace korvani {

struct AppState;

// Whether Windows' high-contrast mode is on (SPI_GETHIGHCONTRAST).
bool highContrastOn();

// The board in Windows' own colours: window, window text, highlight, gray text and hot light.
Palette highContrastPalette();

// High contrast when Windows asks for it, otherwise dark or light as the player chose.
Palette wantedPalette(const AppState& app);

// Gives the renderer the wanted palette and the window a dark title bar where Windows offers one
// (DwmSetWindowAttribute, looked up at run time). When the palette changed and the window has a
// board, everything is built again in it and redrawn at once.
void applyTheme(AppState& app, HWND window);

} // namespace korvani
