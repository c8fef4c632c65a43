// The rules' view on GDI and USER32: each operation is one renderer call on the main window, a
// window timer call, a message box or a WM_COMMAND.
#include "win/window_view.h"

#include "game/game_state.h"
#include "render/board_geometry.h"

namespace korvani {

namespace {

constexpr char confirmCaption[] = "確認";

} // namespace

void WindowView::layout() {
    korvani::layout(renderer, mainWindow);
}

void WindowView::drawCells(const CellGrid& givens, const CellGrid& userGrid, int hoveredCell,
                           std::int8_t selectedDigit) {
    korvani::drawCells(renderer, givens, userGrid, hoveredCell, selectedDigit);
}

void WindowView::drawButtonBar(int hoveredButton) {
    korvani::drawButtonBar(renderer, hoveredButton);
}

void WindowView::drawClock(int seconds) {
    korvani::drawClock(renderer, seconds);
}

void WindowView::drawClearBanner() {
    korvani::drawClearBanner(renderer);
}

void WindowView::presentFrame() {
    korvani::presentFrame(renderer, mainWindow);
}

void WindowView::redrawAll(const GameState& game) {
    if (!renderer.backBuffer || !game.currentProblem) return;
    drawButtonBar(game.hoveredButton);
    drawCells(game.currentProblem->givens, game.userGrid, game.hoveredCell, game.selectedDigit);
    drawClock(game.elapsedSeconds);
    presentFrame();
}

HitAreas WindowView::hitAreas() const {
    HitAreas areas;
    for (int i = 0; i < 10; ++i) {
        areas.colX[i] = renderer.colX[i];
        areas.rowY[i] = renderer.rowY[i];
    }
    areas.buttonBarX = renderer.buttonBarX;
    areas.buttonWidth = buttonWidth;
    areas.buttonRowTop = buttonBarY;
    areas.buttonRowBottom = buttonBarY + buttonHeight - 1;
    return areas;
}

void WindowView::startClock() {
    SetTimer(mainWindow, clockTimerId, clockPeriodMs, nullptr);
}

void WindowView::stopClock() {
    KillTimer(mainWindow, clockTimerId);
}

void WindowView::showNotice(const char* text) {
    MessageBoxA(mainWindow, text, confirmCaption, MB_OK);
}

bool WindowView::askToConfirm(const char* text) {
    return MessageBoxA(mainWindow, text, confirmCaption, MB_OKCANCEL) == IDOK;
}

void WindowView::requestProblemSelection() {
    SendMessageA(mainWindow, WM_COMMAND, commandSelectProblem, 0);
}

} // namespace korvani
