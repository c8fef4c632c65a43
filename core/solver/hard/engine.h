// What the three engines of the solver share: the counts of a board that they start from, and
// the verdict each gives once it has settled a grid. Every engine has the same shape: `start`
// from a board, `run` for a budget of its own unit of work (nodes, conflicts, steps), as often
// as asked, and `verdict`.
#pragma once

#include "core/grid.h"
#include "core/solver/solver.h"

#include <cstdint>

namespace korvani::solver {

// A board narrowed by deductions that every completion obeys, in the bitboard form of the
// branching search (cell bit 9 * rowInBand + column of its band's word). `filled` holds the
// givens and the digits already placed, `empty` per band the other cells; `candidates` per digit
// (0..8) and band the empty cells that may still take it (none that a filled peer holds);
// `required` per kind (rows, columns, boxes) and digit the units whose empty cells must take it.
// Completions keep `filled` as it stands. `looseUnits` has bit u set for each unit u (rows 0-8,
// columns 9-17, boxes 18-26) whose givens repeat a digit: it need not take every digit it lacks,
// only as many as it has empty cells.
struct RootCounts {
    CellGrid filled{};
    std::uint32_t empty[3] = {};
    std::uint32_t candidates[9][3] = {};
    std::uint16_t required[3][9] = {};
    std::uint32_t looseUnits = 0;

    bool hasCandidate(int cell, int digit) const {
        return (candidates[digit][cell / 27] >> (cell % 27) & 1u) != 0;
    }
    void removeCandidate(int cell, int digit) {
        candidates[digit][cell / 27] &= ~(1u << (cell % 27));
    }
    // The digits (bit d for digit d + 1) that unit `unit` requires.
    DigitMask requiredOf(int unit) const {
        DigitMask mask = 0;
        for (int d = 0; d < 9; ++d)
            mask |= static_cast<DigitMask>((required[unit / 9][d] >> (unit % 9) & 1u) << d);
        return mask;
    }
};

// The counts of a grid of givens (digits 0..9, 0 empty) before any deduction: a cell loses the
// digits of its peers, and a unit that repeats no given requires every digit it lacks.
RootCounts rootCountsOf(const CellGrid& givens);

// What an engine has found: once `settled`, the number of completions (0, 1 or 2 for two or
// more) and, for one, the completion.
struct Verdict {
    bool settled = false;
    SolveResult result{};
};

} // namespace korvani::solver
