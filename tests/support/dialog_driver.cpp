// The dialog driver of the Windows dialog tests (see dialog_driver.h).
#include "tests/support/dialog_driver.h"

#include "tests/support/utf8_wide.h"

#include <gtest/gtest.h>

namespace korvani::testing {

namespace {

constexpr UINT tickMs = 30;
constexpr int tickLimit = 10000 / tickMs;

struct Script {
    std::vector<DialogStep> steps;
    std::size_t next = 0;
    int ticks = 0;
    bool gaveUp = false;
};

Script* running = nullptr;

void endEverything() {
    // Message boxes first (they are owned by the dialog), then the dialog itself.
    for (int round = 0; round < 2; ++round) {
        for (HWND window : threadDialogs()) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
}

void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD) {
    Script* script = running;
    if (script == nullptr) return;
    if (++script->ticks > tickLimit) {
        if (!script->gaveUp) {
            script->gaveUp = true;
            ADD_FAILURE() << "dialog script stuck at step " << script->next;
        }
        endEverything();
        return;
    }
    if (script->next >= script->steps.size()) return;
    // Advance before running, so that a tick arriving inside the step's own work (should a
    // step ever wait in a nested loop) moves on instead of repeating it.
    const std::size_t current = script->next++;
    if (!script->steps[current]()) script->next = current;
}

BOOL CALLBACK collectDialog(HWND window, LPARAM list) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && std::string(className) == "#32770") {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

struct StaticSearch {
    const std::string* text;
    bool found;
};

BOOL CALLBACK matchStatic(HWND child, LPARAM search) {
    auto* s = reinterpret_cast<StaticSearch*>(search);
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (std::string(className) == "Static" && windowText(child) == *s->text) s->found = true;
    return TRUE;
}

} // namespace

INT_PTR runDialogScript(const std::function<INT_PTR()>& open, std::vector<DialogStep> steps,
                        bool* stepsDone) {
    Script script;
    script.steps = std::move(steps);
    running = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, tickMs, onTick);
    const INT_PTR result = open();
    KillTimer(nullptr, timer);
    running = nullptr;
    // Leftover ticks of the killed timer must not reach a later script.
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    if (stepsDone != nullptr) *stepsDone = !script.gaveUp && script.next == script.steps.size();
    return result;
}

std::vector<HWND> threadDialogs() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), collectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND findDialog(HWND owner) {
    for (HWND window : threadDialogs()) {
        if (GetWindow(window, GW_OWNER) == owner) return window;
    }
    return nullptr;
}

std::string windowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return utf8FromWide(text);
}

std::string controlText(HWND dialog, int controlId) {
    return windowText(GetDlgItem(dialog, controlId));
}

std::vector<std::string> listLines(HWND list) {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(line.data()));
        lines.push_back(utf8FromWide(line.c_str()));
    }
    return lines;
}

bool hasStaticText(HWND window, const std::string& text) {
    StaticSearch search{&text, false};
    EnumChildWindows(window, matchStatic, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void postButtonClick(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

void postDoubleClick(HWND list, int line) {
    RECT item = {};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
}

} // namespace korvani::testing
