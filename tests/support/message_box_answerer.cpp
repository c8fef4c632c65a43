// The CBT hook that reads and answers message boxes in the tests.
#include "tests/support/message_box_answerer.h"

#include "tests/support/utf8_wide.h"

#include <algorithm>
#include <cstring>

namespace korvani::testing {

namespace {

MessageBoxAnswerer* activeAnswerer = nullptr;

bool isDialogBox(HWND window) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    return std::strcmp(className, "#32770") == 0;
}

BOOL CALLBACK collectStaticText(HWND child, LPARAM lParam) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (std::strcmp(className, "Static") != 0) return TRUE;
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    if (text[0] != L'\0') *reinterpret_cast<std::string*>(lParam) = utf8FromWide(text);
    return TRUE;
}

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer(int answer) : answer_(answer) {
    activeAnswerer = this;
    hook_ = SetWindowsHookExA(WH_CBT, hookProc, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    activeAnswerer = nullptr;
}

LRESULT CALLBACK MessageBoxAnswerer::hookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && activeAnswerer != nullptr) {
        const auto box = reinterpret_cast<HWND>(wParam);
        if (isDialogBox(box)) activeAnswerer->answer(box);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::answer(HWND box) {
    if (std::find(answered_.begin(), answered_.end(), box) != answered_.end()) return;
    answered_.push_back(box);
    ShownMessageBox shown;
    wchar_t caption[256] = {};
    GetWindowTextW(box, caption, 256);
    shown.caption = utf8FromWide(caption);
    EnumChildWindows(box, collectStaticText, reinterpret_cast<LPARAM>(&shown.text));
    shown.owner = GetWindow(box, GW_OWNER);
    HWND cancel = GetDlgItem(box, IDCANCEL);
    shown.hasCancel = cancel != nullptr && (GetWindowLongA(cancel, GWL_STYLE) & WS_VISIBLE) != 0;
    shown_.push_back(shown);
    // Handled by the box's own loop once the activation is over, as a click would be.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, answer_)));
}

} // namespace korvani::testing
