// Start-up restore without the platform: after the save file has been read, load the problem
// file it names and decide whether the stored game goes on or which puzzle starts afresh.
#pragma once

#include "progress/progress_store.h"

#include <cstdint>

namespace korvani {

inline constexpr std::int32_t clockLimitSeconds = 3599; // 59:59, where the clock stops

// What the game starts with once the current puzzle is known.
struct StartingGame {
    bool resume = false;             // true: the stored grid and clock go on
    std::int32_t elapsedSeconds = 0; // 0 ... 3599
    CellGrid userGrid{};             // all 0 unless resumed
};

// Decides between the stored game and a new one after a successful problem-file load. The
// stored game goes on only when the flag says so and it fits the loaded puzzle: its index lies
// within the loaded puzzles (otherwise the index becomes 0 and nothing is resumed), every cell is
// 0 ... 9, and no digit lies on a given (otherwise that puzzle starts afresh). Its clock is
// clamped to 0 ... 3599. With no stored game the next uncleared puzzle is chosen.
StartingGame chooseStartingGame(ProgressStore& store);

enum class RestoreOutcome {
    ready,             // a problem file is loaded and `start` says how the game begins
    chooseProblemFile, // no save file, or its problem file could not be loaded
};

// Steps 4 to 8 of start-up for a store whose savePath and dirPrefixLength are set: read the
// save file, load the problem file it names, and choose the starting game.
RestoreOutcome restoreProgress(ProgressStore& store, StartingGame& start);

} // namespace korvani
