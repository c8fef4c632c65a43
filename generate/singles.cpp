// Singles on nine 81-bit boards, one per digit: a bit is set where the digit may still go.
#include "generate/singles.h"

#include <array>

namespace korvani {

namespace {

using Board = unsigned __int128;

constexpr Board bit(int cell) {
    return Board(1) << cell;
}

struct Tables {
    std::array<Board, 27> units{}; // rows, columns, boxes
    std::array<Board, 81> peersAndSelf{};
};

constexpr Tables buildTables() {
    Tables t{};
    for (int unit = 0; unit < 27; ++unit) {
        for (int i = 0; i < 9; ++i) t.units[unit] |= bit(unitCellAt(unit, i));
    }
    for (int cell = 0; cell < 81; ++cell) {
        t.peersAndSelf[cell] =
            t.units[rowOf(cell)] | t.units[9 + columnOf(cell)] | t.units[18 + boxOf(cell)];
    }
    return t;
}

constexpr Tables tables = buildTables();

constexpr Board allCells = (Board(1) << 81) - 1;

int firstCell(Board b) {
    const std::uint64_t low = std::uint64_t(b);
    return low != 0 ? __builtin_ctzll(low) : 64 + __builtin_ctzll(std::uint64_t(b >> 64));
}

struct Boards {
    std::array<Board, 9> digit{}; // digit d + 1 may go where its bit is set
    Board empty = allCells;

    void place(int cell, int digit) {
        for (Board& b : this->digit) b &= ~bit(cell);
        this->digit[digit] &= ~tables.peersAndSelf[cell];
        empty &= ~bit(cell);
    }

    // Places every hidden single it finds.
    void hiddenPass(bool& progress) {
        for (int d = 0; d < 9; ++d) {
            for (int unit = 0; unit < 27; ++unit) {
                const Board places = digit[d] & tables.units[unit];
                if (places == 0) continue;
                if ((places & (places - 1)) == 0) {
                    place(firstCell(places), d);
                    progress = true;
                }
            }
        }
    }

    // Places every naked single; false on an empty cell with no candidate.
    bool nakedPass(bool& progress) {
        Board once = 0, twice = 0;
        for (const Board b : digit) {
            twice |= once & b;
            once |= b;
        }
        if ((empty & ~once) != 0) return false;
        Board single = once & ~twice & empty;
        while (single != 0) {
            const int cell = firstCell(single);
            single &= single - 1;
            for (int d = 0; d < 9; ++d) {
                if (digit[d] & bit(cell)) {
                    place(cell, d);
                    progress = true;
                    break;
                }
            }
        }
        return true;
    }
};

} // namespace

namespace {

// The boards of the givens; false when two of them clash.
bool boardsOfGivens(const CellGrid& givens, Boards& boards) {
    for (Board& b : boards.digit) b = allCells;
    for (int cell = 0; cell < 81; ++cell) {
        const int v = givens[cell];
        if (v < 1 || v > 9) continue;
        if ((boards.digit[v - 1] & bit(cell)) == 0) return false;
        boards.place(cell, v - 1);
    }
    return true;
}

// Hidden and naked singles until none is left; true when they fill every cell.
bool fillWithSingles(Boards& boards) {
    bool progress = true;
    while (progress && boards.empty != 0) {
        progress = false;
        boards.hiddenPass(progress);
        if (!boards.nakedPass(progress)) return false;
    }
    return boards.empty == 0;
}

} // namespace

SinglesReach singlesReach(const CellGrid& givens) {
    Boards boards;
    if (!boardsOfGivens(givens, boards)) return SinglesReach::stuck;
    bool progress = true;
    while (progress && boards.empty != 0) {
        progress = false;
        boards.hiddenPass(progress);
    }
    if (boards.empty == 0) return SinglesReach::hiddenSingles;
    return fillWithSingles(boards) ? SinglesReach::nakedSingles : SinglesReach::stuck;
}

bool singlesSolve(const CellGrid& givens) {
    Boards boards;
    return boardsOfGivens(givens, boards) && fillWithSingles(boards);
}

} // namespace korvani
