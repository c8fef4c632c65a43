// The board renderer on a hidden window: the back buffer and layout for a client size, which
// sizes change nothing, and every drawing operation compared pixel for pixel with its source
// (tile strip, button strip, clock font) in the renderer's own memory DCs.
#include "render/board_geometry.h"
#include "render/board_renderer.h"
#include "render/tile_atlas.h"
#include "win/band_bitmaps.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace korvani {
namespace {

constexpr COLORREF background = 0xFFE0E0;
constexpr COLORREF grey = 0x808080;
constexpr COLORREF black = 0x000000;

class RendererTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = "KorvaniRendererTest";
        RegisterClassExA(&windowClass);
        window = CreateWindowExA(0, "KorvaniRendererTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 700,
                                 nullptr, nullptr, instance, nullptr);
        ASSERT_NE(window, nullptr);
        loadBandBitmaps(instance, renderer);
    }
    void TearDown() override {
        release(renderer);
        DestroyWindow(window);
    }

    COLORREF back(int x, int y) const { return GetPixel(renderer.backBuffer->memDC, x, y); }

    // The rectangle of the back buffer at (x, y) equals the source surface's at (sx, sy).
    ::testing::AssertionResult sameAs(const Surface& source, int sx, int sy, int x, int y,
                                      int width, int height) const {
        for (int dy = 0; dy < height; ++dy)
            for (int dx = 0; dx < width; ++dx)
                if (GetPixel(source.memDC, sx + dx, sy + dy) != back(x + dx, y + dy))
                    return ::testing::AssertionFailure()
                           << "pixel (" << x + dx << ", " << y + dy << ") differs";
        return ::testing::AssertionSuccess();
    }

    HWND window = nullptr;
    BoardRenderer renderer;
};

TEST_F(RendererTest, ResizeMakesTheBackBufferAndPaintsOnlyTheBackground) {
    resize(renderer, window, 522, 554);
    ASSERT_NE(renderer.backBuffer, nullptr);
    ASSERT_NE(renderer.tileAtlas, nullptr);
    ASSERT_NE(renderer.buttonStrip, nullptr);
    ASSERT_NE(renderer.timerFont, nullptr);
    EXPECT_EQ(renderer.backBuffer->width, 522);
    EXPECT_EQ(renderer.backBuffer->height, 554);
    EXPECT_EQ(renderer.buttonStrip->width, 900);
    EXPECT_EQ(renderer.buttonStrip->height, 30);
    EXPECT_EQ(renderer.timerFont->width, 293);
    EXPECT_EQ(renderer.timerFont->height, 107);
    EXPECT_EQ(renderer.cellSize, 52);
    EXPECT_EQ(renderer.tileAtlas->width, 74 * 52);
    EXPECT_EQ(renderer.tileAtlas->height, 52);
    EXPECT_EQ(renderer.colX[0], 15);
    EXPECT_EQ(renderer.rowY[9], 539);
    EXPECT_EQ(renderer.buttonBarX, 11);
    EXPECT_EQ(renderer.clockX, 439);
    // No cells, buttons or clock yet: background, outline and the grey square only.
    EXPECT_EQ(back(0, 0), background);
    EXPECT_EQ(back(50, 16), background);  // where button 0 will go
    EXPECT_EQ(back(470, 20), background); // where the clock will go
    EXPECT_EQ(back(11, 43), black);
    EXPECT_EQ(back(506, 538), black);
    EXPECT_EQ(back(13, 45), grey);
    EXPECT_EQ(back(40, 70), grey); // inside cell (0, 0)
    EXPECT_EQ(back(507, 539), background);
}

TEST_F(RendererTest, TinyOrUnchangedSizesKeepTheBackBuffer) {
    resize(renderer, window, 522, 554);
    SetPixel(renderer.backBuffer->memDC, 1, 1, 0x123456);
    resize(renderer, window, 0, 0);
    resize(renderer, window, 31, 600);
    resize(renderer, window, 522, 554);
    EXPECT_EQ(back(1, 1), static_cast<COLORREF>(0x123456));
    EXPECT_EQ(renderer.backBuffer->width, 522);

    // One pixel more: the same layout, but a new back buffer painted afresh.
    resize(renderer, window, 523, 555);
    EXPECT_EQ(back(1, 1), background);
    EXPECT_EQ(renderer.backBuffer->width, 523);
    EXPECT_EQ(renderer.colX[0], 15);
    EXPECT_EQ(renderer.rowY[0], 47);
}

TEST_F(RendererTest, CellsAreCopiedFromTheirTiles) {
    resize(renderer, window, 522, 554);
    CellGrid givens{};
    CellGrid user{};
    givens[0] = 5; // selected and hovered: tile 58
    givens[1] = 5; // selected: tile 22
    givens[2] = 3; // tile 2
    user[3] = 3;   // tile 11
    user[4] = 5;   // player's 5, selected: tile 31
    user[5] = 7;   // hidden under no given: tile 15
    givens[6] = 9;
    user[6] = 4; // the given wins: tile 8
    const int hovered = 0;
    drawCells(renderer, givens, user, hovered, 5);
    const int expected[] = {58, 22, 2, 11, 31, 15, 8, 72, 72};
    for (int c = 0; c < 9; ++c)
        EXPECT_TRUE(sameAs(*renderer.tileAtlas, expected[c] * 52, 0, renderer.colX[c],
                           renderer.rowY[0], 52, 52))
            << "cell " << c;
    // The rest of the board: empty cells, white; the gaps stay grey.
    EXPECT_TRUE(
        sameAs(*renderer.tileAtlas, 72 * 52, 0, renderer.colX[8], renderer.rowY[8], 52, 52));
    EXPECT_EQ(back(renderer.colX[0] + 52, 60), grey);

    // Nothing selected (the byte 0xFF) and no cell hovered.
    drawCells(renderer, givens, user, -1, -1);
    EXPECT_TRUE(sameAs(*renderer.tileAtlas, 4 * 52, 0, renderer.colX[0], renderer.rowY[0], 52, 52));
    EXPECT_TRUE(
        sameAs(*renderer.tileAtlas, 13 * 52, 0, renderer.colX[4], renderer.rowY[0], 52, 52));
}

TEST_F(RendererTest, ButtonsAndClockComeFromTheirStrips) {
    resize(renderer, window, 800, 554); // the board moves right: bar at 150, clock at 578
    drawButtonBar(renderer, 1);
    EXPECT_TRUE(sameAs(*renderer.buttonStrip, 0, 0, 150, 2, 90, 30));
    EXPECT_TRUE(sameAs(*renderer.buttonStrip, 540, 0, 240, 2, 90, 30));
    drawButtonBar(renderer, 7); // no button hovered
    EXPECT_TRUE(sameAs(*renderer.buttonStrip, 90, 0, 240, 2, 90, 30));

    drawClock(renderer, 599); // blank, 9, colon, 5, 9
    const int sources[] = {150, 135, 165, 75, 135};
    const int offsets[] = {0, 15, 30, 38, 53};
    const int widths[] = {15, 15, 8, 15, 15};
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(sameAs(*renderer.timerFont, sources[k], 0, 578 + offsets[k], 11, widths[k], 19))
            << "glyph " << k;
    drawClock(renderer, 600); // 10:00
    EXPECT_TRUE(sameAs(*renderer.timerFont, 15, 0, 578, 11, 15, 19));
    EXPECT_TRUE(sameAs(*renderer.timerFont, 0, 0, 593, 11, 15, 19));
}

TEST_F(RendererTest, BannerBlanksTheBarAndKeepsTheClock) {
    resize(renderer, window, 522, 554);
    CellGrid givens{};
    givens.fill(1);
    drawCells(renderer, givens, CellGrid{}, -1, -1);
    drawButtonBar(renderer, -1);
    drawClock(renderer, 75);
    // The board before the banner, to check that white is transparent.
    HDC copyDC = CreateCompatibleDC(renderer.backBuffer->memDC);
    HBITMAP copy = CreateCompatibleBitmap(renderer.backBuffer->memDC, 522, 554);
    HGDIOBJ previous = SelectObject(copyDC, copy);
    BitBlt(copyDC, 0, 0, 522, 554, renderer.backBuffer->memDC, 0, 0, SRCCOPY);

    drawClearBanner(renderer);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 191; ++x) ASSERT_EQ(back(x, y), background) << x << ", " << y;
    EXPECT_TRUE(sameAs(*renderer.timerFont, 15, 0, 454, 11, 15, 19)); // the clock's 1 stays
    int lettering = 0;
    for (int y = 0; y < bannerHeight; ++y)
        for (int x = 0; x < bannerWidth; ++x) {
            const COLORREF source = GetPixel(renderer.timerFont->memDC, x, bannerSourceY + y);
            const COLORREF expected =
                source == 0xFFFFFF ? GetPixel(copyDC, 114 + x, 233 + y) : source;
            ASSERT_EQ(back(114 + x, 233 + y), expected) << x << ", " << y;
            lettering += source != 0xFFFFFF;
        }
    EXPECT_GT(lettering, 1000);
    SelectObject(copyDC, previous);
    DeleteDC(copyDC);
    DeleteObject(copy);
}

TEST_F(RendererTest, BandDrawnAtRunTimeAt100PercentAndInAnotherPalette) {
    // Asked for, the band is drawn at 100 % too: two buttons and their lit forms.
    renderer.drawBandAtRunTime = true;
    resize(renderer, window, 800, 554);
    ASSERT_NE(renderer.buttonStrip, nullptr);
    EXPECT_FALSE(showsBandBitmaps(renderer));
    EXPECT_EQ(renderer.buttonStrip->width, 4 * 90);
    EXPECT_EQ(renderer.timerFont->width, 293);
    drawButtonBar(renderer, 1);
    EXPECT_TRUE(sameAs(*renderer.buttonStrip, 0, 0, 150, 2, 90, 30));
    EXPECT_TRUE(sameAs(*renderer.buttonStrip, 270, 0, 240, 2, 90, 30)); // lit: image 3
    // The labels are drawn: dark pixels on the face of both buttons.
    for (int button = 0; button < 2; ++button) {
        int dark = 0;
        for (int y = 6; y < 24; ++y)
            for (int x = 8; x < 80; ++x)
                dark += GetPixel(renderer.buttonStrip->memDC, 90 * button + x, y) == black;
        EXPECT_GT(dark, 20) << button;
    }
    drawClock(renderer, 599);
    EXPECT_TRUE(sameAs(*renderer.timerFont, 135, 0, 593, 11, 15, 19));

    // Another palette: the background, the board's lines and the buttons take its colours.
    release(renderer);
    renderer = BoardRenderer{};
    renderer.palette.band = {0x30, 0x20, 0x20};
    renderer.palette.boardGap = {0x40, 0x40, 0x40};
    renderer.palette.buttonFace = {0x50, 0x50, 0x40};
    resize(renderer, window, 522, 554);
    EXPECT_FALSE(showsBandBitmaps(renderer));
    drawButtonBar(renderer, -1);
    EXPECT_EQ(back(0, 0), RGB(0x20, 0x20, 0x30));
    EXPECT_EQ(back(13, 45), RGB(0x40, 0x40, 0x40));
    EXPECT_EQ(back(11 + 3, 2 + 15), RGB(0x40, 0x50, 0x50));
}

TEST_F(RendererTest, SmallBuffersDrawNothingOutsideThemselves) {
    // 200 x 120: too narrow for the banner, which is then not drawn at all.
    resize(renderer, window, 200, 120);
    drawClearBanner(renderer);
    for (int y = 32; y < 120; ++y)
        for (int x = 0; x < 200; ++x) ASSERT_NE(back(x, y), static_cast<COLORREF>(0x8000E0));
    // 40 x 40: cell size 0; there is no tile strip, and drawing cells does nothing.
    resize(renderer, window, 40, 40);
    EXPECT_EQ(renderer.cellSize, 0);
    EXPECT_EQ(renderer.tileAtlas, nullptr);
    drawCells(renderer, CellGrid{}, CellGrid{}, 3, 4);
    drawButtonBar(renderer, 0);
    drawClock(renderer, 100000);
    drawClearBanner(renderer);
    presentFrame(renderer, window);
    EXPECT_EQ(renderer.backBuffer->width, 40);
}

TEST_F(RendererTest, WithoutABackBufferNothingIsDrawn) {
    drawCells(renderer, CellGrid{}, CellGrid{}, 0, 1);
    drawButtonBar(renderer, 0);
    drawClock(renderer, 5);
    drawClearBanner(renderer);
    presentFrame(renderer, window);
    layout(renderer, window);
    EXPECT_EQ(renderer.backBuffer, nullptr);
    EXPECT_EQ(renderer.tileAtlas, nullptr);
}

TEST_F(RendererTest, ReleaseFreesEverything) {
    resize(renderer, window, 522, 554);
    resize(renderer, window, 700, 600);
    release(renderer);
    EXPECT_EQ(renderer.backBuffer, nullptr);
    EXPECT_EQ(renderer.buttonStrip, nullptr);
    EXPECT_EQ(renderer.timerFont, nullptr);
    EXPECT_EQ(renderer.tileAtlas, nullptr);
    EXPECT_EQ(renderer.backgroundBrush, nullptr);
    EXPECT_EQ(renderer.gapBrush, nullptr);
    EXPECT_EQ(renderer.borderBrush, nullptr);
    release(renderer); // a second release is harmless
}

} // namespace
} // namespace korvani
