// RecordingView: a GameView that draws nothing and remembers what the rules asked of it: how
// often each part of the frame was drawn and presented, the last cells drawn, the clock's state,
// the message boxes with their texts (questions answered as told), and requests for the
// Problem-selection dialog. Its hit areas are the layout of a 522 x 554 client area.
#pragma once

#include "game/game_state.h"

#include <string>
#include <vector>

namespace korvani::testing {

// The cell edges and button bar of the 522 x 554 client area.
inline constexpr std::int32_t layoutColX[10] = {15, 69, 123, 179, 233, 287, 343, 397, 451, 507};
inline constexpr std::int32_t layoutRowY[10] = {47, 101, 155, 211, 265, 319, 375, 429, 483, 539};
inline constexpr std::int32_t layoutCellSize = 52;
inline constexpr std::int32_t layoutButtonBarX = 11;
inline constexpr std::int32_t layoutClockX = 439;

inline HitAreas layoutHitAreas() {
    HitAreas areas;
    for (int i = 0; i < 10; ++i) {
        areas.colX[i] = layoutColX[i];
        areas.rowY[i] = layoutRowY[i];
    }
    areas.buttonBarX = layoutButtonBarX;
    areas.buttonWidth = 90;
    areas.buttonRowTop = 2;
    areas.buttonRowBottom = 31;
    areas.clockLeft = layoutClockX;
    areas.clockRight = layoutClockX + 68;
    areas.clockTop = 0;
    areas.clockBottom = 32;
    return areas;
}

struct DrawnCells {
    CellGrid givens = {};
    CellGrid userGrid = {};
    int hoveredCell = -1;
    std::int8_t selectedDigit = -1;
    NoteGrid notes = {};
    CellMarks marks = {};
    CellFlags redDigits = {};
    int cursorCell = -1;
    bool noteMode = false;
    bool operator==(const DrawnCells&) const = default;
};

class RecordingView final : public GameView {
  public:
    HitAreas areas = layoutHitAreas();
    bool answer = true; // what askToConfirm returns

    // Counts since the last forget().
    int layouts = 0;
    int cellDraws = 0;
    int buttonBarDraws = 0;
    int clockDraws = 0;
    int banners = 0;
    int pausePanels = 0;    // drawPausePanel(true)
    int boardInteriors = 0; // drawPausePanel(false)
    int hintsClosed = 0;
    int presents = 0;
    int fullRedraws = 0;
    int problemSelections = 0;
    std::vector<std::string> notices;
    std::vector<std::string> hints; // UTF-8
    std::vector<std::string> questions;
    std::vector<int> hintAnchors;
    std::vector<ClearRecord> clears; // kept over forget()
    bool hintShown = false;
    bool panelShown = false; // the pause panel is the last thing drawn over the cells

    DrawnCells lastCells;
    int lastHoveredButton = -1;
    int lastClock = -1;
    bool clockRunning = false;

    // Draws of any part of the frame, full redraws included.
    int redraws() const { return cellDraws + buttonBarDraws + clockDraws + banners + fullRedraws; }

    void forget() {
        layouts = cellDraws = buttonBarDraws = clockDraws = banners = presents = fullRedraws = 0;
        pausePanels = boardInteriors = hintsClosed = 0;
        hintAnchors.clear();
        problemSelections = 0;
        notices.clear();
        hints.clear();
        questions.clear();
    }

    void layout() override { ++layouts; }
    void drawCells(const BoardPicture& picture) override {
        ++cellDraws;
        panelShown = false;
        lastCells = {picture.givens,        picture.userGrid,   picture.hoveredCell,
                     picture.selectedDigit, picture.notes,      picture.marks,
                     picture.redDigits,     picture.cursorCell, picture.noteMode};
    }
    void drawButtonBar(int hoveredButton) override {
        ++buttonBarDraws;
        lastHoveredButton = hoveredButton;
    }
    void drawClock(int seconds) override {
        ++clockDraws;
        lastClock = seconds;
    }
    void drawClearBanner() override { ++banners; }
    void drawPausePanel(bool shown) override {
        ++(shown ? pausePanels : boardInteriors);
        panelShown = shown;
    }
    void presentFrame() override { ++presents; }
    void redrawAll(const GameState& game) override {
        ++fullRedraws;
        ++presents;
        if (game.currentProblem == nullptr) return;
        lastHoveredButton = game.hoveredButton;
        lastClock = game.elapsedSeconds;
        // A paused game shows the panel where the cells would be.
        panelShown = game.paused;
        if (game.paused) return;
        const BoardPicture picture = boardPicture(game);
        lastCells = {picture.givens,        picture.userGrid,   picture.hoveredCell,
                     picture.selectedDigit, picture.notes,      picture.marks,
                     picture.redDigits,     picture.cursorCell, picture.noteMode};
    }
    HitAreas hitAreas() const override { return areas; }

    void startClock() override { clockRunning = true; }
    void stopClock() override { clockRunning = false; }
    void showNotice(const char* text) override { notices.emplace_back(text); }
    bool askToConfirm(const char* text) override {
        questions.emplace_back(text);
        return answer;
    }
    void requestProblemSelection() override { ++problemSelections; }
    void showHint(const char* utf8Text, int anchorCell) override {
        hints.emplace_back(utf8Text);
        hintAnchors.push_back(anchorCell);
        hintShown = true;
    }
    bool closeHint() override {
        const bool closed = hintShown;
        if (closed) ++hintsClosed;
        hintShown = false;
        return closed;
    }
    void recordClear(const ClearRecord& record) override { clears.push_back(record); }
};

} // namespace korvani::testing
