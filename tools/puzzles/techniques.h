// The human solving techniques of the grader, from the easiest to the hardest, each of which
// finds one instance of its pattern in a pencil-mark state and applies it.
#pragma once

#include "tools/puzzles/pencil.h"

#include <cstdint>
#include <vector>

namespace korvani {

// In the order in which the grader tries them; a later technique is never harder for a person
// than an earlier one.
enum class Technique : std::uint8_t {
    HiddenSingle,
    NakedSingle,
    LockedCandidates, // pointing (box to line) and claiming (line to box)
    NakedPair,
    HiddenPair,
    NakedTriple,
    HiddenTriple,
    NakedQuad,
    HiddenQuad,
    XWing,
    XYWing,
    XYZWing,
    Swordfish,
    Jellyfish,
    SimpleColouring,
    XChain,
    XYChain,
};
inline constexpr int techniqueCount = int(Technique::XYChain) + 1;

const char* techniqueName(Technique technique);

// One placement or one candidate removal, and the technique that justified it.
struct Deduction {
    Technique technique;
    std::uint8_t cell;
    std::uint8_t digit;
    bool placement; // false: the digit was removed from the cell's candidates
};

// Looks for the first instance of the technique (in a fixed scan order) that changes the state,
// applies it and appends its deductions to trace (when not null). False when none applies.
bool applyTechnique(Technique technique, PencilGrid& grid, std::vector<Deduction>* trace);

} // namespace korvani
