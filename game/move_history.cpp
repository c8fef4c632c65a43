// The undo history's buffer: growth by doubling, the oldest step given up when memory runs out,
// and the one release.
#include "game/move_history.h"

#include <cstdlib>
#include <cstring>

namespace korvani {

namespace {

constexpr int firstCapacity = 32;

// std::realloc itself is not to have its address taken.
void* systemReallocate(void* block, std::size_t size) {
    return std::realloc(block, size);
}

// Makes room for one more board. False when the buffer is full and could not grow.
bool reserveOne(MoveHistory& history) {
    if (history.count < history.capacity) return true;
    const int wanted = history.capacity == 0 ? firstCapacity : 2 * history.capacity;
    auto* grow = history.reallocate != nullptr ? history.reallocate : systemReallocate;
    void* grown = grow(history.boards, static_cast<std::size_t>(wanted) * sizeof(BoardSnapshot));
    if (grown == nullptr) return false;
    history.boards = static_cast<BoardSnapshot*>(grown);
    history.capacity = wanted;
    return true;
}

void dropOldest(MoveHistory& history) {
    std::memmove(history.boards, history.boards + 1,
                 static_cast<std::size_t>(history.count - 1) * sizeof(BoardSnapshot));
    --history.count;
    --history.position;
    if (history.redoJump >= 0) --history.redoJump;
}

bool append(MoveHistory& history, const BoardSnapshot& board) {
    if (!reserveOne(history)) {
        // Only the oldest step is lost; the newest steps stay undoable.
        if (history.count < 2) return false;
        dropOldest(history);
    }
    history.boards[history.count++] = board;
    return true;
}

} // namespace

void recordChange(MoveHistory& history, const BoardSnapshot& before, const BoardSnapshot& after) {
    if (history.count == 0) {
        history.position = 0;
        if (!append(history, before)) return;
    }
    history.redoJump = -1;
    history.count = history.position + 1; // a new change ends what could be redone
    if (append(history, after)) {
        history.position = history.count - 1;
    } else {
        clearHistory(history); // no room for even two boards: nothing left to undo to
    }
}

bool canStepBack(const MoveHistory& history) {
    return history.count > 0 && history.position > 0;
}

bool canStepForward(const MoveHistory& history) {
    return history.position + 1 < history.count;
}

const BoardSnapshot* stepBack(MoveHistory& history) {
    if (!canStepBack(history)) return nullptr;
    history.redoJump = -1;
    return &history.boards[--history.position];
}

const BoardSnapshot* stepForward(MoveHistory& history) {
    if (!canStepForward(history)) return nullptr;
    const int target =
        history.redoJump > history.position ? history.redoJump : history.position + 1;
    history.redoJump = -1;
    history.position = target;
    return &history.boards[target];
}

const BoardSnapshot* jumpBack(MoveHistory& history, int index) {
    if (index < 0 || index >= history.position || history.position >= history.count) return nullptr;
    history.redoJump = history.position;
    history.position = index;
    return &history.boards[index];
}

void clearHistory(MoveHistory& history) {
    history.count = 0;
    history.position = 0;
    history.redoJump = -1;
}

void releaseHistory(MoveHistory& history) {
    std::free(history.boards);
    history.boards = nullptr;
    history.capacity = 0;
    clearHistory(history);
}

} // namespace korvani
