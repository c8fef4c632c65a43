// The rules' view on a real hidden window under Wine: timer 1 drives the clock, the two message
// boxes with their caption, owner and buttons, command 105, and hit areas that match the
// renderer's layout (the recording view of the native rules tests uses the same numbers).
#include "tests/support/message_box_answerer.h"
#include "tests/support/recording_view.h"
#include "win/theme.h"
#include "win/window_view.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvani {
namespace {

using testing::MessageBoxAnswerer;

// The messages that reached the window: WM_TIMER and WM_COMMAND.
std::vector<MSG> received;

LRESULT CALLBACK recordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER && message != WM_COMMAND)
        return DefWindowProcA(window, message, wParam, lParam);
    received.push_back(MSG{window, message, wParam, lParam, 0, {}});
    return 0;
}

class WindowViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = recordingWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "korvani-window-view-test";
        RegisterClassA(&windowClass);
        view.mainWindow = CreateWindowExA(0, windowClass.lpszClassName, "view", WS_POPUP, 0, 0, 522,
                                          554, nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(view.mainWindow, nullptr);
        received.clear();
    }
    void TearDown() override {
        view.stopClock();
        release(view.renderer);
        DestroyWindow(view.mainWindow);
    }

    WindowView view;
};

TEST_F(WindowViewTest, ClockIsTimerOneOfTheMainWindow) {
    view.startClock();
    const DWORD start = GetTickCount();
    while (received.empty() && GetTickCount() - start < 3000) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(20);
    }
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received[0].message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(received[0].wParam, 1u);
    view.stopClock();
    EXPECT_FALSE(KillTimer(view.mainWindow, clockTimerId)); // no longer running
}

TEST_F(WindowViewTest, NoticeAndQuestionAreOwnedBoxesCaptionedConfirm) {
    MessageBoxAnswerer answerer(IDCANCEL);
    view.showNotice("1 つのマスが間違っています。");
    EXPECT_FALSE(view.askToConfirm("最初から始めます。よろしいですか?"));
    answerer.setAnswer(IDOK);
    EXPECT_TRUE(view.askToConfirm("最初から始めます。よろしいですか?"));
    ASSERT_EQ(answerer.shown().size(), 3u);
    for (const auto& box : answerer.shown()) {
        EXPECT_EQ(box.caption, "確認");
        EXPECT_EQ(box.owner, view.mainWindow);
    }
    EXPECT_EQ(answerer.shown()[0].text, "1 つのマスが間違っています。");
    EXPECT_FALSE(answerer.shown()[0].hasCancel);
    EXPECT_EQ(answerer.shown()[1].text, "最初から始めます。よろしいですか?");
    EXPECT_TRUE(answerer.shown()[1].hasCancel);
}

TEST_F(WindowViewTest, ProblemSelectionIsCommand105SentToTheMainWindow) {
    view.requestProblemSelection();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(received[0].wParam, 105u);
    EXPECT_EQ(received[0].lParam, 0);
}

TEST_F(WindowViewTest, HitAreasAreTheRenderersLayout) {
    // Before any layout only the button rows and width are known.
    HitAreas areas = view.hitAreas();
    EXPECT_EQ(areas.buttonRowTop, 2);
    EXPECT_EQ(areas.buttonRowBottom, 31);
    EXPECT_EQ(areas.buttonWidth, 90);

    resize(view.renderer, view.mainWindow, 522, 554);
    areas = view.hitAreas();
    const HitAreas expected = testing::layoutHitAreas();
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(areas.colX[i], expected.colX[i]) << i;
        EXPECT_EQ(areas.rowY[i], expected.rowY[i]) << i;
    }
    EXPECT_EQ(areas.buttonBarX, expected.buttonBarX);
}

// High contrast on a real renderer: the band, the cells' ground, the board's gaps, the given
// digits and the keyboard cursor all come out in the system colours. (Windows' high-contrast
// switch itself cannot be turned on under Wine 8; the palette it selects is drawn here.)
TEST_F(WindowViewTest, HighContrastDrawsTheBoardInTheSystemColours) {
    setPalette(view.renderer, highContrastPalette());
    resize(view.renderer, view.mainWindow, 522, 554);
    CellGrid givens{};
    givens[0] = 8;
    const CellGrid userGrid{};
    const NoteGrid notes{};
    const CellMarks marks{};
    view.drawCells({givens, userGrid, notes, marks, -1, -1, {}, 40, false});
    HDC dc = view.renderer.backBuffer->memDC;
    const auto& r = view.renderer;
    EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(COLOR_WINDOW)) << "the band";
    EXPECT_EQ(GetPixel(dc, r.colX[4] + r.cellSize / 2, r.rowY[1] + 1), GetSysColor(COLOR_WINDOW))
        << "an empty cell's ground";
    EXPECT_EQ(GetPixel(dc, r.colX[1] - 1, r.rowY[1] + 5), GetSysColor(COLOR_GRAYTEXT))
        << "the gap between two cells";
    int textPixels = 0;
    for (int y = r.rowY[0]; y < r.rowY[0] + r.cellSize; ++y)
        for (int x = r.colX[0]; x < r.colX[0] + r.cellSize; ++x)
            textPixels += GetPixel(dc, x, y) == GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_GT(textPixels, 0) << "the given 8 in the window's text colour";
    EXPECT_EQ(GetPixel(dc, r.colX[4], r.rowY[4]), GetSysColor(COLOR_HOTLIGHT)) << "the cursor";
}

} // namespace
} // namespace korvani
