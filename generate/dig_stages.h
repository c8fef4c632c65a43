// The stages in which the game's puzzles are dug: each stage splits the 81 cells into the orbits
// of a group of symmetries of the grid (band and stack shifts, mirrors, turns, the transpose),
// and the dig empties whole orbits before smaller ones.
//
// Why: a puzzle dug cell by cell seldom needs a triple or an X-wing as its hardest step (one in
// 300 to 700 of them). Givens left in blocks that repeat across bands and stacks, and
// across the mirrors, leave pencil marks with the same repeating shape, and fish and subsets
// become the missing step several times as often, for the same cost per dig. The last stage is
// the one the puzzle must be minimal for: mirrored pairs, or single cells.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace korvani {

// Cells in groups, group by group: group k is cells[starts[k] .. starts[k + 1]).
struct CellGroups {
    std::array<std::uint8_t, 81> cells{};
    std::array<std::uint8_t, 82> starts{};
    int count = 0;
};

// The stages of a dig, the last one mirrored pairs (the centre alone) when `symmetric`, single
// cells otherwise. Every group of a symmetric stage holds the mirror of each of its cells.
std::span<const CellGroups> digStages(bool symmetric);

} // namespace korvani
