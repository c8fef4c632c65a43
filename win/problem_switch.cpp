// Switching to another problem file: the save first, then the load and a fresh start.
#include "win/problem_switch.h"

#include "progress/problem_loading.h"
#include "win/app_state.h"

namespace korvani {

bool switchToProblemFile(GameState& game, const char (&storedName)[64], int problemIndex) {
    // A failed write is told on exit, when the save file is written again.
    saveProgress(game);
    if (!openProblemFile(game.progress, storedName, problemIndex)) return false;
    restart(game);
    return true;
}

} // namespace korvani
