// The step from givens to the counts that every engine starts from.
#include "core/solver/engine.h"

namespace korvani::solver {

RootCounts rootCountsOf(const CellGrid& givens) {
    RootCounts root;
    root.filled = givens;
    DigitMask given[27] = {};
    for (int unit = 0; unit < 27; ++unit) {
        for (int i = 0; i < 9; ++i) {
            const DigitMask bit = digitMaskTable[givens[unitCellAt(unit, i)]];
            if ((given[unit] & bit) != 0) root.looseUnits |= 1u << unit;
            given[unit] = static_cast<DigitMask>(given[unit] | bit);
        }
        if ((root.looseUnits >> unit & 1u) == 0)
            root.required[unit] = static_cast<DigitMask>(allDigits & ~given[unit]);
    }
    for (int cell = 0; cell < 81; ++cell) {
        if (givens[cell] != 0) continue;
        const DigitMask seen =
            given[rowOf(cell)] | given[9 + columnOf(cell)] | given[18 + boxOf(cell)];
        root.candidates[cell] = static_cast<DigitMask>(allDigits & ~seen);
    }
    return root;
}

} // namespace korvani::solver
