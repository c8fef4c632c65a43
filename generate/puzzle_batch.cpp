// Workers sharing the rounds of a set's searches, and the set sorted easiest first.
#include "generate/puzzle_batch.h"

#include <algorithm>
#include <thread>

namespace korvani {

namespace {

// The next round to work on: round 0 of the first puzzle not yet started, otherwise the next
// round of the lowest puzzle still searched that has not found one yet. False when every round
// still needed is already taken.
bool takeRound(PuzzleBatch& batch, int& index, std::uint64_t& round) {
    for (int pass = 0; pass < 2; ++pass) {
        for (int n = 0; n < batch.count; ++n) {
            PuzzleBatch::Search& search = batch.searches[n];
            if (batch.made[n] || search.nextRound >= search.foundRound) continue;
            if (pass == 0 && search.nextRound != 0) continue;
            index = n;
            round = search.nextRound++;
            search.finished.push_back(0);
            return true;
        }
    }
    return false;
}

// Records a finished round; true when it completes the puzzle: a round found one and every
// round below it has finished without.
bool finishRound(PuzzleBatch& batch, int index, std::uint64_t round, bool found,
                 const GeneratedPuzzle& puzzle) {
    PuzzleBatch::Search& search = batch.searches[index];
    search.finished[round] = 1;
    if (batch.made[index]) return false; // a round above the one that found it
    if (found && round < search.foundRound) {
        search.foundRound = round;
        batch.puzzles[index] = puzzle;
        search.finishedBelowFound = 0;
        for (std::uint64_t r = 0; r < round; ++r) search.finishedBelowFound += search.finished[r];
    } else if (round < search.foundRound) {
        ++search.finishedBelowFound;
    }
    if (search.foundRound == UINT64_MAX || search.finishedBelowFound < search.foundRound)
        return false;
    batch.made[index] = 1;
    return true;
}

} // namespace

PuzzleBatch::PuzzleBatch(const PuzzleRequest& request, int count)
    : request(request), count(count), puzzles(std::size_t(count)), made(std::size_t(count), 0),
      searches(std::size_t(count)) {}

void workOnBatch(PuzzleBatch& batch, const std::atomic<bool>& cancelled, std::atomic<int>& done) {
    for (;;) {
        int index = 0;
        std::uint64_t round = 0;
        {
            const std::lock_guard<std::mutex> hold(batch.lock);
            if (cancelled.load() || !takeRound(batch, index, round)) return;
        }
        GeneratedPuzzle puzzle;
        const RoundEnd end =
            searchRound(batch.request, std::uint64_t(index), round, &cancelled, puzzle);
        if (end == RoundEnd::cancelled) return;
        const std::lock_guard<std::mutex> hold(batch.lock);
        if (finishRound(batch, index, round, end == RoundEnd::found, puzzle)) ++done;
    }
}

std::vector<GeneratedPuzzle> madePuzzles(const PuzzleBatch& batch) {
    std::vector<GeneratedPuzzle> puzzles;
    for (int n = 0; n < batch.count; ++n) {
        if (batch.made[n]) puzzles.push_back(batch.puzzles[n]);
    }
    std::sort(puzzles.begin(), puzzles.end(), easierThan);
    return puzzles;
}

std::vector<GeneratedPuzzle> makePuzzleSet(const PuzzleRequest& request, int count, int threads,
                                           const std::atomic<bool>& cancelled) {
    PuzzleBatch batch(request, count);
    std::atomic<int> done{0};
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t) {
        workers.emplace_back([&] { workOnBatch(batch, cancelled, done); });
    }
    workOnBatch(batch, cancelled, done);
    for (std::thread& worker : workers) worker.join();
    return madePuzzles(batch);
}

} // namespace korvani
