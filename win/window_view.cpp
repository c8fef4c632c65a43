// The rules' view on GDI and USER32: each operation is one renderer call on the main window, a
// window timer call, a message box or a WM_COMMAND.
#include "win/window_view.h"

#include "files/atomic_file.h"
#include "game/game_state.h"
#include "progress/records_log.h"
#include "render/board_geometry.h"
#include "render/cursor_frame.h"
#include "win/uia_provider.h"
#include "win/wide_text.h"

#include <ctime>

namespace korvani {

namespace {

constexpr char confirmCaption[] = "確認";

CellFrame frameOfMark(CellMark mark) {
    switch (mark) {
    case CellMark::HintTarget:
        return CellFrame::HintTarget;
    case CellMark::HintPattern:
        return CellFrame::HintPattern;
    case CellMark::Mistake:
        return CellFrame::Mistake;
    case CellMark::None:
        break;
    }
    return CellFrame::None;
}

} // namespace

void WindowView::layout() {
    korvani::layout(renderer, mainWindow);
}

void WindowView::drawCells(const BoardPicture& picture) {
    CellFrame frames[81];
    for (int cell = 0; cell < 81; ++cell) frames[cell] = frameOfMark(picture.marks[cell]);
    korvani::drawCells(renderer, picture.givens, picture.userGrid, picture.hoveredCell,
                       picture.selectedDigit, &picture.notes, frames, picture.redDigits.data());
    if (picture.cursorCell >= 0 && picture.cursorCell < 81) drawCursor(picture);
    reportBoard(picture, renderer);
}

void WindowView::drawCursor(const BoardPicture& picture) {
    if (!renderer.backBuffer) return;
    CellRect bars[maxCursorRects];
    const int count = cursorFrameRects(renderer.cellSize, picture.noteMode, bars);
    const int x = renderer.colX[picture.cursorCell % 9];
    const int y = renderer.rowY[picture.cursorCell / 9];
    const BgrColour colour = renderer.palette.cursor;
    HBRUSH brush = CreateSolidBrush(RGB(colour.red, colour.green, colour.blue));
    for (int i = 0; i < count; ++i)
        fillRect(*renderer.backBuffer, brush, x + bars[i].x, y + bars[i].y, bars[i].width,
                 bars[i].height);
    DeleteObject(brush);
}

void WindowView::drawButtonBar(int hoveredButton) {
    korvani::drawButtonBar(renderer, hoveredButton);
}

void WindowView::drawClock(int seconds) {
    korvani::drawClock(renderer, seconds);
    reportClock(seconds);
}

void WindowView::drawClearBanner() {
    korvani::drawClearBanner(renderer);
    announce("clear!");
}

void WindowView::drawPausePanel(bool shown) {
    korvani::drawPausePanel(renderer, shown);
}

void WindowView::presentFrame() {
    korvani::presentFrame(renderer, mainWindow);
}

void WindowView::redrawAll(const GameState& game) {
    if (!renderer.backBuffer || !game.currentProblem) return;
    drawButtonBar(game.hoveredButton);
    // A paused game keeps its board hidden through every redraw (a resize, a new scale).
    if (game.paused)
        drawPausePanel(true);
    else
        drawCells(boardPicture(game));
    drawClock(game.elapsedSeconds);
    presentFrame();
}

HitAreas WindowView::hitAreas() const {
    HitAreas areas;
    for (int i = 0; i < 10; ++i) {
        areas.colX[i] = renderer.colX[i];
        areas.rowY[i] = renderer.rowY[i];
    }
    // The buttons as the last layout drew them, at the window's display scale.
    const LayoutMetrics& m = renderer.metrics;
    areas.buttonBarX = renderer.buttonBarX;
    areas.buttonWidth = m.buttonWidth;
    areas.buttonRowTop = m.buttonY;
    areas.buttonRowBottom = m.buttonY + m.buttonHeight - 1;
    // The whole band above the clock's glyphs takes a click on the clock.
    areas.clockLeft = renderer.clockX;
    areas.clockRight = renderer.clockX + m.clockWidth;
    areas.clockTop = 0;
    areas.clockBottom = m.band;
    return areas;
}

void WindowView::startClock() {
    SetTimer(mainWindow, clockTimerId, clockPeriodMs, nullptr);
}

void WindowView::stopClock() {
    KillTimer(mainWindow, clockTimerId);
}

void WindowView::showNotice(const char* text) {
    showMessageBox(mainWindow, text, confirmCaption, MB_OK);
}

bool WindowView::askToConfirm(const char* text) {
    return showMessageBox(mainWindow, text, confirmCaption, MB_OKCANCEL) == IDOK;
}

void WindowView::requestProblemSelection() {
    SendMessageW(mainWindow, WM_COMMAND, commandSelectProblem, 0);
}

void WindowView::showHint(const char* utf8Text, int anchorCell) {
    if (mainWindow == nullptr) return;
    // Beside the target cell; a message about the whole board stands by the board's top left.
    RECT anchor = {renderer.colX[0], renderer.rowY[0], renderer.colX[0], renderer.rowY[0]};
    if (anchorCell >= 0 && anchorCell < 81) {
        anchor.left = renderer.colX[anchorCell % 9];
        anchor.top = renderer.rowY[anchorCell / 9];
        anchor.right = anchor.left + renderer.cellSize;
        anchor.bottom = anchor.top + renderer.cellSize;
    }
    announce(utf8Text);
    hintBalloon.show(mainWindow, utf8Text, anchor, renderer.metrics.dpi);
}

bool WindowView::closeHint() {
    return hintBalloon.close();
}

void WindowView::recordClear(const ClearRecord& record) {
    if (progress == nullptr) return;
    ClearRecord dated = record;
    dated.date = static_cast<std::int64_t>(std::time(nullptr));
    // The log is a convenience beside the save file: a clear it misses is still in the save
    // file's times, which the statistics count as of unknown date.
    appendClearRecord(*progress, dated, writeFileAtomically);
}

} // namespace korvani
