// The undo history: a new change ends what could be redone, and undo and redo move along it.
#include "game/move_history.h"

namespace korvani {

void recordChange(MoveHistory& history, const BoardSnapshot& before, const BoardSnapshot& after) {
    if (history.boards.empty()) {
        history.boards.push_back(before);
        history.position = 0;
    }
    history.boards.resize(static_cast<std::size_t>(history.position) + 1);
    history.boards.push_back(after);
    history.position = static_cast<int>(history.boards.size()) - 1;
}

bool canStepBack(const MoveHistory& history) {
    return !history.boards.empty() && history.position > 0;
}

bool canStepForward(const MoveHistory& history) {
    return static_cast<std::size_t>(history.position) + 1 < history.boards.size();
}

const BoardSnapshot* stepBack(MoveHistory& history) {
    if (!canStepBack(history)) return nullptr;
    return &history.boards[static_cast<std::size_t>(--history.position)];
}

const BoardSnapshot* stepForward(MoveHistory& history) {
    if (!canStepForward(history)) return nullptr;
    return &history.boards[static_cast<std::size_t>(++history.position)];
}

void clearHistory(MoveHistory& history) {
    history.boards.clear();
    history.position = 0;
}

} // namespace korvani
