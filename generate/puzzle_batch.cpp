// Workers taking numbers from one counter, and the set sorted easiest first.
#include "generate/puzzle_batch.h"

#include <algorithm>
#include <thread>

namespace korvani {

PuzzleBatch::PuzzleBatch(const PuzzleRequest& request, int count)
    : request(request), count(count), puzzles(std::size_t(count)), made(std::size_t(count), 0) {}

void workOnBatch(PuzzleBatch& batch, const std::atomic<bool>& cancelled, std::atomic<int>& done) {
    for (;;) {
        const int index = batch.nextIndex.fetch_add(1);
        if (index >= batch.count || cancelled.load()) return;
        if (!makePuzzle(batch.request, std::uint64_t(index), &cancelled, batch.puzzles[index]))
            return;
        batch.made[index] = 1;
        ++done;
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
