// Drives a modal dialog from inside its own modal loop: a thread timer runs a script of steps,
// one a tick, against the windows of this thread. Actions are posted, never sent, so a step never
// waits inside a nested loop (a message box opened by a button keeps the timer running).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace korvani::testing {

// One step of a script. It returns false to be run again on the next tick (waiting for a window
// to appear or go), true when it is done.
using DialogStep = std::function<bool()>;

// Runs `open` (which shows a modal dialog and returns its result) while the steps run in order.
// When the steps are not all done after about ten seconds the test fails and the dialog and any
// message box are ended. `stepsDone` reports whether every step ran to its end.
INT_PTR runDialogScript(const std::function<INT_PTR()>& open, std::vector<DialogStep> steps,
                        bool* stepsDone = nullptr);

// The visible dialog-class window (a dialog or a message box) of this thread whose owner is
// `owner` (null: no owner), or null.
HWND findDialog(HWND owner);

// Every visible dialog-class window of this thread.
std::vector<HWND> threadDialogs();

std::string windowText(HWND window);
std::string controlText(HWND dialog, int controlId);

// The lines of a list box, in list order.
std::vector<std::string> listLines(HWND list);

// Whether some static control of a window shows exactly `text`.
bool hasStaticText(HWND window, const std::string& text);

// A click on a push button as the button reports it to its dialog.
void postButtonClick(HWND dialog, int buttonId);

// A double click with the left button in the middle of a list box line.
void postDoubleClick(HWND list, int line);

} // namespace korvani::testing
