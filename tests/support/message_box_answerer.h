// Answers the real message boxes that the code under test shows on this thread: a CBT hook sees
// each box as it is activated, notes its caption, text, owner and buttons, and presses the
// chosen button, so the box's modal loop ends as if the player had clicked it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace korvani::testing {

struct ShownMessageBox {
    std::string caption; // UTF-8, like the program's own texts
    std::string text;
    HWND owner = nullptr;
    bool hasCancel = false; // MB_OKCANCEL rather than MB_OK
};

class MessageBoxAnswerer {
  public:
    // Presses `answer` (IDOK or IDCANCEL) on every box until told otherwise.
    explicit MessageBoxAnswerer(int answer = IDOK);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    void setAnswer(int answer) { answer_ = answer; }
    const std::vector<ShownMessageBox>& shown() const { return shown_; }
    void forget() { shown_.clear(); }

  private:
    static LRESULT CALLBACK hookProc(int code, WPARAM wParam, LPARAM lParam);
    void answer(HWND box);

    HHOOK hook_ = nullptr;
    int answer_;
    std::vector<ShownMessageBox> shown_;
    std::vector<HWND> answered_;
};

} // namespace korvani::testing
