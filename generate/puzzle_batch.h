// A set of puzzles of one grade made on several threads. Workers start the next number of the
// stream while there is one, then help with the rounds of the puzzles still being searched, so
// that the last puzzles of a set do not leave threads idle. Every puzzle is the first of the
// asked grade in the lowest round that has one, so the set is the same whatever the number of
// threads, and a cancelled set keeps those already made.
#pragma once

#include "generate/graded_puzzle.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace korvani {

struct PuzzleBatch {
    // Where the search for one puzzle stands.
    struct Search {
        std::uint64_t nextRound = 0;           // rounds below it are taken
        std::uint64_t foundRound = UINT64_MAX; // the lowest round that found one
        std::vector<char> finished;            // per round taken: done
        std::uint64_t finishedBelowFound = 0;  // finished rounds below foundRound
    };

    PuzzleRequest request;
    int count = 0;
    std::vector<GeneratedPuzzle> puzzles; // slot n: number n of the stream, once made
    std::vector<char> made;               // one flag per slot
    std::mutex lock;                      // guards `searches` and `made`
    std::vector<Search> searches;

    PuzzleBatch(const PuzzleRequest& request, int count);
};

// One worker's share: takes rounds until none is left or `cancelled` is set; adds one to `done`
// per puzzle made. Any number of threads may run it on the same batch at once.
void workOnBatch(PuzzleBatch& batch, const std::atomic<bool>& cancelled, std::atomic<int>& done);

// The puzzles made, easiest first. Call it once every worker has returned.
std::vector<GeneratedPuzzle> madePuzzles(const PuzzleBatch& batch);

// Makes the whole set on `threads` threads (1 or more); with `cancelled` set it returns early
// with what was made.
std::vector<GeneratedPuzzle> makePuzzleSet(const PuzzleRequest& request, int count, int threads,
                                           const std::atomic<bool>& cancelled);

} // namespace korvani
