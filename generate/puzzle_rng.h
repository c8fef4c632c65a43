// The random numbers every generated puzzle is drawn from: splitmix64, the same numbers on every
// compiler and platform (the standard library's distributions differ between them), so that a
// seed gives the same puzzles everywhere.
#pragma once

#include <array>
#include <cstdint>
#include <utility>

namespace korvani {

struct PuzzleRng {
    std::uint64_t state;
    std::uint64_t next();
    int below(int bound); // 0 .. bound-1
};

// The generator of puzzle number `index` of the stream that `seed` starts, for its search's
// round `round`; independent of every other index and round, so that puzzles and the rounds of
// one puzzle's search can be worked on in any order and on any number of threads.
PuzzleRng puzzleRngFor(std::uint64_t seed, std::uint64_t index, std::uint64_t round = 0);

// Fisher-Yates over the first `count` items.
template <typename T, std::size_t N>
void shuffle(std::array<T, N>& items, int count, PuzzleRng& rng) {
    for (int i = count - 1; i > 0; --i) std::swap(items[i], items[rng.below(i + 1)]);
}

} // namespace korvani
