// One puzzle of an asked grade: it has exactly one solution, the grader gives it exactly that
// grade, its givens show all nine digits, and it is minimal (for the half-turn symmetry when
// that is asked). It depends only on the seed and its number in the stream.
#pragma once

#include "core/grid.h"
#include "hint/grader.h"

#include <atomic>
#include <cstdint>

namespace korvani {

struct GeneratedPuzzle {
    CellGrid givens{};
    GradeResult grade;
    std::uint64_t index = 0; // its number in the stream
};

struct PuzzleRequest {
    std::uint64_t seed = 0;
    int grade = 1; // 1 to 9
    bool symmetric = true;
};

inline constexpr int lowestGrade = 1;
inline constexpr int highestGrade = 9;

// The search for puzzle number `index` goes in rounds 0, 1, 2 …, each a solved grid of its own
// dug a few times; the puzzle is the first one of the asked grade in the lowest round that has
// one. Rounds are independent, so several threads may search one puzzle.
enum class RoundEnd { found, notFound, cancelled };
RoundEnd searchRound(const PuzzleRequest& request, std::uint64_t index, std::uint64_t round,
                     const std::atomic<bool>* cancelled, GeneratedPuzzle& puzzle);

// Makes puzzle number `index` of the request's stream, round after round. False only when
// `cancelled` was set before it was found; it is looked at between digs, which take well under
// a millisecond.
bool makePuzzle(const PuzzleRequest& request, std::uint64_t index,
                const std::atomic<bool>* cancelled, GeneratedPuzzle& puzzle);

// The order inside a problem file, easiest first: by grade, then by the hardest technique, how
// often it was needed, how many cells are empty, and the number in the stream.
bool easierThan(const GeneratedPuzzle& a, const GeneratedPuzzle& b);

} // namespace korvani
