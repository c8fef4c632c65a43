// The step from givens to the counts that every engine starts from.
#include "core/solver/hard/engine.h"
#include "core/solver/tables.h"

namespace korvani::solver {

RootCounts rootCountsOf(const CellGrid& givens) {
    RootCounts root;
    root.filled = givens;
    std::uint32_t blocked[9][3] = {}; // per digit: the cells that see a given of it
    std::uint16_t held[3][9] = {};    // per kind and digit: the units that hold a given of it
    for (int cell = 0; cell < 81; ++cell) {
        if (givens[cell] == 0) {
            root.empty[cell / 27] |= 1u << (cell % 27);
            continue;
        }
        const int d = givens[cell] - 1;
        const int index[3] = {rowOf(cell), columnOf(cell), boxOf(cell)};
        for (int kind = 0; kind < 3; ++kind) {
            if ((held[kind][d] >> index[kind] & 1u) != 0)
                root.looseUnits |= 1u << (9 * kind + index[kind]);
            held[kind][d] = static_cast<std::uint16_t>(held[kind][d] | 1u << index[kind]);
        }
        for (int b = 0; b < 3; ++b) blocked[d][b] |= peerTable.mask[cell][b];
    }
    for (int d = 0; d < 9; ++d) {
        for (int b = 0; b < 3; ++b) root.candidates[d][b] = root.empty[b] & ~blocked[d][b];
        for (int kind = 0; kind < 3; ++kind) {
            const unsigned strict = ~(root.looseUnits >> (9 * kind)) & 0x1FFu;
            root.required[kind][d] = static_cast<std::uint16_t>(strict & ~held[kind][d]);
        }
    }
    return root;
}

} // namespace korvani::solver
