// splitmix64 and the per-index start of a stream.
#include "generate/puzzle_rng.h"

namespace korvani {

std::uint64_t PuzzleRng::next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int PuzzleRng::below(int bound) {
    return int(next() % std::uint64_t(bound));
}

PuzzleRng puzzleRngFor(std::uint64_t seed, std::uint64_t index, std::uint64_t round) {
    PuzzleRng mix{seed ^ (index * 0xD1B54A32D192ED03ull) ^ (round * 0x8CB92BA72F3D8DD7ull)};
    return PuzzleRng{mix.next()};
}

} // namespace korvani
