// Long work off the UI thread: worker threads compute while the main window keeps painting and
// its clock keeps ticking, and after half a second a modal dialog shows how far the work is,
// with a progress bar, the count and a 中止 button. The workers only compute on what they were
// given; everything that changes GameState or a window stays on the UI thread, after the run.
#pragma once

#include <windows.h>

#include <atomic>

namespace korvani {

// Shared between the UI thread and the workers.
struct BackgroundWork {
    int total = 0;                      // units of work, shown as "done / total"
    std::atomic<int> done{0};           // the workers count each unit they finish
    std::atomic<bool> cancelled{false}; // set by 中止; the workers stop at their next unit
};

// One worker's share: worker `worker` of `workerCount` (0-based). It checks `work.cancelled`
// between units and adds each finished unit to `work.done`.
using WorkerTask = void (*)(void* context, int worker, int workerCount, BackgroundWork& work);

// How long the work may take before the dialog appears.
inline constexpr DWORD progressDialogDelayMs = 500;

// Runs `task` on `workerCount` threads (0: one per processor) and returns when they have all
// ended: true when the work ran to its end, false when the player chose 中止. Meanwhile the
// owner is disabled and this thread's messages are dispatched (paint, timers), and from
// progressDialogDelayMs on the progress dialog, captioned `utf8Title`, is shown over `owner`.
bool runWithProgress(HWND owner, const char* utf8Title, BackgroundWork& work, WorkerTask task,
                     void* context, int workerCount = 0);

} // namespace korvani
