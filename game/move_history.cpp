// The undo history: a new change ends what could be redone, and undo, redo and the jump back move
// along it.
#include "game/move_history.h"

namespace korvani {

namespace {

int boardCount(const MoveHistory& history) {
    return static_cast<int>(history.boards.size());
}

} // namespace

void recordChange(MoveHistory& history, const BoardSnapshot& before, const BoardSnapshot& after) {
    if (history.boards.empty()) {
        history.boards.push_back(before);
        history.position = 0;
    }
    history.redoJump = -1;
    history.boards.resize(static_cast<std::size_t>(history.position) + 1);
    history.boards.push_back(after);
    history.position = boardCount(history) - 1;
}

bool canStepBack(const MoveHistory& history) {
    return !history.boards.empty() && history.position > 0;
}

bool canStepForward(const MoveHistory& history) {
    return history.position + 1 < boardCount(history);
}

const BoardSnapshot* stepBack(MoveHistory& history) {
    if (!canStepBack(history)) return nullptr;
    history.redoJump = -1;
    return &history.boards[static_cast<std::size_t>(--history.position)];
}

const BoardSnapshot* stepForward(MoveHistory& history) {
    if (!canStepForward(history)) return nullptr;
    const int target =
        history.redoJump > history.position ? history.redoJump : history.position + 1;
    history.redoJump = -1;
    history.position = target;
    return &history.boards[static_cast<std::size_t>(target)];
}

const BoardSnapshot* jumpBack(MoveHistory& history, int index) {
    if (index < 0 || index >= history.position || history.position >= boardCount(history))
        return nullptr;
    history.redoJump = history.position;
    history.position = index;
    return &history.boards[static_cast<std::size_t>(index)];
}

void clearHistory(MoveHistory& history) {
    history.boards.clear();
    history.position = 0;
    history.redoJump = -1;
}

} // namespace korvani
