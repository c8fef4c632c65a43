// The human solving techniques, from the easiest to the hardest. Each finds one instance of its
// pattern in a pencil-mark state and describes it as a step: what it places or removes, the
// cells that make the pattern, and what an explanation of it names.
#pragma once

#include "hint/pencil.h"

#include <cstdint>
#include <vector>

namespace korvani {

// In the order in which the grader and the hint try them; a later technique is never harder for
// a person than an earlier one.
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

// English name, for the grader's reports ("hidden single", "X-wing").
const char* techniqueName(Technique technique);
// One lower-case word with hyphens, for command lines ("hidden-single", "x-wing").
const char* techniqueSlug(Technique technique);

// One instance of a technique. A placement fills `cell` with `digit`; a removal takes
// removed[cell] out of the candidates of every cell. The remaining fields say what the pattern
// is, for the board and the explanation; those a technique does not use stay at their defaults.
struct Step {
    Technique technique = Technique::HiddenSingle;
    bool placement = false;
    std::uint8_t cell = 0;
    std::uint8_t digit = 0;
    std::array<DigitMask, 81> removed{};
    CellSet pattern; // the cells that make the pattern (house, pair, wing, fish, chain ...)

    // Hidden single: the house. Locked candidates: the house the digit is confined to (box
    // when pointing, line when claiming); otherUnit the house whose other cells lose it.
    // Subsets: the house. Colouring wrap: the house the two cells of one colour share.
    std::int8_t unit = -1;
    std::int8_t otherUnit = -1;
    // Subsets: their digits. Every other technique: the one digit of its pattern.
    DigitMask digits = 0;
    // Fish: base lines (bit i = line i) whose places of the digit lie in the cross lines.
    bool columns = false; // the base lines are columns (the cross lines rows)
    std::uint16_t baseLines = 0;
    std::uint16_t crossLines = 0;
    // The cells the explanation names, in its order: the cells of a subset; the pivot and
    // pincers of a wing; the two ends of a chain; the two cells of one colour that meet.
    std::array<std::uint8_t, 4> named{};
    std::uint8_t namedCount = 0;
    // XY-wing: the pivot's digit that leaves the first pincer with the wing's digit, then the
    // one that leaves the second pincer with it.
    std::array<std::uint8_t, 2> pivotDigits{};
    bool colourTrap = false; // simple colouring: a cell sees both colours (else: a colour wraps)
};

// The first instance of the technique, in a fixed scan order, that changes the state. False when
// there is none; then step is left unspecified.
bool findStep(Technique technique, const PencilGrid& grid, Step& step);

// One placement or one candidate removal, and the technique that justified it.
struct Deduction {
    Technique technique;
    std::uint8_t cell;
    std::uint8_t digit;
    bool placement; // false: the digit was removed from the cell's candidates
};

// Applies a found step and appends its deductions to trace (when not null): the placement, or
// the removals cell by cell in reading order.
void applyStep(PencilGrid& grid, const Step& step, std::vector<Deduction>* trace);

// findStep, then applyStep. False when the technique does not apply.
bool applyTechnique(Technique technique, PencilGrid& grid, std::vector<Deduction>* trace);

} // namespace korvani
