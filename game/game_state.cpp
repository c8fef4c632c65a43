// Creation of the one GameState. Its end, destroyGameState, belongs to the progress store
// (progress/progress_io_win.cpp), since it writes the save file first.
#include "game/game_state.h"

#include <new>

namespace korvani {

GameState* createGameState() {
    return new (std::nothrow) GameState{};
}

} // namespace korvani
