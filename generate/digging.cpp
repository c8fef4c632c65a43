// Filling a grid by random backtracking, and digging it down to a minimal puzzle.
//
// The dig decides exactly as one solver call per removal would, in the same order, so a seed
// gives the same puzzles however the calls are saved: runs of removals are tried together
// (when the puzzle stays unique without all of them, it did after each one), and a removal that
// empties a known unavoidable set is refused without a call (the other grid that agrees outside
// the set is a second solution).
#include "generate/digging.h"

#include "core/solver/solver.h"
#include "generate/dig_stages.h"

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

namespace {

using CellBits = unsigned __int128;

// Two rows of one band (`lines` 0) or two columns of one stack (1): where the first holds the
// digits that the second holds in the same columns, the two may swap them, which keeps every
// column and box. Each cycle of that pairing of digits is a set.
void addLineCycles(const CellGrid& solution, int lines, std::vector<CellBits>& sets) {
    auto cellAt = [lines](int line, int across) {
        return lines == 0 ? 9 * line + across : 9 * across + line;
    };
    for (int first = 0; first < 9; ++first) {
        for (int second = first + 1; second < first / 3 * 3 + 3; ++second) {
            std::array<bool, 9> taken{};
            for (int start = 0; start < 9; ++start) {
                if (taken[start]) continue;
                CellBits set = 0;
                int at = start;
                do {
                    taken[at] = true;
                    set |= CellBits(1) << cellAt(first, at) | CellBits(1) << cellAt(second, at);
                    const std::uint8_t next = solution[cellAt(second, at)];
                    at = 0;
                    while (solution[cellAt(first, at)] != next) ++at;
                } while (at != start);
                sets.push_back(set);
            }
        }
    }
}

// Two digits may swap places in any group of their cells that holds both or neither in every
// unit: each smallest such group is a set. A group is a set of rows in each of which it holds
// both digits' cells; with a row it needs the rows where the second digit meets the column and
// the box of the first. The groups of four, rectangles, are line cycles too.
void addDigitPairGroups(const CellGrid& solution, std::vector<CellBits>& sets) {
    // Per digit: its cell in each row, and the row of its cell in each column and box.
    std::array<std::array<std::uint8_t, 9>, 10> cellInRow{}, rowInColumn{}, rowInBox{};
    for (int cell = 0; cell < 81; ++cell) {
        const int digit = solution[cell];
        cellInRow[digit][rowOf(cell)] = std::uint8_t(cell);
        rowInColumn[digit][columnOf(cell)] = std::uint8_t(rowOf(cell));
        rowInBox[digit][boxOf(cell)] = std::uint8_t(rowOf(cell));
    }
    for (int a = 1; a <= 9; ++a) {
        for (int b = a + 1; b <= 9; ++b) {
            unsigned seen = 0;
            for (int start = 0; start < 9; ++start) {
                if (seen >> start & 1u) continue;
                std::array<int, 9> stack{};
                int top = 0;
                stack[top++] = start;
                seen |= 1u << start;
                CellBits set = 0;
                int rows = 0;
                while (top > 0) {
                    const int row = stack[--top];
                    const int cell = cellInRow[a][row];
                    set |= CellBits(1) << cell | CellBits(1) << cellInRow[b][row];
                    ++rows;
                    for (int next : {rowInColumn[b][columnOf(cell)], rowInBox[b][boxOf(cell)]}) {
                        if (seen >> next & 1u) continue;
                        seen |= 1u << next;
                        stack[top++] = next;
                    }
                }
                if (rows > 2) sets.push_back(set);
            }
        }
    }
}

} // namespace

PuzzleDigger::PuzzleDigger(const CellGrid& solution) : solution_(solution) {
    // Unavoidable sets that the grid shows at once, smallest kinds first, so that the removals
    // they refuse need no search. The rectangles (two digits in two rows and two columns) alone
    // account for about two in five of the refused removals.
    addLineCycles(solution, 0, unavoidable_);
    addLineCycles(solution, 1, unavoidable_);
    addDigitPairGroups(solution, unavoidable_);
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

bool PuzzleDigger::emptiesKnownSet(CellBits givens) const {
    for (CellBits set : unavoidable_) {
        if ((givens & set) == 0) return true;
    }
    return false;
}

bool PuzzleDigger::searchKeepsOne(CellGrid& puzzle, int cell, int mirror) {
    if (cell >= 0) {
        // The puzzle had one solution with the cells given, so a second one must put another
        // digit in one of them: in `cell`, or in `mirror` with `cell` as it was.
        CellGrid other{};
        AvoidingCompletion first = findCompletionAvoiding(puzzle, solution_, cell, other);
        AvoidingCompletion second = AvoidingCompletion::none;
        if (first == AvoidingCompletion::none && mirror != cell) {
            puzzle[cell] = solution_[cell];
            second = findCompletionAvoiding(puzzle, solution_, mirror, other);
            puzzle[cell] = 0;
        }
        if (first == AvoidingCompletion::found || second == AvoidingCompletion::found) {
            learnFrom(other);
            return false;
        }
        if (first == AvoidingCompletion::none && second == AvoidingCompletion::none) return true;
    }
    const SolveResult result = solveGivensNear(puzzle, solution_);
    if (result.count == 2) {
        learnFrom(result.twoCompletions[0]);
        learnFrom(result.twoCompletions[1]);
    }
    return result.count == 1;
}

namespace {

// The digits given in each unit (rows 0..8, columns 9..17, boxes 18..26) of a puzzle being dug.
struct GivenDigits {
    std::array<DigitMask, unitCount> units{};

    DigitMask seenFrom(int cell) const {
        return units[rowOf(cell)] | units[9 + columnOf(cell)] | units[18 + boxOf(cell)];
    }
    void set(int cell, int digit, bool given) {
        for (int unit : {rowOf(cell), 9 + columnOf(cell), 18 + boxOf(cell)}) {
            units[unit] = given ? DigitMask(units[unit] | digitMaskTable[digit])
                                : DigitMask(units[unit] & ~digitMaskTable[digit]);
        }
    }
};

// Whether the givens alone leave `digit` to the empty `cell`: a naked single, or a hidden
// single in one of its units.
bool givensForce(const CellGrid& puzzle, const GivenDigits& given, int cell, int digit) {
    if (bitCount(given.seenFrom(cell)) == 8) return true;
    for (int unit : {rowOf(cell), 9 + columnOf(cell), 18 + boxOf(cell)}) {
        bool alone = true;
        for (int i = 0; i < 9 && alone; ++i) {
            const int other = unitCellAt(unit, i);
            alone = other == cell || puzzle[other] != 0 ||
                    (given.seenFrom(other) & digitMaskTable[digit]) != 0;
        }
        if (alone) return true;
    }
    return false;
}

// Whether singles from the givens alone fill the cells just emptied again, one after another:
// then the puzzle still has only its one solution, with no search.
bool singlesRefill(CellGrid puzzle, GivenDigits given, const CellGrid& solution,
                   std::array<int, 82>& emptied, int count) {
    for (bool progress = true; progress && count > 0;) {
        progress = false;
        for (int i = 0; i < count; ++i) {
            const int cell = emptied[i];
            if (!givensForce(puzzle, given, cell, solution[cell])) continue;
            puzzle[cell] = solution[cell];
            given.set(cell, solution[cell], true);
            emptied[i--] = emptied[--count];
            progress = true;
        }
    }
    return count == 0;
}

} // namespace

CellGrid PuzzleDigger::digGroups(CellGrid puzzle, const CellGroups& groups) {
    CellBits givens = 0;
    GivenDigits given;
    for (int cell = 0; cell < 81; ++cell) {
        if (puzzle[cell] == 0) continue;
        givens |= CellBits(1) << cell;
        given.set(cell, solution_[cell], true);
    }
    std::array<int, 82> emptied{};
    int emptiedCount = 0;
    auto setRun = [&](int from, int count, bool empty) {
        emptiedCount = 0;
        for (int i = groups.starts[from]; i < groups.starts[from + count]; ++i) {
            const int cell = groups.cells[i];
            puzzle[cell] = empty ? 0 : solution_[cell];
            given.set(cell, solution_[cell], !empty);
            emptied[emptiedCount++] = cell;
            givens = empty ? givens & ~(CellBits(1) << cell) : givens | CellBits(1) << cell;
        }
    };
    // Early removals almost always succeed, late ones mostly fail: the run doubles after each
    // success and halves after each failure.
    int run = 1;
    for (int next = 0; next < groups.count;) {
        const int count = std::min(run, groups.count - next);
        setRun(next, count, true);
        // A lone group of one or two cells is searched in those cells only.
        const int first = groups.starts[next];
        const bool small = count == 1 && groups.starts[next + 1] - first <= 2;
        const int cell = small ? groups.cells[first] : -1;
        const int mirror = small ? groups.cells[groups.starts[next + 1] - 1] : -1;
        const bool kept = !emptiesKnownSet(givens) &&
                          (singlesRefill(puzzle, given, solution_, emptied, emptiedCount) ||
                           searchKeepsOne(puzzle, cell, mirror));
        if (kept) {
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

CellGrid PuzzleDigger::digStage(CellGrid puzzle, const CellGroups& stage, PuzzleRng& rng) {
    std::array<int, 81> order{};
    for (int k = 0; k < stage.count; ++k) order[k] = k;
    shuffle(order, stage.count, rng);
    // The stage's groups in that order, each cut down to the cells still given.
    CellGroups live;
    int filled = 0;
    for (int k = 0; k < stage.count; ++k) {
        const int start = filled;
        for (int i = stage.starts[order[k]]; i < stage.starts[order[k] + 1]; ++i) {
            if (puzzle[stage.cells[i]] != 0) live.cells[filled++] = stage.cells[i];
        }
        if (filled > start) live.starts[live.count++] = std::uint8_t(start);
    }
    live.starts[live.count] = std::uint8_t(filled);
    return digGroups(puzzle, live);
}

CellGrid PuzzleDigger::digSymmetric(PuzzleRng& rng) {
    // The last symmetric stage alone: pair k is cell k with its mirror 80 - k (40 the centre).
    return digStage(solution_, digStages(true).back(), rng);
}

CellGrid PuzzleDigger::digInStages(PuzzleRng& rng, bool symmetric) {
    CellGrid puzzle = solution_;
    for (const CellGroups& stage : digStages(symmetric)) puzzle = digStage(puzzle, stage, rng);
    return puzzle;
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
