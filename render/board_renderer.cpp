// Board renderer: owns the back buffer, the two bitmap resources, the tile atlas, the brushes
// and the glyph rasteriser; computes the layout for the client size and composes frames
// incrementally into the back buffer, which reaches the window as one copy.
#include "render/board_renderer.h"

#include "render/board_geometry.h"
#include "render/glyph_rasterizer.h"
#include "render/tile_atlas.h"

#include <cstdlib>
#include <new>

namespace korvani {

namespace {

HINSTANCE rendererInstance = nullptr;

constexpr COLORREF backgroundColour = 0xFFE0E0; // pale blue, as the bitmaps' own ground
constexpr COLORREF gapColour = 0x808080;
constexpr COLORREF borderColour = 0x000000;
constexpr int minimumClientSide = 32;
constexpr int highlightedImage = 5; // the highlighted forms start at image 5 of the strip
constexpr COLORREF bannerTransparent = 0xFFFFFF;
constexpr int atlasTiles = 74;

void loadBitmapSurface(Surface*& surface, HDC windowDC, int resource) {
    if (surface) return;
    HBITMAP bitmap = LoadBitmapA(rendererInstance, MAKEINTRESOURCEA(resource));
    // Without the bitmap there is nothing to wrap; the next resize tries again.
    if (bitmap) surface = wrapBitmap(windowDC, bitmap);
}

void deleteBrush(HBRUSH& brush) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
}

// Renders the 74 tiles at the current cell size into a top-down 24-bit strip and turns it into
// a bitmap compatible with the window. Any failure leaves no atlas, so the cells stay blank.
void rebuildTileAtlas(BoardRenderer& renderer, HDC windowDC) {
    releaseSurface(renderer.tileAtlas);
    const int cellSize = renderer.cellSize;
    if (cellSize <= 0 || !renderer.rasterizer) return;

    const int stride = tileAtlasStride(cellSize);
    auto* pixels = static_cast<std::uint8_t*>(
        std::malloc(static_cast<std::size_t>(stride) * static_cast<std::size_t>(cellSize)));
    if (!pixels) return;
    if (!buildTiles(*renderer.rasterizer, cellSize, stride, pixels)) {
        std::free(pixels);
        return;
    }

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = atlasTiles * cellSize;
    info.bmiHeader.biHeight = -cellSize; // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HBITMAP bitmap =
        CreateDIBitmap(windowDC, &info.bmiHeader, CBM_INIT, pixels, &info, DIB_RGB_COLORS);
    std::free(pixels);
    if (!bitmap) return;
    renderer.tileAtlas = wrapBitmap(windowDC, bitmap);
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

void setRendererInstance(HINSTANCE instance) {
    rendererInstance = instance;
}

namespace {
int artworkPercent(int artworkDpi) {
    return artworkDpi * 100 / baseDpi;
}
} // namespace

int buttonStripResourceFor(int artworkDpi) {
    return artworkDpi == baseDpi ? buttonStripResource : 1000 + artworkPercent(artworkDpi);
}

int timerFontResourceFor(int artworkDpi) {
    return artworkDpi == baseDpi ? timerFontResource : 2000 + artworkPercent(artworkDpi);
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
    if (!renderer.rasterizer) renderer.rasterizer = createGlyphRasterizer();
    const int artworkDpi = renderer.metrics.artworkDpi;
    loadBitmapSurface(renderer.buttonStrip, windowDC, buttonStripResourceFor(artworkDpi));
    loadBitmapSurface(renderer.timerFont, windowDC, timerFontResourceFor(artworkDpi));

    releaseSurface(renderer.backBuffer);
    renderer.backBuffer = createCompatibleSurface(windowDC, width, height);

    deleteBrush(renderer.backgroundBrush);
    deleteBrush(renderer.gapBrush);
    deleteBrush(renderer.borderBrush);
    renderer.backgroundBrush = CreateSolidBrush(backgroundColour);
    renderer.gapBrush = CreateSolidBrush(gapColour);
    renderer.borderBrush = CreateSolidBrush(borderColour);

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
    renderer.cellSize = g.cellSize;

    HDC windowDC = GetDC(window);
    rebuildTileAtlas(renderer, windowDC);
    ReleaseDC(window, windowDC);

    renderer.buttonBarX = g.buttonBarX;
    renderer.clockX = g.clockX;
    paintBoardBackground(renderer, g.boardSize);
}

void drawCells(BoardRenderer& renderer, const CellGrid& givens, const CellGrid& userGrid,
               int hoveredCell, std::int8_t selectedDigit) {
    if (!renderer.backBuffer || !renderer.tileAtlas) return;
    const int size = renderer.cellSize;
    const auto selected = static_cast<std::uint8_t>(selectedDigit);
    for (int cell = 0; cell < 81; ++cell) {
        const int tile = tileForCell(givens[cell], userGrid[cell], selected, cell == hoveredCell);
        BitBlt(renderer.backBuffer->memDC, renderer.colX[columnOf(cell)],
               renderer.rowY[rowOf(cell)], size, size, renderer.tileAtlas->memDC, tile * size, 0,
               SRCCOPY);
    }
}

void drawButtonBar(BoardRenderer& renderer, int hoveredButton) {
    if (!renderer.backBuffer || !renderer.buttonStrip) return;
    const LayoutMetrics& m = renderer.metrics;
    for (int button = 0; button < 2; ++button) {
        const int image = button + (hoveredButton == button ? highlightedImage : 0);
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
                   m.clockGlyphHeight, m.bannerWidth, m.bannerHeight, bannerTransparent);
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
    destroyGlyphRasterizer(renderer.rasterizer);
    renderer.rasterizer = nullptr;
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
