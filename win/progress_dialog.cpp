// The progress dialog (resource IDD_PROGRESS) and the worker threads it waits for.
#include "win/progress_dialog.h"

#include "text/code_pages.h"
#include "win/app_state.h"
#include "win/dialogs.h"

#include <commctrl.h>

#include <cstdio>
#include <thread>
#include <vector>

namespace korvani {

namespace {

constexpr UINT_PTR refreshTimerId = 1;
constexpr UINT refreshPeriodMs = 100;

struct ProgressRun {
    BackgroundWork* work;
    HANDLE finished; // set by the last worker to end
    const char* utf8Title;
};

bool hasFinished(const ProgressRun& run) {
    return WaitForSingleObject(run.finished, 0) == WAIT_OBJECT_0;
}

void showCount(HWND dialog, const BackgroundWork& work) {
    const int done = work.done.load();
    SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    wchar_t text[48];
    std::swprintf(text, 48, L"%d / %d", done, work.total);
    SetDlgItemTextW(dialog, IDC_PROGRESS_COUNT, text);
}

INT_PTR CALLBACK progressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* run = reinterpret_cast<ProgressRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        run = reinterpret_cast<ProgressRun*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        wchar_t title[128];
        widenText(codePageUtf8, run->utf8Title, title, 128);
        SetWindowTextW(dialog, title);
        SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0,
                            static_cast<LPARAM>(run->work->total));
        showCount(dialog, *run->work);
        centreDialog(dialog);
        SetTimer(dialog, refreshTimerId, refreshPeriodMs, nullptr);
        return TRUE;
    }
    case WM_TIMER:
        if (run == nullptr) return FALSE;
        showCount(dialog, *run->work);
        if (hasFinished(*run)) {
            KillTimer(dialog, refreshTimerId);
            EndDialog(dialog, IDOK);
        }
        return TRUE;
    case WM_COMMAND:
        // 中止, Esc or the close box: the workers stop at their next unit, and the timer ends
        // the dialog once they all have.
        if (run != nullptr && LOWORD(static_cast<DWORD_PTR>(wParam)) == IDCANCEL) {
            run->work->cancelled = true;
            EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// Dispatches this thread's messages until the workers have finished or `timeoutMs` has passed;
// true when they have finished. A WM_QUIT met on the way is kept in `quit` for the caller.
bool dispatchUntilFinished(const ProgressRun& run, DWORD timeoutMs, bool& quit, WPARAM& quitCode) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = message.wParam;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return hasFinished(run);
        const DWORD woken =
            MsgWaitForMultipleObjects(1, &run.finished, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) return true;
    }
}

} // namespace

bool runWithProgress(HWND owner, const char* utf8Title, BackgroundWork& work, WorkerTask task,
                     void* context, int workerCount) {
    if (workerCount <= 0) workerCount = static_cast<int>(std::thread::hardware_concurrency());
    if (workerCount <= 0) workerCount = 1;
    HANDLE finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (finished == nullptr) {
        // No event to wait on: the work runs here, without a dialog.
        task(context, 0, 1, work);
        return !work.cancelled;
    }
    ProgressRun run{&work, finished, utf8Title};
    std::atomic<int> running{workerCount};
    std::vector<std::thread> workers;
    workers.reserve(static_cast<std::size_t>(workerCount));
    for (int i = 0; i < workerCount; ++i) {
        workers.emplace_back([&, i] {
            task(context, i, workerCount, work);
            if (running.fetch_sub(1) == 1) SetEvent(finished);
        });
    }

    // The player cannot start anything else meanwhile; the window still paints and ticks.
    const bool ownerWasEnabled = owner != nullptr && !EnableWindow(owner, FALSE);
    bool quit = false;
    WPARAM quitCode = 0;
    if (!dispatchUntilFinished(run, progressDialogDelayMs, quit, quitCode) && !quit) {
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        DialogBoxParamW(appInstance != nullptr ? appInstance : GetModuleHandleW(nullptr),
                        MAKEINTRESOURCEW(IDD_PROGRESS), owner, progressDialogProc,
                        reinterpret_cast<LPARAM>(&run));
    }
    if (quit) work.cancelled = true; // the program is ending: no reason to finish
    WaitForSingleObject(finished, INFINITE);
    for (std::thread& worker : workers) worker.join();
    CloseHandle(finished);
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return !work.cancelled;
}

} // namespace korvani
