// Board renderer: owns the back buffer, the button strip and clock font (bitmaps 113 and 115
// as the shell handed them, or drawn at run time), the tile atlas, the brushes and the glyphs'
// coverage; computes the layout for the client size and composes frames
// incrementally into the back buffer, which reaches the window as one copy.
#include "render/board_renderer.h"

#include "render/band_text.h"
#include "render/board_geometry.h"
#include "render/mistake_tiles.h"
#include "render/note_glyphs.h"
#include "render/tile_atlas.h"

#include <utility>
#include <vector>

namespace korvani {

namespace {

constexpr int minimumClientSide = 32;
constexpr int atlasTiles = 74;

COLORREF colourRef(BgrColour colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

// A bitmap compatible with the window holding the picture, in its own memory DC; null when it
// cannot be made (the next resize tries again).
Surface* surfaceFromPicture(HDC windowDC, const Picture& picture) {
    if (picture.empty()) return nullptr;
    BITMAPINFO info = topDownInfo(picture.width, picture.height);
    HBITMAP bitmap = CreateDIBitmap(windowDC, &info.bmiHeader, CBM_INIT, picture.bgr.data(), &info,
                                    DIB_RGB_COLORS);
    return bitmap ? wrapBitmap(windowDC, bitmap) : nullptr;
}

// The button strip and the clock font of the current scale and palette.
void makeBandSurfaces(BoardRenderer& renderer, HDC windowDC) {
    const bool bitmaps = showsBandBitmaps(renderer);
    if (!renderer.buttonStrip)
        renderer.buttonStrip = surfaceFromPicture(
            windowDC, bitmaps ? renderer.bitmapButtonStrip
                              : drawButtonStrip(renderer.metrics, renderer.palette, windowDC));
    if (!renderer.timerFont)
        renderer.timerFont = surfaceFromPicture(
            windowDC, bitmaps ? renderer.bitmapClockFont
                              : drawClockFont(renderer.glyphCoverage, renderer.metrics,
                                              renderer.palette, windowDC));
}

void deleteBrush(HBRUSH& brush) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
}

using StripPainter = void (*)(GlyphCoverage&, int cellSize, int stride, std::uint8_t* pixels,
                              const Palette& palette);

// A strip of `tiles` tiles painted by `paint` into a top-down 24-bit buffer and turned into a
// bitmap compatible with `dc`; null on any failure.
Surface* paintStrip(GlyphCoverage& coverage, HDC dc, int cellSize, int tiles, int stride,
                    StripPainter paint, const Palette& palette) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * cellSize);
    paint(coverage, cellSize, stride, pixels.data(), palette);
    BITMAPINFO info = topDownInfo(tiles * cellSize, cellSize);
    HBITMAP bitmap =
        CreateDIBitmap(dc, &info.bmiHeader, CBM_INIT, pixels.data(), &info, DIB_RGB_COLORS);
    return bitmap ? wrapBitmap(dc, bitmap) : nullptr;
}

// Renders the 74 tiles at the current cell size into a top-down 24-bit strip and turns it into
// a bitmap compatible with the window. Any failure leaves no atlas, so the cells stay blank.
void rebuildTileAtlas(BoardRenderer& renderer, HDC windowDC) {
    releaseSurface(renderer.tileAtlas);
    const int cellSize = renderer.cellSize;
    if (cellSize <= 0) return;

    renderer.tileAtlas = paintStrip(renderer.glyphCoverage, windowDC, cellSize, atlasTiles,
                                    tileAtlasStride(cellSize), buildTiles, renderer.palette);
}

void releaseNoteResources(BoardRenderer& renderer) {
    renderer.noteGlyphs = NoteGlyphs{};
    releaseSurface(renderer.noteTile);
    renderer.noteTileBits = nullptr;
}

// The note glyphs and the one-cell tile for the current cell size, and the frame brushes in the
// palette's colours. Without the one-cell tile the notes stay undrawn: their cells show the
// plain empty tile.
void rebuildNoteResources(BoardRenderer& renderer, HDC windowDC) {
    releaseNoteResources(renderer);
    // The hint's frames by CellFrame (target, pattern, mistake): clear colours, none of them the
    // selection's dotted red, and solid where the selection is dotted.
    const BgrColour frameColours[3] = {renderer.palette.hintTarget, renderer.palette.hintPattern,
                                       renderer.palette.mistakeFrame};
    for (int k = 0; k < 3; ++k) {
        deleteBrush(renderer.frameBrushes[k]);
        renderer.frameBrushes[k] = CreateSolidBrush(colourRef(frameColours[k]));
    }
    const int cellSize = renderer.cellSize;
    if (cellSize <= 0) return;
    renderer.noteGlyphs = makeNoteGlyphs(renderer.glyphCoverage, cellSize, renderer.palette);
    const BITMAPINFO info = topDownInfo(cellSize, cellSize);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return;
    renderer.noteTile = wrapBitmap(windowDC, bitmap);
    if (renderer.noteTile) renderer.noteTileBits = static_cast<std::uint8_t*>(bits);
}

// The memory DC and x in it of a cell's finished tile: the atlas's tile, or for an empty cell
// with notes (emptyCellNotes not 0) the note tile painted afresh.
HDC cellSource(BoardRenderer& renderer, int tile, DigitMask emptyCellNotes, std::uint8_t selected,
               bool hovered, int& sourceX) {
    sourceX = tile * renderer.cellSize;
    if (emptyCellNotes == 0 || !renderer.noteTileBits) return renderer.tileAtlas->memDC;
    // The copy of the previous note cell may still be queued against these pixels.
    GdiFlush();
    const int stride = (3 * renderer.cellSize + 3) & ~3;
    paintNoteTile(renderer.noteGlyphs, emptyCellNotes, selected, hovered, renderer.noteTileBits,
                  stride);
    sourceX = 0;
    return renderer.noteTile->memDC;
}

// The red tiles, painted the first time they are needed at this cell size, from the coverage
// that the atlas has already computed.
Surface* mistakeTiles(BoardRenderer& renderer) {
    if (!renderer.mistakeTiles && renderer.cellSize > 0)
        renderer.mistakeTiles =
            paintStrip(renderer.glyphCoverage, renderer.backBuffer->memDC, renderer.cellSize,
                       mistakeTileCount, mistakeStripStride(renderer.cellSize), buildMistakeTiles,
                       renderer.palette);
    return renderer.mistakeTiles;
}

// The board inside its black outline: the square the layout paints grey.
RECT boardInterior(const BoardRenderer& renderer) {
    const int outline = renderer.metrics.outline;
    const int rim = outline + renderer.metrics.edgeGap;
    const int left = renderer.colX[0] - rim + outline;
    const int top = renderer.rowY[0] - rim + outline;
    return {left, top, renderer.colX[9] - outline, renderer.rowY[9] - outline};
}

// A hint's frame along the inside of the cell, a little thicker on larger cells.
void drawCellFrame(BoardRenderer& renderer, HBRUSH brush, int x, int y) {
    const int size = renderer.cellSize;
    const int width = size / 16 < 2 ? 2 : size / 16;
    Surface& back = *renderer.backBuffer;
    fillRect(back, brush, x, y, size, width);
    fillRect(back, brush, x, y + size - width, size, width);
    fillRect(back, brush, x, y + width, width, size - 2 * width);
    fillRect(back, brush, x + size - width, y + width, width, size - 2 * width);
}

void paintBoardBackground(BoardRenderer& renderer, int boardSize) {
    Surface& back = *renderer.backBuffer;
    const int outline = renderer.metrics.outline;
    const int rim = outline + renderer.metrics.edgeGap;
    fillRect(back, renderer.backgroundBrush, 0, 0, back.width, back.height);
    fillRect(back, renderer.borderBrush, renderer.colX[0] - rim, renderer.rowY[0] - rim, boardSize,
             boardSize);
    fillRect(back, renderer.gapBrush, renderer.colX[0] - rim + outline,
             renderer.rowY[0] - rim + outline, boardSize - 2 * outline, boardSize - 2 * outline);
}

} // namespace

void setBandBitmaps(BoardRenderer& renderer, Picture buttonStrip, Picture clockFont) {
    renderer.bitmapButtonStrip = std::move(buttonStrip);
    renderer.bitmapClockFont = std::move(clockFont);
    releaseSurface(renderer.buttonStrip);
    releaseSurface(renderer.timerFont);
}

bool showsBandBitmaps(const BoardRenderer& renderer) {
    return renderer.metrics.dpi == baseDpi && renderer.palette == lightPalette &&
           !renderer.drawBandAtRunTime && !renderer.bitmapButtonStrip.empty() &&
           !renderer.bitmapClockFont.empty();
}

bool setPalette(BoardRenderer& renderer, const Palette& palette) {
    if (palette == renderer.palette) return false;
    renderer.palette = palette;
    releaseSurface(renderer.backBuffer);
    releaseSurface(renderer.buttonStrip);
    releaseSurface(renderer.timerFont);
    return true;
}

bool setDisplayScale(BoardRenderer& renderer, int dpi) {
    const LayoutMetrics metrics = layoutMetrics(dpi);
    if (metrics.dpi == renderer.metrics.dpi) return false;
    renderer.metrics = metrics;
    releaseSurface(renderer.backBuffer);
    releaseSurface(renderer.buttonStrip);
    releaseSurface(renderer.timerFont);
    return true;
}

void resize(BoardRenderer& renderer, HWND window, int width, int height) {
    if (width < minimumClientSide || height < minimumClientSide) return;
    if (renderer.backBuffer && renderer.backBuffer->width == width &&
        renderer.backBuffer->height == height)
        return;

    HDC windowDC = GetDC(window);
    makeBandSurfaces(renderer, windowDC);

    releaseSurface(renderer.backBuffer);
    renderer.backBuffer = createCompatibleSurface(windowDC, width, height);

    deleteBrush(renderer.backgroundBrush);
    deleteBrush(renderer.gapBrush);
    deleteBrush(renderer.borderBrush);
    renderer.backgroundBrush = CreateSolidBrush(colourRef(renderer.palette.band));
    renderer.gapBrush = CreateSolidBrush(colourRef(renderer.palette.boardGap));
    renderer.borderBrush = CreateSolidBrush(colourRef(renderer.palette.boardBorder));

    ReleaseDC(window, windowDC);
    layout(renderer, window);
}

void layout(BoardRenderer& renderer, HWND window) {
    if (!renderer.backBuffer) return;
    const BoardGeometry g = computeBoardGeometry(renderer.backBuffer->width,
                                                 renderer.backBuffer->height, renderer.metrics);
    for (int i = 0; i < 10; ++i) {
        renderer.colX[i] = g.colX[i];
        renderer.rowY[i] = g.rowY[i];
    }
    // The coverage of the sizes left behind is not needed again.
    if (g.cellSize != renderer.cellSize) renderer.glyphCoverage.clear();
    renderer.cellSize = g.cellSize;

    HDC windowDC = GetDC(window);
    releaseSurface(renderer.mistakeTiles);
    rebuildTileAtlas(renderer, windowDC);
    rebuildNoteResources(renderer, windowDC);
    ReleaseDC(window, windowDC);

    renderer.buttonBarX = g.buttonBarX;
    renderer.clockX = g.clockX;
    paintBoardBackground(renderer, g.boardSize);
}

void drawCells(BoardRenderer& renderer, const CellGrid& givens, const CellGrid& userGrid,
               int hoveredCell, std::int8_t selectedDigit, const NoteGrid* notes,
               const CellFrame* frames, const bool* redDigits) {
    if (!renderer.backBuffer || !renderer.tileAtlas) return;
    const int size = renderer.cellSize;
    const auto selected = static_cast<std::uint8_t>(selectedDigit);
    for (int cell = 0; cell < 81; ++cell) {
        const bool hovered = cell == hoveredCell;
        const int tile = tileForCell(givens[cell], userGrid[cell], selected, hovered);
        const int x = renderer.colX[columnOf(cell)];
        const int y = renderer.rowY[rowOf(cell)];
        const bool empty = givens[cell] == 0 && userGrid[cell] == 0;
        int sourceX = 0;
        HDC source = cellSource(renderer, tile, empty && notes ? (*notes)[cell] : 0, selected,
                                hovered, sourceX);
        if (redDigits && redDigits[cell] && givens[cell] == 0 && userGrid[cell] != 0 &&
            mistakeTiles(renderer)) {
            source = renderer.mistakeTiles->memDC;
            sourceX = mistakeTileFor(userGrid[cell], selected, hovered) * size;
        }
        BitBlt(renderer.backBuffer->memDC, x, y, size, size, source, sourceX, 0, SRCCOPY);
        const int frame = frames ? static_cast<int>(frames[cell]) : 0;
        if (frame != 0 && renderer.frameBrushes[frame - 1])
            drawCellFrame(renderer, renderer.frameBrushes[frame - 1], x, y);
    }
}

void drawButtonBar(BoardRenderer& renderer, int hoveredButton) {
    if (!renderer.backBuffer || !renderer.buttonStrip) return;
    const LayoutMetrics& m = renderer.metrics;
    // The lit forms follow the plain ones: five and five in bitmap 113, two and two when drawn.
    const int litImage = renderer.buttonStrip->width / m.buttonWidth / 2;
    for (int button = 0; button < buttonCount; ++button) {
        const int image = button + (hoveredButton == button ? litImage : 0);
        BitBlt(renderer.backBuffer->memDC, renderer.buttonBarX + m.buttonWidth * button, m.buttonY,
               m.buttonWidth, m.buttonHeight, renderer.buttonStrip->memDC, m.buttonWidth * image, 0,
               SRCCOPY);
    }
}

void drawClock(BoardRenderer& renderer, int seconds) {
    if (!renderer.backBuffer || !renderer.timerFont) return;
    ClockGlyph glyphs[5];
    const LayoutMetrics& m = renderer.metrics;
    clockGlyphs(renderer.clockX, seconds, m, glyphs);
    for (const ClockGlyph& glyph : glyphs)
        BitBlt(renderer.backBuffer->memDC, glyph.destX, m.clockGlyphY, glyph.width,
               m.clockGlyphHeight, renderer.timerFont->memDC, glyph.sourceX, 0, SRCCOPY);
}

void drawClearBanner(BoardRenderer& renderer) {
    if (!renderer.backBuffer) return;
    Surface& back = *renderer.backBuffer;
    const LayoutMetrics& m = renderer.metrics;
    fillRect(back, renderer.backgroundBrush, 0, 0, renderer.buttonBarX + 2 * m.buttonWidth, m.band);
    int x = 0;
    int y = 0;
    if (!renderer.timerFont ||
        !bannerPosition(back.width, back.height, m.bannerWidth, m.bannerHeight, x, y))
        return;
    // Same size on both sides: the banner is drawn for this scale, never stretched. It lies
    // below the clock glyphs' rows in the font strip.
    TransparentBlt(back.memDC, x, y, m.bannerWidth, m.bannerHeight, renderer.timerFont->memDC, 0,
                   m.clockGlyphHeight, m.bannerWidth, m.bannerHeight,
                   colourRef(renderer.palette.bannerKey));
}

HFONT createUiFont(int height) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font = {};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = metrics.lfMessageFont;
    else
        lstrcpyW(font.lfFaceName, L"MS UI Gothic");
    font.lfHeight = -height;
    font.lfWidth = 0;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    return CreateFontIndirectW(&font);
}

void drawPausePanel(BoardRenderer& renderer, bool shown) {
    if (!renderer.backBuffer || renderer.cellSize <= 0) return;
    Surface& back = *renderer.backBuffer;
    const RECT interior = boardInterior(renderer);
    const int width = interior.right - interior.left;
    const int height = interior.bottom - interior.top;
    if (!shown) {
        fillRect(back, renderer.gapBrush, interior.left, interior.top, width, height);
        return;
    }
    HBRUSH ground = CreateSolidBrush(colourRef(renderer.palette.pauseGround));
    if (ground) {
        fillRect(back, ground, interior.left, interior.top, width, height);
        DeleteObject(ground);
    }
    HFONT font = createUiFont(renderer.cellSize / 2 + 2);
    HGDIOBJ previousFont = font ? SelectObject(back.memDC, font) : nullptr;
    const int previousMode = SetBkMode(back.memDC, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(back.memDC, colourRef(renderer.palette.pauseText));
    static constexpr wchar_t text[] = L"\u4E00\u6642\u505C\u6B62\u4E2D"; // 一時停止中
    RECT box = interior;
    DrawTextW(back.memDC, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(back.memDC, previousColour);
    SetBkMode(back.memDC, previousMode);
    if (font) {
        SelectObject(back.memDC, previousFont);
        DeleteObject(font);
    }
}

void presentFrame(BoardRenderer& renderer, HWND window) {
    if (!renderer.backBuffer) return;
    HDC windowDC = GetDC(window);
    BitBlt(windowDC, 0, 0, renderer.backBuffer->width, renderer.backBuffer->height,
           renderer.backBuffer->memDC, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDC);
}

void release(BoardRenderer& renderer) {
    releaseSurface(renderer.backBuffer);
    releaseSurface(renderer.buttonStrip);
    releaseSurface(renderer.timerFont);
    releaseSurface(renderer.tileAtlas);
    releaseSurface(renderer.mistakeTiles);
    releaseNoteResources(renderer);
    for (HBRUSH& brush : renderer.frameBrushes) deleteBrush(brush);
    renderer.glyphCoverage.clear();
    deleteBrush(renderer.backgroundBrush);
    deleteBrush(renderer.gapBrush);
    deleteBrush(renderer.borderBrush);
}

void paintFromBackBuffer(const BoardRenderer& renderer, HDC paintDC) {
    if (!renderer.backBuffer) return;
    BitBlt(paintDC, 0, 0, renderer.backBuffer->width, renderer.backBuffer->height,
           renderer.backBuffer->memDC, 0, 0, SRCCOPY);
}

} // namespace korvani
