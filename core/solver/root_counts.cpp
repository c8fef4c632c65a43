// The step from givens to the counts that every engine starts from.
#include "core/solver/engine.h"
#include "core/solver/tables.h"

#include <bit>

namespace korvani::solver {

RootCounts rootCountsOf(const CellGrid& givens) {
    RootCounts root;
    root.filled = givens;
    std::uint32_t empty[3] = {};
    std::uint32_t blocked[9][3] = {}; // per digit: the cells that see a given of it
    DigitMask seen[27] = {};          // per unit: the digits given there
    for (int cell = 0; cell < 81; ++cell) {
        if (givens[cell] == 0) {
            empty[cell / 27] |= 1u << (cell % 27);
            continue;
        }
        const int d = givens[cell] - 1;
        for (const int unit : {rowOf(cell), 9 + columnOf(cell), 18 + boxOf(cell)}) {
            if ((seen[unit] >> d & 1u) != 0) root.looseUnits |= 1u << unit;
            seen[unit] = static_cast<DigitMask>(seen[unit] | 1u << d);
        }
        for (int b = 0; b < 3; ++b) blocked[d][b] |= peerTable.mask[cell][b];
    }
    for (int d = 0; d < 9; ++d) {
        for (int b = 0; b < 3; ++b) root.candidates[d][b] = empty[b] & ~blocked[d][b];
    }
    for (int unit = 0; unit < 27; ++unit) {
        if ((root.looseUnits >> unit & 1u) != 0) continue;
        for (unsigned lacking = allDigits & ~seen[unit]; lacking != 0; lacking &= lacking - 1)
            root.required[unit / 9][std::countr_zero(lacking)] |=
                static_cast<std::uint16_t>(1u << (unit % 9));
    }
    return root;
}

} // namespace korvani::solver
