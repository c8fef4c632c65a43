// The reference search, step by step: propagate single candidates from the start cell in
// passes, branch on the first empty cell, undo every fill on the way back.
#include "tests/support/reference_solver.h"

namespace korvani {

namespace {

int digitOfMask(DigitMask mask) {
    int digit = 1;
    while (mask > 1) {
        mask >>= 1;
        ++digit;
    }
    return digit;
}

void setBit(DigitMask rowMask[9], DigitMask columnMask[9], DigitMask boxMask[9], int r, int c,
            int b, DigitMask m) {
    rowMask[r] |= m;
    columnMask[c] |= m;
    boxMask[b] |= m;
}

void clearBit(DigitMask rowMask[9], DigitMask columnMask[9], DigitMask boxMask[9], int r, int c,
              int b, DigitMask m) {
    rowMask[r] &= static_cast<DigitMask>(~m);
    columnMask[c] &= static_cast<DigitMask>(~m);
    boxMask[b] &= static_cast<DigitMask>(~m);
}

} // namespace

void buildUnitMasks(const MaskGrid grid, DigitMask rowMask[9], DigitMask columnMask[9],
                    DigitMask boxMask[9]) {
    for (int unit = 0; unit < 9; ++unit) {
        DigitMask row = 0;
        DigitMask column = 0;
        DigitMask box = 0;
        const int boxTopLeft = 27 * (unit / 3) + 3 * (unit % 3);
        for (int k = 0; k < 9; ++k) {
            row |= grid[unit * 9 + k];
            column |= grid[k * 9 + unit];
            box |= grid[boxTopLeft + 9 * (k / 3) + k % 3];
        }
        rowMask[unit] = row;
        columnMask[unit] = column;
        boxMask[unit] = box;
    }
}

void searchSolutions(UndoStack& stack, MaskGrid grid, MaskGrid solutionMasks, DigitMask rowMask[9],
                     DigitMask columnMask[9], DigitMask boxMask[9], int start,
                     std::int32_t& solutionCount, SearchBudget* budget) {
    const std::int32_t base = stack.count;
    if (budget != nullptr && --budget->callsLeft < 0) budget->exhausted = true;

    // Propagate single candidates until a whole pass changes nothing.
    bool changed = true;
    while (changed && (budget == nullptr || !budget->exhausted)) {
        changed = false;
        for (int i = start; i < 81; ++i) {
            if (grid[i] != 0) continue;
            const int r = rowOf(i);
            const int c = columnOf(i);
            const int b = boxOf(i);
            const DigitMask candidates =
                static_cast<DigitMask>(~(rowMask[r] | columnMask[c] | boxMask[b]) & allDigits);
            if (candidates != 0 && (candidates & (candidates - 1)) == 0) {
                stack.row[stack.count] = r;
                stack.column[stack.count] = c;
                stack.box[stack.count] = b;
                ++stack.count;
                grid[i] = candidates;
                setBit(rowMask, columnMask, boxMask, r, c, b, candidates);
                changed = true;
            }
        }
    }

    if (budget == nullptr || !budget->exhausted) {
        int i = start;
        while (i < 81 && grid[i] != 0) ++i;
        if (i == 81) {
            for (int k = 0; k < 81; ++k) solutionMasks[k] = grid[k];
            ++solutionCount;
        } else {
            const int r = rowOf(i);
            const int c = columnOf(i);
            const int b = boxOf(i);
            const DigitMask used = rowMask[r] | columnMask[c] | boxMask[b];
            if (used != allDigits) {
                for (int digit = 1; digit <= 9; ++digit) {
                    const DigitMask bit = digitMaskTable[digit];
                    if ((used & bit) == 0) {
                        grid[i] = bit;
                        setBit(rowMask, columnMask, boxMask, r, c, b, bit);
                        searchSolutions(stack, grid, solutionMasks, rowMask, columnMask, boxMask, i,
                                        solutionCount, budget);
                        const DigitMask m = grid[i];
                        grid[i] = 0;
                        clearBit(rowMask, columnMask, boxMask, r, c, b, m);
                    }
                    if (solutionCount > 1) break;
                    if (budget != nullptr && budget->exhausted) break;
                }
            }
        }
    }

    // Undo this level's own fills.
    while (stack.count != base) {
        --stack.count;
        const int r = stack.row[stack.count];
        const int c = stack.column[stack.count];
        const int b = stack.box[stack.count];
        const int cell = r * 9 + c;
        const DigitMask m = grid[cell];
        grid[cell] = 0;
        clearBit(rowMask, columnMask, boxMask, r, c, b, m);
    }
}

namespace {

SolveResult runReference(const CellGrid& givens, SearchBudget* budget) {
    SolveResult result;
    for (std::uint8_t value : givens) {
        if (value > 9) return result; // not a grid of digits: no completion
    }
    UndoStack stack;
    MaskGrid grid;
    MaskGrid solutionMasks = {};
    DigitMask rowMask[9];
    DigitMask columnMask[9];
    DigitMask boxMask[9];
    for (int i = 0; i < 81; ++i) grid[i] = digitMaskTable[givens[i]];
    buildUnitMasks(grid, rowMask, columnMask, boxMask);
    std::int32_t solutionCount = 0;
    stack.count = 0;
    searchSolutions(stack, grid, solutionMasks, rowMask, columnMask, boxMask, 0, solutionCount,
                    budget);

    result.count = solutionCount;
    if (solutionCount == 1) {
        for (int i = 0; i < 81; ++i)
            result.solution[i] = static_cast<std::uint8_t>(digitOfMask(solutionMasks[i]));
    }
    return result;
}

} // namespace

SolveResult solveGivensReference(const CellGrid& givens) {
    return runReference(givens, nullptr);
}

bool solveGivensReferenceBounded(const CellGrid& givens, long long maxCalls, SolveResult& result) {
    SearchBudget budget;
    budget.callsLeft = maxCalls;
    result = runReference(givens, &budget);
    return !budget.exhausted;
}

} // namespace korvani
