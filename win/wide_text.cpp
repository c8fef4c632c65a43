// Code page 932 texts shown through the wide functions, and the executable's wide path.
#include "win/wide_text.h"

#include "progress/code_pages.h"

#include <vector>

namespace korvani {

namespace {

// Long enough for every text the game shows: the longest list line is 256 bytes.
constexpr int wideTextCapacity = 1024;

} // namespace

int messageBoxCp932(HWND owner, const char* text, const char* caption, UINT type) {
    wchar_t wideText[wideTextCapacity];
    wchar_t wideCaption[64];
    widenText(codePage932, text, wideText, wideTextCapacity);
    widenText(codePage932, caption, wideCaption, 64);
    return MessageBoxW(owner, wideText, wideCaption, type);
}

int messageBoxUtf8(HWND owner, const char* text, const char* caption, UINT type) {
    // An import's summary names up to twenty refused puzzles.
    constexpr int capacity = 8192;
    std::vector<wchar_t> wideText(capacity);
    wchar_t wideCaption[64];
    widenText(codePageUtf8, text, wideText.data(), capacity);
    widenText(codePageUtf8, caption, wideCaption, 64);
    return MessageBoxW(owner, wideText.data(), wideCaption, type);
}

void addListTextCp932(HWND list, const char* text) {
    wchar_t wideText[wideTextCapacity];
    widenText(codePage932, text, wideText, wideTextCapacity);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideText));
}

void setDlgItemTextCp932(HWND dialog, int id, const char* text) {
    wchar_t wideText[wideTextCapacity];
    widenText(codePage932, text, wideText, wideTextCapacity);
    SetDlgItemTextW(dialog, id, wideText);
}

DWORD executablePath(wchar_t* path, DWORD capacity) {
    const DWORD length = GetModuleFileNameW(nullptr, path, capacity);
    // A path that fills the buffer has been cut: it may name another folder.
    return length < capacity ? length : 0;
}

} // namespace korvani
