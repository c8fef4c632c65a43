// GameView: everything the rules of play ask of the screen and the platform, as one small
// interface. The rules change GameState and then call these; the Windows shell implements them
// with the board renderer, window timer 1, message boxes and WM_COMMAND, and the tests with a
// recorder. So game/ holds no platform code and runs natively.
#pragma once

#include "core/grid.h"

#include <cstdint>

namespace korvani {

struct GameState;

// Where the cells and buttons lie on the screen, as the view laid them out last. The hit tests
// read only this; it is data, so a layout at another scale moves the hit areas with it.
struct HitAreas {
    std::int32_t colX[10] = {};       // left edges of the nine columns, then the board's right edge
    std::int32_t rowY[10] = {};       // top edges of the nine rows, then the board's bottom edge
    std::int32_t buttonBarX = 0;      // left edge of button 0
    std::int32_t buttonWidth = 0;     // button 1 starts one width after button 0
    std::int32_t buttonRowTop = 0;    // first row of the button bar
    std::int32_t buttonRowBottom = 0; // last row of the button bar (inclusive)
};

class GameView {
  public:
    // Drawing. Each draw goes to the back buffer only; presentFrame shows it.
    virtual void layout() = 0; // geometry, tiles and background afresh for the current size
    virtual void drawCells(const CellGrid& givens, const CellGrid& userGrid, int hoveredCell,
                           std::int8_t selectedDigit) = 0;
    virtual void drawButtonBar(int hoveredButton) = 0;
    virtual void drawClock(int seconds) = 0;
    virtual void drawClearBanner() = 0;
    virtual void presentFrame() = 0;
    // Button bar, cells and clock from the game's fields, then presentFrame.
    virtual void redrawAll(const GameState& game) = 0;
    virtual HitAreas hitAreas() const = 0;

    // The platform. The clock ticks onTimer once a second while it runs.
    virtual void startClock() = 0;
    virtual void stopClock() = 0;
    virtual void showNotice(const char* text) = 0;   // an OK box (code page 932 text)
    virtual bool askToConfirm(const char* text) = 0; // an OK/Cancel box: true for OK
    virtual void requestProblemSelection() = 0;      // the Problem-selection dialog, command 105

  protected:
    ~GameView() = default;
};

} // namespace korvani
