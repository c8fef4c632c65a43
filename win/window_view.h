// WindowView: the rules' view for the real program. Drawing goes to the board renderer and
// reaches the main window as one copy; the clock is window timer 1; questions and notices are
// message boxes owned by the main window; button 0 sends command 105 to it.
#pragma once

#include "game/game_view.h"
#include "progress/progress_store.h"
#include "render/board_renderer.h"
#include "win/hint_balloon.h"
#include "win/resources/resource.h"

#include <windows.h>

namespace korvani {

inline constexpr UINT_PTR clockTimerId = 1;
inline constexpr UINT clockPeriodMs = 1000;
inline constexpr WORD commandOpenProblem = IDM_OPEN_PROBLEMS;
inline constexpr WORD commandSelectProblem = IDM_SELECT_PROBLEM;
inline constexpr WORD commandAbout = IDM_ABOUT;
inline constexpr WORD commandExit = IDM_EXIT;
inline constexpr WORD commandMakePuzzles = IDM_MAKE_PUZZLES;

class WindowView final : public GameView {
  public:
    HWND mainWindow = nullptr; // empty until the window's first WM_SIZE
    BoardRenderer renderer;
    HintBalloon hintBalloon;
    const ProgressStore* progress = nullptr; // the save path that the records log lies beside

    void layout() override;
    void drawCells(const BoardPicture& picture) override;
    void drawButtonBar(int hoveredButton) override;
    void drawClock(int seconds) override;
    void drawClearBanner() override;
    void drawPausePanel(bool shown) override;
    void presentFrame() override;
    void redrawAll(const GameState& game) override;
    HitAreas hitAreas() const override;

    void startClock() override;
    void stopClock() override;
    void showNotice(const char* text) override;
    bool askToConfirm(const char* text) override;
    void requestProblemSelection() override;
    void showHint(const char* utf8Text, int anchorCell) override;
    bool closeHint() override;
    void recordClear(const ClearRecord& record) override;

  private:
    void drawCursor(const BoardPicture& picture);
};

} // namespace korvani
