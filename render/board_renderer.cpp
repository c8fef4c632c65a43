// Board renderer. Until a back buffer exists (no window, or none of at least 32 x 32 yet)
// every drawing operation does nothing, so the rules of play can run without a window.
#include "render/board_renderer.h"

#include "game/game_state.h"
#include "render/board_geometry.h"

namespace korvani {

namespace {
HINSTANCE rendererInstance = nullptr;
}

void setRendererInstance(HINSTANCE instance) { rendererInstance = instance; }

void resize(BoardRenderer&, HWND, int, int) {}

void layout(BoardRenderer& renderer, HWND) {
    if (!renderer.backBuffer) return;
    const BoardGeometry g =
        computeBoardGeometry(renderer.backBuffer->width, renderer.backBuffer->height);
    for (int i = 0; i < 10; ++i) {
        renderer.colX[i] = g.colX[i];
        renderer.rowY[i] = g.rowY[i];
    }
    renderer.cellSize = g.cellSize;
    renderer.buttonBarX = g.buttonBarX;
    renderer.clockX = g.clockX;
}

void drawCells(BoardRenderer&, const CellGrid&, const CellGrid&, int, std::int8_t) {}
void drawButtonBar(BoardRenderer&, int) {}
void drawClock(BoardRenderer&, int) {}
void drawClearBanner(BoardRenderer&) {}
void presentFrame(BoardRenderer&, HWND) {}

void redrawAll(GameState& game) {
    drawButtonBar(game.renderer, game.hoveredButton);
    drawCells(game.renderer, game.currentProblem->givens, game.userGrid, game.hoveredCell,
              game.selectedDigit);
    drawClock(game.renderer, game.elapsedSeconds);
    presentFrame(game.renderer, game.mainWindow);
}

void release(BoardRenderer&) {}

void paintFromBackBuffer(const BoardRenderer&, HDC) {}

} // namespace korvani
