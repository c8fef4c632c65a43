// A set of puzzles of one grade made on several threads: every worker takes the next number of
// the stream until the set is full or cancelled, so the puzzles are the same whatever the
// number of threads, and a cancelled set keeps those already made.
#pragma once

#include "generate/graded_puzzle.h"

#include <atomic>
#include <vector>

namespace korvani {

struct PuzzleBatch {
    PuzzleRequest request;
    int count = 0;
    std::vector<GeneratedPuzzle> puzzles; // slot n: number n of the stream, once made
    std::vector<char> made;               // one flag per slot, each written by one worker
    std::atomic<int> nextIndex{0};

    PuzzleBatch(const PuzzleRequest& request, int count);
};

// One worker's share: takes numbers until none is left or `cancelled` is set; adds one to
// `done` per puzzle made. Any number of threads may run it on the same batch at once.
void workOnBatch(PuzzleBatch& batch, const std::atomic<bool>& cancelled, std::atomic<int>& done);

// The puzzles made, easiest first. Call it once every worker has returned.
std::vector<GeneratedPuzzle> madePuzzles(const PuzzleBatch& batch);

// Makes the whole set on `threads` threads (1 or more); with `cancelled` set it returns early
// with what was made.
std::vector<GeneratedPuzzle> makePuzzleSet(const PuzzleRequest& request, int count, int threads,
                                           const std::atomic<bool>& cancelled);

} // namespace korvani
