// The board of the branching search and the deductions on it (core/solver/deductions.cpp):
// digit bitboards, one 27-bit word per band and digit. A node's board is a copy of its
// parent's, so nothing needs undoing.
#pragma once

#include "core/grid.h"
#include "core/solver/tables.h"

#include <cstdint>

namespace korvani::solver {

// The state of one node.
struct Board {
    std::uint32_t candidates[9][3]; // per digit: the empty cells that may still take it
    std::uint32_t empty[3];
    // Per digit: the units that require it and do not hold it yet. A strict unit requires every
    // digit it lacks; a loose unit only those that the counting shows it cannot leave out.
    std::uint16_t requiredRows[9];
    std::uint16_t requiredColumns[9];
    std::uint16_t requiredBoxes[9];
};

// A unit whose givens repeat a digit: kind (rows, columns, boxes), index and cells.
struct LooseUnit {
    int kind;
    int index;
    std::uint32_t cells[3];
};

enum class DigitOrder { natural, scarcestFirst, plentifulFirst };

// What the nodes of one attempt share, and what the attempts hand on to each other.
struct Search {
    std::uint8_t value[81]; // givens, and the digit last placed in each empty cell
    int count = 0;
    CellGrid solution{};
    bool haveEarlier = false; // a completion found by an attempt that gave up
    CellGrid earlier{};
    unsigned dirty = 0;   // digits whose candidates changed since their last unit checks
    long long nodes = 0;  // in this attempt
    long long probes = 0; // in all attempts
    long long probeAfterNodes = 0;
    bool probeFirstBranches = false;
    int depth = 0; // of the node being searched; the start of an attempt is 0
    long long unitMatchingAfterNodes = 0;
    long long nodeLimit = 0; // an attempt that needs more nodes gives up (0: no limit)
    bool gaveUp = false;
    bool omissionsFirst = true;
    unsigned tieBreak = 0; // for chooseBranchCell
    DigitOrder digitOrder = DigitOrder::natural;
    LooseUnit loose[27];
    int looseCount = 0;
    bool tightBand[3] = {};  // its three rows and three boxes hold no repeated given
    bool tightStack[3] = {}; // likewise its three columns and three boxes
};

// Puts `digit` into `cell`; false when the digit is no longer a candidate there.
inline bool place(Board& board, Search& search, int digit, int cell) {
    const CellPlace& at = cellPlaces.of[cell];
    const int band = at.band;
    const std::uint32_t bit = at.bit;
    if ((board.candidates[digit][band] & bit) == 0) return false;
    unsigned touched = 1u << digit;
    for (int d = 0; d < 9; ++d) {
        const std::uint32_t x = board.candidates[d][band];
        touched |= static_cast<unsigned>((x & bit) != 0) << d;
        board.candidates[d][band] = x & ~bit;
    }
    const std::uint32_t* peers = peerTable.mask[cell];
    for (int b = 0; b < 3; ++b) board.candidates[digit][b] &= ~peers[b];
    board.empty[band] &= ~bit;
    board.requiredRows[digit] &= at.notRow;
    board.requiredColumns[digit] &= at.notColumn;
    board.requiredBoxes[digit] &= at.notBox;
    search.value[cell] = static_cast<std::uint8_t>(digit + 1);
    search.dirty |= touched;
    return true;
}

// The units of one kind (rows, columns, boxes) that require `digit`.
inline std::uint16_t& requiredUnits(Board& board, int kind, int digit) {
    if (kind == kindRow) return board.requiredRows[digit];
    if (kind == kindColumn) return board.requiredColumns[digit];
    return board.requiredBoxes[digit];
}

// Applies the deductions until none applies; false on a dead end.
bool propagate(Board& board, Search& search);

// Tries every candidate of every empty cell on a copy of the board with the deductions and
// strikes out each one that leads to a dead end (failed-literal probing); false when the board
// is a dead end.
bool strikeFailingCandidates(Board& board, Search& search);

// False when the digits that can go into some unit cannot be matched to all its empty cells.
bool unitsCanBeFilled(const Board& board);

} // namespace korvani::solver
