// The choice at start-up between the stored game and a new one, with every value from the save
// file checked against the loaded puzzles before it is used.
#include "progress/progress_restore.h"

#include "progress/progress_records.h"

namespace korvani {

namespace {

// A stored grid fits the puzzle when every cell is empty or a digit and no digit lies on a
// given: a damaged grid would otherwise show tiles that do not exist or hide a given.
bool storedGridFits(const CellGrid& grid, const CellGrid& givens) {
    for (std::size_t i = 0; i < grid.size(); ++i) {
        if (grid[i] > 9) return false;
        if (grid[i] != 0 && givens[i] != 0) return false;
    }
    return true;
}

std::int32_t clampClock(std::int32_t seconds) {
    if (seconds < 0) return 0;
    if (seconds > clockLimitSeconds) return clockLimitSeconds;
    return seconds;
}

} // namespace

StartingGame chooseStartingGame(ProgressStore& store) {
    StartingGame start;
    SaveHeader& header = store.header;
    bool storedGame = header.savedGameFlag != -1;
    if (header.currentProblemIndex < 0 || header.currentProblemIndex >= store.problemCount) {
        header.currentProblemIndex = 0;
        storedGame = false;
    }
    if (storedGame) {
        const Problem& problem = store.problems[header.currentProblemIndex];
        if (storedGridFits(header.savedUserGrid, problem.givens)) {
            start.resume = true;
            start.elapsedSeconds = clampClock(header.savedElapsedSeconds);
            start.userGrid = header.savedUserGrid;
        }
        // A grid that does not fit starts its puzzle afresh rather than moving on.
        return start;
    }
    // With every puzzle cleared the current index stays.
    selectNextUnsolved(store);
    return start;
}

} // namespace korvani
