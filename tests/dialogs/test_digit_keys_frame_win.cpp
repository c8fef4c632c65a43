// The frame a digit key draws, compared pixel for pixel with the frame of a click on a cell that
// shows the same digit, on a real window with the game's bitmaps.
#include "core/solver/solver.h"
#include "game/game_state.h"
#include "progress/progress_records.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace korvani {
namespace {

constexpr const char* puzzleText =
    "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";

// The back buffer's pixels, copied out through a DIB section.
std::vector<std::uint32_t> backBufferPixels(const BoardRenderer& renderer) {
    const Surface& back = *renderer.backBuffer;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = back.width;
    info.bmiHeader.biHeight = -back.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(back.memDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copyDC = CreateCompatibleDC(back.memDC);
    HGDIOBJ previous = SelectObject(copyDC, copy);
    BitBlt(copyDC, 0, 0, back.width, back.height, back.memDC, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + back.width * back.height);
    SelectObject(copyDC, previous);
    DeleteDC(copyDC);
    DeleteObject(copy);
    return pixels;
}

TEST(DigitKeyFrame, SameFrameAsAClickOnACellShowingTheDigit) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "korvani-digit-key-frame";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "frame", WS_POPUP, 0, 0, 522, 554,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);

    GameState game;
    Problem& problem = game.progress.problems[0];
    for (int cell = 0; cell < 81; ++cell) {
        problem.givens[cell] = puzzleText[cell] == '.' ? 0 : puzzleText[cell] - '0';
    }
    problem.solution = solveGivens(problem.givens).solution;
    game.progress.problemCount = 1;
    game.progress.records = static_cast<ProgressRecord*>(std::calloc(1, sizeof(ProgressRecord)));
    game.progress.header.recordCount = 1;
    game.progress.currentRecordIndex = 0;
    game.mainWindow = window;
    setRendererInstance(GetModuleHandleA(nullptr));
    resize(game.renderer, window, 522, 554);
    ASSERT_NE(game.renderer.backBuffer, nullptr);

    restart(game);
    const std::vector<std::uint32_t> fresh = backBufferPixels(game.renderer);

    // Cell 0 shows the given 4.
    const BoardRenderer& r = game.renderer;
    onLeftButtonDown(game, (r.colX[0] + r.colX[1]) / 2, (r.rowY[0] + r.rowY[1]) / 2);
    ASSERT_EQ(game.selectedDigit, 4);
    const std::vector<std::uint32_t> clicked = backBufferPixels(game.renderer);

    restart(game);
    onDigitKey(game, 4);
    const std::vector<std::uint32_t> keyed = backBufferPixels(game.renderer);

    EXPECT_NE(clicked, fresh); // the 4s are highlighted
    EXPECT_TRUE(keyed == clicked);

    KillTimer(window, clockTimerId);
    release(game.renderer);
    releaseRecords(game.progress);
    DestroyWindow(window);
}

} // namespace
} // namespace korvani
