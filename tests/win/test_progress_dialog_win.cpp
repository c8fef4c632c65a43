// Long work under the progress dialog, on real windows under Wine: short work shows no dialog,
// the owner's timer keeps ticking while the workers run, the dialog appears only after half a
// second and ends by itself, and 中止 stops the workers and says so.
#include "tests/support/dialog_driver.h"
#include "win/progress_dialog.h"
#include "win/resources/resource.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace korvani {
namespace {

using testing::findDialog;
using testing::runDialogScript;

constexpr char title[] = "取り込み中";
int ownerTicks = 0;

LRESULT CALLBACK ownerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        ++ownerTicks;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Units of `unitMs` each, split among the workers; each worker stops when cancelled.
struct TimedWork {
    DWORD unitMs;
};

void timedTask(void* context, int worker, int workerCount, BackgroundWork& work) {
    const DWORD unitMs = static_cast<TimedWork*>(context)->unitMs;
    for (int unit = worker; unit < work.total; unit += workerCount) {
        if (work.cancelled) return;
        Sleep(unitMs);
        ++work.done;
    }
}

class ProgressDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = ownerProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"korvani-progress-owner";
        RegisterClassW(&windowClass);
        owner = CreateWindowExW(0, windowClass.lpszClassName, L"owner", WS_OVERLAPPEDWINDOW, 0, 0,
                                300, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(owner, nullptr);
        ownerTicks = 0;
        SetTimer(owner, 1, 50, nullptr);
    }
    void TearDown() override { DestroyWindow(owner); }

    HWND owner = nullptr;
};

TEST_F(ProgressDialogTest, ShortWorkShowsNoDialogAndTheOwnerKeepsTicking) {
    TimedWork timed{10};
    BackgroundWork work;
    work.total = 60; // 300 ms on two workers
    bool dialogSeen = false;
    bool ownerDisabled = false;
    const INT_PTR result = runDialogScript(
        [&] { return INT_PTR(runWithProgress(owner, title, work, timedTask, &timed, 2)); }, {[&] {
            dialogSeen = dialogSeen || findDialog(owner) != nullptr;
            ownerDisabled = ownerDisabled || !IsWindowEnabled(owner);
            return work.done == work.total;
        }});
    EXPECT_EQ(result, TRUE);
    EXPECT_EQ(work.done, 60);
    EXPECT_FALSE(dialogSeen);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_GE(ownerTicks, 3);
}

TEST_F(ProgressDialogTest, LongWorkShowsTheCountAfterHalfASecondAndEndsByItself) {
    TimedWork timed{20};
    BackgroundWork work;
    work.total = 100; // one second on two workers
    const DWORD start = GetTickCount();
    DWORD shownAfter = 0;
    wchar_t caption[64] = {};
    wchar_t count[64] = {};
    const INT_PTR result = runDialogScript(
        [&] { return INT_PTR(runWithProgress(owner, title, work, timedTask, &timed, 2)); },
        {[&] {
             HWND dialog = findDialog(owner);
             if (dialog == nullptr) return false;
             shownAfter = GetTickCount() - start;
             GetWindowTextW(dialog, caption, 64);
             return true;
         },
         [&] {
             HWND dialog = findDialog(owner);
             if (dialog == nullptr) return true;
             GetDlgItemTextW(dialog, IDC_PROGRESS_COUNT, count, 64);
             return false;
         }});
    EXPECT_EQ(result, TRUE);
    EXPECT_EQ(work.done, 100);
    EXPECT_GE(shownAfter, progressDialogDelayMs);
    EXPECT_STREQ(caption, L"取り込み中");
    // The last count read while it was up: "n / 100".
    int shownDone = -1;
    int shownTotal = -1;
    ASSERT_EQ(std::swscanf(count, L"%d / %d", &shownDone, &shownTotal), 2) << count;
    EXPECT_EQ(shownTotal, 100);
    EXPECT_GT(shownDone, 0);
    EXPECT_GE(ownerTicks, 10);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(ProgressDialogTest, CancelStopsTheWorkers) {
    TimedWork timed{20};
    BackgroundWork work;
    work.total = 1000; // twenty seconds, unless stopped
    const INT_PTR result = runDialogScript(
        [&] { return INT_PTR(runWithProgress(owner, title, work, timedTask, &timed, 2)); }, {[&] {
            HWND dialog = findDialog(owner);
            if (dialog == nullptr) return false;
            testing::postButtonClick(dialog, IDCANCEL);
            return true;
        }});
    EXPECT_EQ(result, FALSE);
    EXPECT_TRUE(work.cancelled);
    EXPECT_LT(work.done, 200);
    EXPECT_EQ(findDialog(owner), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

} // namespace
} // namespace korvani
