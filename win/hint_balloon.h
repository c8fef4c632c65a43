// The hint's balloon: an owned popup beside the hint's target cell that shows the explanation
// under the caption "ヒント" and never takes the focus, so the board stays playable and the
// keyboard stays with the main window (H again applies the step). Its window text is the
// explanation itself, so that it can be read back through WM_GETTEXT.
#pragma once

#include <windows.h>

namespace korvani {

class HintBalloon {
  public:
    // Shows `utf8Text` beside `anchor` (client coordinates of the main window), inside the
    // client area where it fits, in the system's UI font at `dpi`. Replaces any shown text.
    void show(HWND owner, const char* utf8Text, const RECT& anchor, int dpi);
    // Hides it; true when it was shown.
    bool close();
    bool shown() const;
    // Destroys the window (at shut-down).
    void destroy();

  private:
    HWND window_ = nullptr;
};

} // namespace korvani
