// UTF-8 texts shown through the wide functions, and the executable's wide path.
#include "win/wide_text.h"

#include "text/code_pages.h"

#include <vector>

namespace korvani {

namespace {

// Long enough for every text the game shows: the longest list line is 256 bytes.
constexpr int wideTextCapacity = 1024;

} // namespace

int showMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    // An import's summary names up to twenty refused puzzles.
    constexpr int messageCapacity = 8192;
    std::vector<wchar_t> wideText(messageCapacity);
    wchar_t wideCaption[64];
    widenText(codePageUtf8, text, wideText.data(), messageCapacity);
    widenText(codePageUtf8, caption, wideCaption, 64);
    return MessageBoxW(owner, wideText.data(), wideCaption, type);
}

void addListText(HWND list, const char* text) {
    wchar_t wideText[wideTextCapacity];
    widenText(codePageUtf8, text, wideText, wideTextCapacity);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideText));
}

void setControlText(HWND dialog, int id, const char* text) {
    wchar_t wideText[wideTextCapacity];
    widenText(codePageUtf8, text, wideText, wideTextCapacity);
    SetDlgItemTextW(dialog, id, wideText);
}

DWORD executablePath(wchar_t* path, DWORD capacity) {
    const DWORD length = GetModuleFileNameW(nullptr, path, capacity);
    // A path that fills the buffer has been cut: it may name another folder.
    return length < capacity ? length : 0;
}

} // namespace korvani
