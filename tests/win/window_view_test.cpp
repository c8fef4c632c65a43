// The rules' view on a real hidden window under Wine: timer 1 drives the clock, the two message
// boxes with their caption, owner and buttons, command 105, and hit areas that match the
// renderer's layout (the recording view of the native rules tests uses the same numbers).
#include "tests/support/message_box_answerer.h"
#include "tests/support/recording_view.h"
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

} // namespace
} // namespace korvani
