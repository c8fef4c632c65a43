// Filling a grid by random backtracking, and digging it down to a minimal puzzle.
//
// The dig decides exactly as one solver call per removal would, in the same order, so a seed
// gives the same puzzles however the calls are saved: runs of removals are tried together
// (when the puzzle stays unique without all of them, it did after each one), and a removal that
// empties a known unavoidable set is refused without a call (the other grid that agrees outside
// the set is a second solution).
#include "generate/digging.h"

#include "core/solver/solver.h"

#include <algorithm>

namespace korvani {

namespace {

struct UsedDigits {
    std::array<DigitMask, 9> rows{};
    std::array<DigitMask, 9> columns{};
    std::array<DigitMask, 9> boxes{};
};

bool fillFrom(CellGrid& grid, int cell, PuzzleRng& rng, UsedDigits& used) {
    if (cell == 81) return true;
    std::array<int, 9> digits = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    shuffle(digits, 9, rng);
    DigitMask& row = used.rows[rowOf(cell)];
    DigitMask& column = used.columns[columnOf(cell)];
    DigitMask& box = used.boxes[boxOf(cell)];
    for (int digit : digits) {
        const DigitMask bit = digitMaskTable[digit];
        if ((row | column | box) & bit) continue;
        grid[cell] = std::uint8_t(digit);
        row |= bit;
        column |= bit;
        box |= bit;
        if (fillFrom(grid, cell + 1, rng, used)) return true;
        row &= DigitMask(~bit);
        column &= DigitMask(~bit);
        box &= DigitMask(~bit);
    }
    grid[cell] = 0;
    return false;
}

} // namespace

CellGrid randomSolvedGrid(PuzzleRng& rng) {
    CellGrid grid{};
    UsedDigits used;
    fillFrom(grid, 0, rng, used); // an empty grid always has a completion
    return grid;
}

PuzzleDigger::PuzzleDigger(const CellGrid& solution) : solution_(solution) {
    // The smallest unavoidable sets: two digits that swap places in a rectangle spanning two
    // boxes. They account for about two in five of the refused removals.
    for (int r1 = 0; r1 < 9; ++r1) {
        for (int r2 = r1 + 1; r2 < 9; ++r2) {
            for (int c1 = 0; c1 < 9; ++c1) {
                for (int c2 = c1 + 1; c2 < 9; ++c2) {
                    if ((r1 / 3 == r2 / 3) == (c1 / 3 == c2 / 3)) continue;
                    const int a = 9 * r1 + c1, b = 9 * r1 + c2, c = 9 * r2 + c1, d = 9 * r2 + c2;
                    if (solution[a] != solution[d] || solution[b] != solution[c]) continue;
                    unavoidable_.push_back(CellBits(1) << a | CellBits(1) << b | CellBits(1) << c |
                                           CellBits(1) << d);
                }
            }
        }
    }
}

void PuzzleDigger::learnFrom(const CellGrid& completion) {
    // Each set costs a test on every later removal; past this many, new ones are no longer kept.
    constexpr std::size_t mostSets = 256;
    CellBits differ = 0;
    for (int cell = 0; cell < 81; ++cell) {
        if (completion[cell] != solution_[cell]) differ |= CellBits(1) << cell;
    }
    if (differ != 0 && unavoidable_.size() < mostSets) unavoidable_.push_back(differ);
}

bool PuzzleDigger::keepsOneSolution(CellGrid& puzzle, CellBits givens, int cell, int mirror) {
    for (CellBits set : unavoidable_) {
        if ((givens & set) == 0) return false;
    }
    if (cell >= 0) {
        // The puzzle had one solution with the cells given, so a second one must put another
        // digit in one of them: in `cell`, or in `mirror` with `cell` as it was.
        CellGrid other{};
        AvoidingCompletion first = findCompletionAvoiding(puzzle, cell, solution_[cell], other);
        AvoidingCompletion second = AvoidingCompletion::none;
        if (first == AvoidingCompletion::none && mirror != cell) {
            puzzle[cell] = solution_[cell];
            second = findCompletionAvoiding(puzzle, mirror, solution_[mirror], other);
            puzzle[cell] = 0;
        }
        if (first == AvoidingCompletion::found || second == AvoidingCompletion::found) {
            learnFrom(other);
            return false;
        }
        if (first == AvoidingCompletion::none && second == AvoidingCompletion::none) return true;
    }
    const SolveResult result = solveGivens(puzzle);
    if (result.count == 2) {
        learnFrom(result.twoCompletions[0]);
        learnFrom(result.twoCompletions[1]);
    }
    return result.count == 1;
}

// Cells 0..units-1 are emptied with their mirror 80 - cell when `symmetric` (41 units, 40 is
// the centre), alone otherwise (81 units).
CellGrid PuzzleDigger::dig(PuzzleRng& rng, bool symmetric) {
    const int units = symmetric ? 41 : 81;
    std::array<int, 81> order{};
    for (int i = 0; i < units; ++i) order[i] = i;
    shuffle(order, units, rng);
    CellGrid puzzle = solution_;
    CellBits givens = (CellBits(1) << 81) - 1;
    auto setRun = [&](int from, int count, bool empty) {
        for (int i = from; i < from + count; ++i) {
            const int cell = order[i];
            const int mirror = symmetric ? 80 - cell : cell;
            const CellBits bits = CellBits(1) << cell | CellBits(1) << mirror;
            puzzle[cell] = empty ? 0 : solution_[cell];
            puzzle[mirror] = empty ? 0 : solution_[mirror];
            givens = empty ? givens & ~bits : givens | bits;
        }
    };
    // Early removals almost always succeed, late ones mostly fail: the run doubles after each
    // success and halves after each failure.
    int run = 1;
    for (int next = 0; next < units;) {
        const int count = std::min(run, units - next);
        setRun(next, count, true);
        const int cell = count == 1 ? order[next] : -1;
        if (keepsOneSolution(puzzle, givens, cell, symmetric ? 80 - cell : cell)) {
            next += count;
            run *= 2;
            continue;
        }
        setRun(next, count, false);
        if (count == 1) ++next;
        run = std::max(1, count / 2);
    }
    return puzzle;
}

CellGrid PuzzleDigger::digSymmetric(PuzzleRng& rng) {
    return dig(rng, true);
}

CellGrid PuzzleDigger::digSingles(PuzzleRng& rng) {
    return dig(rng, false);
}

CellGrid digSymmetricPuzzle(const CellGrid& solution, PuzzleRng& rng) {
    return PuzzleDigger(solution).digSymmetric(rng);
}

bool showsEveryDigit(const CellGrid& givens) {
    DigitMask seen = 0;
    for (std::uint8_t v : givens) {
        if (v >= 1 && v <= 9) seen |= digitMaskTable[v];
    }
    return seen == allDigits;
}

} // namespace korvani
