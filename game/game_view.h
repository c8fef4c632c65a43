// GameView: everything the rules of play ask of the screen and the platform, as one small
// interface. The rules change GameState and then call these; the Windows shell implements them
// with the board renderer, window timer 1, message boxes and WM_COMMAND, and the tests with a
// recorder. So game/ holds no platform code and runs natively.
#pragma once

#include "core/grid.h"
#include "progress/records_log.h"

#include <array>
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
    // The clock's rectangle: x from clockLeft to clockRight - 1, y from clockTop to clockBottom
    // - 1.
    std::int32_t clockLeft = 0;
    std::int32_t clockRight = 0;
    std::int32_t clockTop = 0;
    std::int32_t clockBottom = 0;
};

// What a cell shows beyond its digit: the marks of a hint, until the next change of the board.
enum class CellMark : std::uint8_t {
    None,
    HintTarget,  // the cell a hint places into or removes candidates from
    HintPattern, // a cell of the pattern that justifies the hint (house, pair, wing, chain...)
    Mistake,     // a wrong digit, or notes that lack the solution's digit
};
using CellMarks = std::array<CellMark, 81>;

// Per cell: whether its placed digit is drawn as a mistake (in the mistake red).
using CellFlags = std::array<bool, 81>;

// Everything drawCells shows. A cell with notes 0, mark None and no red digit is drawn exactly
// as a board without notes, hints and the mistake display draws it.
struct BoardPicture {
    const CellGrid& givens;
    const CellGrid& userGrid;
    const NoteGrid& notes;
    const CellMarks& marks;
    int hoveredCell = -1;
    std::int8_t selectedDigit = -1;
    CellFlags redDigits = {}; // only placed digits, and only while the mistake display is on
    int cursorCell = -1;      // the keyboard cursor's cell, -1 while it is hidden
    bool noteMode = false;    // the cursor shows that the digit keys toggle notes
};

class GameView {
  public:
    // Drawing. Each draw goes to the back buffer only; presentFrame shows it.
    virtual void layout() = 0; // geometry, tiles and background afresh for the current size
    virtual void drawCells(const BoardPicture& picture) = 0;
    virtual void drawButtonBar(int hoveredButton) = 0;
    virtual void drawClock(int seconds) = 0;
    virtual void drawClearBanner() = 0;
    // The pause panel ("一時停止中") over the whole board, hiding every digit and note; or, when
    // not shown, the board's interior as the layout paints it, for drawCells to draw on.
    virtual void drawPausePanel(bool shown) = 0;
    virtual void presentFrame() = 0;
    // Button bar, cells and clock from the game's fields, then presentFrame.
    virtual void redrawAll(const GameState& game) = 0;
    virtual HitAreas hitAreas() const = 0;

    // The platform. The clock ticks onTimer once a second while it runs.
    virtual void startClock() = 0;
    virtual void stopClock() = 0;
    virtual void showNotice(const char* text) = 0;   // an OK box (UTF-8, as every text)
    virtual bool askToConfirm(const char* text) = 0; // an OK/Cancel box: true for OK
    virtual void requestProblemSelection() = 0;      // the Problem-selection dialog, command 105
    // A hint's explanation, UTF-8, under the caption "ヒント", beside `anchorCell` (0 .. 80, or
    // -1 for the board as a whole). It does not take the keyboard: the game goes on while it is
    // shown, and closeHint takes it away: true when one was shown.
    virtual void showHint(const char* utf8Text, int anchorCell) = 0;
    virtual bool closeHint() = 0;
    // A clear to keep in the records log; the view adds the date.
    virtual void recordClear(const ClearRecord& record) = 0;

  protected:
    ~GameView() = default;
};

} // namespace korvani
