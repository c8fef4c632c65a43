// The board renderer: the back buffer and every other GDI resource that draws the client area
// (button strip and clock font, the tile atlas, three brushes, the glyphs' coverage), the screen
// geometry (which the shell hands to the hit tests), and the drawing operations behind the
// rules' view.
#pragma once

#include "core/grid.h"
#include "render/band_art.h"
#include "render/board_geometry.h"
#include "render/glyph_coverage.h"
#include "render/note_glyphs.h"
#include "render/palette.h"
#include "render/surface.h"

#include <windows.h>

#include <cstdint>

namespace korvani {

// A frame drawn over a cell's tile: none, or one of a hint's marks.
enum class CellFrame : std::uint8_t { None, HintTarget, HintPattern, Mistake };

struct BoardRenderer {
    Surface* backBuffer = nullptr;
    Surface* buttonStrip = nullptr;
    Surface* timerFont = nullptr;
    Surface* tileAtlas = nullptr;
    GlyphCoverage glyphCoverage; // every glyph's coverage at the sizes the layout uses
    HBRUSH backgroundBrush = nullptr;
    HBRUSH gapBrush = nullptr;
    HBRUSH borderBrush = nullptr;
    std::int32_t colX[10] = {};
    std::int32_t rowY[10] = {};
    std::int32_t cellSize = 0;
    std::int32_t buttonBarX = 0;
    std::int32_t clockX = 0;
    LayoutMetrics metrics; // the display scale's pixel quantities; 96 DPI until told otherwise
    Palette palette = lightPalette;
    // Bitmaps 113 and 115 as the shell loaded them: the button strip and clock font of the light
    // palette at 100 %. Everywhere else, or with drawBandAtRunTime, both are drawn at run time.
    Picture bitmapButtonStrip;
    Picture bitmapClockFont;
    bool drawBandAtRunTime = false;
    // The notes: their glyphs at the current cell size, and one cell's tile in a 24-bit top-down
    // DIB section into which an empty cell with notes is painted before its copy. Both are
    // rebuilt at every layout after the tile atlas.
    NoteGlyphs noteGlyphs;
    Surface* noteTile = nullptr;
    std::uint8_t* noteTileBits = nullptr; // the DIB section's pixels, owned by noteTile's bitmap
    // The hint's frames, one brush per kind (target, pattern, mistake), made at the first layout.
    HBRUSH frameBrushes[3] = {};
    // The player's digits in red (mistake_tiles.h) at the current cell size: built the first time
    // a red digit is drawn after a layout, so that a game without the mistake display never
    // paints them.
    Surface* mistakeTiles = nullptr;
};

// Sets the window's display scale. When it changes, the back buffer and the band's pictures
// go, so that the next resize builds everything again at the new scale; returns whether it
// changed.
bool setDisplayScale(BoardRenderer& renderer, int dpi);

// Sets the colours of everything drawn (a theme). When they change, the back buffer and the
// band's pictures go, so that the next resize builds everything again in them; returns whether
// they changed.
bool setPalette(BoardRenderer& renderer, const Palette& palette);

// Hands the renderer the pixels of bitmaps 113 and 115, which it shows at 100 % in the light
// palette instead of drawing them.
void setBandBitmaps(BoardRenderer& renderer, Picture buttonStrip, Picture clockFont);

// Whether the band's pictures are bitmaps 113 and 115 rather than drawn at run time.
bool showsBandBitmaps(const BoardRenderer& renderer);

// Every drawing operation below does nothing until a back buffer exists (no window yet, or none
// of at least 32 x 32), so the rules of play can run without a window.
void resize(BoardRenderer& renderer, HWND window, int width, int height);
void layout(BoardRenderer& renderer, HWND window);
// Each cell is one copy from the tile atlas, except an empty cell with notes (its tile is
// painted with the notes first) and a placed digit that redDigits marks (the red tile); a cell
// whose frame is not None gets that frame over its tile. Without notes, frames and red digits
// (null, or all zero) the cells are exactly the atlas's tiles.
void drawCells(BoardRenderer& renderer, const CellGrid& givens, const CellGrid& userGrid,
               int hoveredCell, std::int8_t selectedDigit, const NoteGrid* notes = nullptr,
               const CellFrame* frames = nullptr, const bool* redDigits = nullptr);
// The pause panel over the board inside its outline: a quiet ground with "一時停止中" in the
// system's UI font, so that no digit or note shows. Not shown: the board's grey interior as the
// layout paints it, for the cells to be drawn on again.
void drawPausePanel(BoardRenderer& renderer, bool shown);

// The system's UI font (its message font) at a height in device pixels; the caller deletes it.
HFONT createUiFont(int height);
void drawButtonBar(BoardRenderer& renderer, int hoveredButton);
void drawClock(BoardRenderer& renderer, int seconds);
void drawClearBanner(BoardRenderer& renderer);
void presentFrame(BoardRenderer& renderer, HWND window);
void release(BoardRenderer& renderer);

// Copies the back buffer to a paint DC (WM_PAINT); nothing is drawn anew.
void paintFromBackBuffer(const BoardRenderer& renderer, HDC paintDC);

} // namespace korvani
