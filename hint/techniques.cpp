// The solving techniques. Each finds the first instance of its pattern, in a fixed scan order,
// that removes a candidate or places a digit, and describes only that instance, so that the
// grader and the hint can go back to the easiest technique after every step.
#include "hint/techniques.h"

#include <array>

namespace korvani {

namespace {

// Collects the deductions of one pattern instance into the step. The grid is left as it is: no
// technique looks again at a candidate that its own instance removes.
struct StepWriter {
    const PencilGrid& grid;
    Step& out;
    bool changed = false;

    void eliminate(int cell, DigitMask digits) {
        const DigitMask hit = grid.candidates[cell] & digits;
        if (hit == 0) return;
        out.removed[cell] |= hit;
        changed = true;
    }

    void place(int cell, int digit) {
        out.placement = true;
        out.cell = std::uint8_t(cell);
        out.digit = std::uint8_t(digit);
        changed = true;
    }

    void name(int cell) { out.named[out.namedCount++] = std::uint8_t(cell); }

    // Every cell of the unit that still has one of the digits joins the pattern.
    void patternOf(int unit, DigitMask digits) {
        for (std::uint8_t cell : unitCells[unit]) {
            if (grid.candidates[cell] & digits) out.pattern.add(cell);
        }
    }
};

// Calls visit(chosen, k) for every k-element subset of 0..n-1, in lexicographic order, until
// visit returns true; returns whether it did.
template <typename Visit> bool forEachSubset(int n, int k, Visit&& visit) {
    std::array<int, 9> chosen{};
    if (k > n || k <= 0) return false;
    for (int i = 0; i < k; ++i) chosen[i] = i;
    for (;;) {
        if (visit(chosen)) return true;
        int i = k - 1;
        while (i >= 0 && chosen[i] == n - k + i) --i;
        if (i < 0) return false;
        ++chosen[i];
        for (int j = i + 1; j < k; ++j) chosen[j] = chosen[j - 1] + 1;
    }
}

// Boxes first: scanning a digit across a box is what a person does first.
constexpr std::array<int, unitCount> unitScanOrder = {18, 19, 20, 21, 22, 23, 24, 25, 26,
                                                      0,  1,  2,  3,  4,  5,  6,  7,  8,
                                                      9,  10, 11, 12, 13, 14, 15, 16, 17};

bool hiddenSingle(StepWriter& step) {
    const PencilGrid& grid = step.grid;
    for (int unit : unitScanOrder) {
        for (int digit = 1; digit <= 9; ++digit) {
            const DigitMask bit = maskOfDigit(digit);
            int count = 0;
            int where = -1;
            for (std::uint8_t cell : unitCells[unit]) {
                if (grid.candidates[cell] & bit) {
                    ++count;
                    where = cell;
                }
            }
            if (count == 1) {
                step.place(where, digit);
                step.out.unit = std::int8_t(unit);
                step.out.digits = bit;
                for (std::uint8_t cell : unitCells[unit]) step.out.pattern.add(cell);
                return true;
            }
        }
    }
    return false;
}

bool nakedSingle(StepWriter& step) {
    for (int cell = 0; cell < 81; ++cell) {
        const DigitMask c = step.grid.candidates[cell];
        if (c != 0 && bitCount(c) == 1) {
            step.place(cell, digitOfMask(c));
            step.out.digits = c;
            // The filled cells around it are what rules the other digits out.
            for (int other = 0; other < 81; ++other) {
                if (step.grid.values[other] != 0 && seesCell(cell, other))
                    step.out.pattern.add(other);
            }
            return true;
        }
    }
    return false;
}

bool lockedCandidates(StepWriter& step) {
    const PencilGrid& grid = step.grid;
    // Pointing: a digit confined to one line inside a box leaves the rest of that line. The
    // places of every digit of a unit are gathered in one pass over its candidates.
    for (int box = 0; box < 9; ++box) {
        std::array<int, 10> rows{}, columns{}, count{}, first{};
        for (std::uint8_t cell : unitCells[18 + box]) {
            for (DigitMask c = grid.candidates[cell]; c != 0; c &= DigitMask(c - 1)) {
                const int digit = digitOfMask(DigitMask(c & -c));
                rows[digit] |= 1 << rowOf(cell);
                columns[digit] |= 1 << columnOf(cell);
                if (count[digit]++ == 0) first[digit] = cell;
            }
        }
        for (int digit = 1; digit <= 9; ++digit) {
            if (count[digit] < 2) continue;
            const DigitMask bit = maskOfDigit(digit);
            for (int line :
                 {bitCount(DigitMask(rows[digit])) == 1 ? rowOf(first[digit]) : -1,
                  bitCount(DigitMask(columns[digit])) == 1 ? 9 + columnOf(first[digit]) : -1}) {
                if (line < 0) continue;
                for (std::uint8_t cell : unitCells[line]) {
                    if (boxOf(cell) != box) step.eliminate(cell, bit);
                }
                if (step.changed) {
                    step.out.unit = std::int8_t(18 + box);
                    step.out.otherUnit = std::int8_t(line);
                    step.out.digits = bit;
                    step.patternOf(18 + box, bit);
                    return true;
                }
            }
        }
    }
    // Claiming: a digit confined to one box inside a line leaves the rest of that box.
    for (int line = 0; line < 18; ++line) {
        std::array<int, 10> boxes{}, count{}, box{};
        for (std::uint8_t cell : unitCells[line]) {
            for (DigitMask c = grid.candidates[cell]; c != 0; c &= DigitMask(c - 1)) {
                const int digit = digitOfMask(DigitMask(c & -c));
                boxes[digit] |= 1 << boxOf(cell);
                box[digit] = boxOf(cell);
                ++count[digit];
            }
        }
        for (int digit = 1; digit <= 9; ++digit) {
            if (count[digit] < 2 || bitCount(DigitMask(boxes[digit])) != 1) continue;
            const DigitMask bit = maskOfDigit(digit);
            for (std::uint8_t cell : unitCells[18 + box[digit]]) {
                const bool onLine = line < 9 ? rowOf(cell) == line : columnOf(cell) == line - 9;
                if (!onLine) step.eliminate(cell, bit);
            }
            if (step.changed) {
                step.out.unit = std::int8_t(line);
                step.out.otherUnit = std::int8_t(18 + box[digit]);
                step.out.digits = bit;
                step.patternOf(line, bit);
                return true;
            }
        }
    }
    return false;
}

// n cells of a unit whose candidates together are n digits keep those digits to themselves.
bool nakedSubset(StepWriter& step, int size) {
    const PencilGrid& grid = step.grid;
    for (int unit : unitScanOrder) {
        std::array<int, 9> cells{};
        int n = 0;
        for (std::uint8_t cell : unitCells[unit]) {
            const int count = bitCount(grid.candidates[cell]);
            if (count >= 2 && count <= size) cells[n++] = cell;
        }
        const bool found = forEachSubset(n, size, [&](const std::array<int, 9>& chosen) {
            DigitMask digits = 0;
            for (int i = 0; i < size; ++i) digits |= grid.candidates[cells[chosen[i]]];
            if (bitCount(digits) != size) return false;
            for (std::uint8_t cell : unitCells[unit]) {
                bool inSubset = false;
                for (int i = 0; i < size; ++i) inSubset |= cells[chosen[i]] == cell;
                if (!inSubset) step.eliminate(cell, digits);
            }
            if (!step.changed) return false;
            step.out.unit = std::int8_t(unit);
            step.out.digits = digits;
            for (int i = 0; i < size; ++i) {
                step.name(cells[chosen[i]]);
                step.out.pattern.add(cells[chosen[i]]);
            }
            return true;
        });
        if (found) return true;
    }
    return false;
}

// n digits of a unit that fit only into the same n cells take those cells for themselves.
bool hiddenSubset(StepWriter& step, int size) {
    const PencilGrid& grid = step.grid;
    for (int unit : unitScanOrder) {
        std::array<int, 9> digits{};
        std::array<int, 10> places{}; // per digit: bit k = position k of the unit
        for (int k = 0; k < 9; ++k) {
            for (DigitMask c = grid.candidates[unitCells[unit][k]]; c != 0; c &= DigitMask(c - 1))
                places[digitOfMask(DigitMask(c & -c))] |= 1 << k;
        }
        int n = 0;
        for (int digit = 1; digit <= 9; ++digit) {
            const int count = bitCount(DigitMask(places[digit]));
            if (count >= 2 && count <= size) digits[n++] = digit;
        }
        const bool found = forEachSubset(n, size, [&](const std::array<int, 9>& chosen) {
            int cells = 0;
            DigitMask kept = 0;
            for (int i = 0; i < size; ++i) {
                cells |= places[digits[chosen[i]]];
                kept |= maskOfDigit(digits[chosen[i]]);
            }
            if (bitCount(DigitMask(cells)) != size) return false;
            for (int k = 0; k < 9; ++k) {
                if (cells & (1 << k))
                    step.eliminate(unitCells[unit][k], DigitMask(~kept & allDigits));
            }
            if (!step.changed) return false;
            step.out.unit = std::int8_t(unit);
            step.out.digits = kept;
            for (int k = 0; k < 9; ++k) {
                if (!(cells & (1 << k))) continue;
                step.name(unitCells[unit][k]);
                step.out.pattern.add(unitCells[unit][k]);
            }
            return true;
        });
        if (found) return true;
    }
    return false;
}

// X-wing (2), swordfish (3), jellyfish (4): n base lines whose places for a digit lie in n
// cross lines; the digit leaves the rest of those cross lines.
bool fish(StepWriter& step, int size) {
    const PencilGrid& grid = step.grid;
    for (int digit = 1; digit <= 9; ++digit) {
        const DigitMask bit = maskOfDigit(digit);
        for (int byColumn = 0; byColumn < 2; ++byColumn) {
            auto cellAt = [&](int base, int cross) {
                return byColumn ? cross * 9 + base : base * 9 + cross;
            };
            std::array<int, 9> lines{};
            std::array<int, 9> crossMask{};
            int n = 0;
            for (int base = 0; base < 9; ++base) {
                int mask = 0;
                for (int cross = 0; cross < 9; ++cross) {
                    if (grid.candidates[cellAt(base, cross)] & bit) mask |= 1 << cross;
                }
                const int count = bitCount(DigitMask(mask));
                if (count >= 2 && count <= size) {
                    lines[n] = base;
                    crossMask[n++] = mask;
                }
            }
            const bool found = forEachSubset(n, size, [&](const std::array<int, 9>& chosen) {
                int cover = 0, baseSet = 0;
                for (int i = 0; i < size; ++i) {
                    cover |= crossMask[chosen[i]];
                    baseSet |= 1 << lines[chosen[i]];
                }
                if (bitCount(DigitMask(cover)) != size) return false;
                for (int base = 0; base < 9; ++base) {
                    if (baseSet & (1 << base)) continue;
                    for (int cross = 0; cross < 9; ++cross) {
                        if (cover & (1 << cross)) step.eliminate(cellAt(base, cross), bit);
                    }
                }
                if (!step.changed) return false;
                step.out.digits = bit;
                step.out.columns = byColumn != 0;
                step.out.baseLines = std::uint16_t(baseSet);
                step.out.crossLines = std::uint16_t(cover);
                for (int base = 0; base < 9; ++base) {
                    if (!(baseSet & (1 << base))) continue;
                    for (int cross = 0; cross < 9; ++cross) {
                        if (grid.candidates[cellAt(base, cross)] & bit)
                            step.out.pattern.add(cellAt(base, cross));
                    }
                }
                return true;
            });
            if (found) return true;
        }
    }
    return false;
}

// Removes the digit from every cell that sees all the given cells.
void eliminateFromCommonPeers(StepWriter& step, DigitMask bit, std::initializer_list<int> cells) {
    for (int target = 0; target < 81; ++target) {
        bool seesAll = true;
        for (int cell : cells) seesAll &= seesCell(target, cell);
        if (seesAll) step.eliminate(target, bit);
    }
}

// The wing's digit, its pivot and pincers, all three of them the pattern.
void nameWing(StepWriter& step, DigitMask digit, int pivot, int first, int second) {
    step.out.digits = digit;
    for (int cell : {pivot, first, second}) {
        step.name(cell);
        step.out.pattern.add(cell);
    }
}

bool xyWing(StepWriter& step) {
    const PencilGrid& grid = step.grid;
    for (int pivot = 0; pivot < 81; ++pivot) {
        const DigitMask p = grid.candidates[pivot];
        if (bitCount(p) != 2) continue;
        for (int first = 0; first < 81; ++first) {
            const DigitMask a = grid.candidates[first];
            if (!seesCell(pivot, first) || bitCount(a) != 2 || bitCount(DigitMask(a & p)) != 1)
                continue;
            const DigitMask z = a & DigitMask(~p);
            const DigitMask wanted = DigitMask((p & ~a) | z);
            for (int second = first + 1; second < 81; ++second) {
                if (!seesCell(pivot, second) || grid.candidates[second] != wanted) continue;
                eliminateFromCommonPeers(step, z, {first, second});
                if (step.changed) {
                    nameWing(step, z, pivot, first, second);
                    step.out.pivotDigits = {std::uint8_t(digitOfMask(DigitMask(a & p))),
                                            std::uint8_t(digitOfMask(DigitMask(p & ~a)))};
                    return true;
                }
            }
        }
    }
    return false;
}

bool xyzWing(StepWriter& step) {
    const PencilGrid& grid = step.grid;
    for (int pivot = 0; pivot < 81; ++pivot) {
        const DigitMask p = grid.candidates[pivot];
        if (bitCount(p) != 3) continue;
        for (int first = 0; first < 81; ++first) {
            const DigitMask a = grid.candidates[first];
            if (!seesCell(pivot, first) || bitCount(a) != 2 || (a & ~p) != 0) continue;
            for (int second = first + 1; second < 81; ++second) {
                const DigitMask b = grid.candidates[second];
                if (!seesCell(pivot, second) || bitCount(b) != 2 || (b & ~p) != 0 || b == a)
                    continue;
                eliminateFromCommonPeers(step, DigitMask(a & b), {pivot, first, second});
                if (step.changed) {
                    nameWing(step, DigitMask(a & b), pivot, first, second);
                    return true;
                }
            }
        }
    }
    return false;
}

// The cells of the digit's conjugate pairs: strong[cell] lists the cells that must hold the
// digit when this one does not (the other place of a unit with exactly two places).
struct StrongLinks {
    std::array<std::array<std::uint8_t, 3>, 81> partner{};
    std::array<std::uint8_t, 81> count{};
};

StrongLinks strongLinks(const PencilGrid& grid, DigitMask bit) {
    StrongLinks links;
    for (const auto& unit : unitCells) {
        int places[2] = {-1, -1};
        int n = 0;
        for (std::uint8_t cell : unit) {
            if (grid.candidates[cell] & bit) {
                if (n < 2) places[n] = cell;
                ++n;
            }
        }
        if (n != 2) continue;
        for (int side = 0; side < 2; ++side) {
            const int from = places[side], to = places[1 - side];
            bool known = false;
            for (int i = 0; i < links.count[from]; ++i) known |= links.partner[from][i] == to;
            if (!known) links.partner[from][links.count[from]++] = std::uint8_t(to);
        }
    }
    return links;
}

void nameCluster(StepWriter& step, DigitMask bit, const std::array<std::uint8_t, 81>& members,
                 int size) {
    step.out.digits = bit;
    for (int i = 0; i < size; ++i) step.out.pattern.add(members[i]);
}

// A chain found breadth first: its digit, its two ends, and every cell on the way (followed back
// through the states' parents) as the pattern.
template <std::size_t N>
void nameChain(StepWriter& step, DigitMask digit, int start, int end, int state,
               const std::array<std::int16_t, N>& parent, int statesPerCell) {
    step.out.digits = digit;
    step.name(start);
    step.name(end);
    step.out.pattern.add(start);
    for (; state >= 0; state = parent[state]) step.out.pattern.add(state / statesPerCell);
}

bool simpleColouring(StepWriter& step) {
    const PencilGrid& grid = step.grid;
    for (int digit = 1; digit <= 9; ++digit) {
        const DigitMask bit = maskOfDigit(digit);
        const StrongLinks links = strongLinks(grid, bit);
        std::array<std::int8_t, 81> colour;
        colour.fill(-1);
        for (int seed = 0; seed < 81; ++seed) {
            if (links.count[seed] == 0 || colour[seed] >= 0) continue;
            // Colour the cluster of conjugate pairs that holds the seed, alternating 0 and 1.
            std::array<std::uint8_t, 81> members{};
            int size = 0;
            colour[seed] = 0;
            members[size++] = std::uint8_t(seed);
            for (int next = 0; next < size; ++next) {
                const int cell = members[next];
                for (int i = 0; i < links.count[cell]; ++i) {
                    const int other = links.partner[cell][i];
                    if (colour[other] >= 0) continue;
                    colour[other] = std::int8_t(1 - colour[cell]);
                    members[size++] = std::uint8_t(other);
                }
            }
            // Colour wrap: two cells of one colour in one unit make that colour false.
            for (int a = 0; a < size; ++a) {
                for (int b = a + 1; b < size; ++b) {
                    if (colour[members[a]] != colour[members[b]] ||
                        !seesCell(members[a], members[b]))
                        continue;
                    const int falseColour = colour[members[a]];
                    for (int i = 0; i < size; ++i) {
                        if (colour[members[i]] == falseColour) step.eliminate(members[i], bit);
                    }
                    nameCluster(step, bit, members, size);
                    step.name(members[a]);
                    step.name(members[b]);
                    const int x = members[a], y = members[b];
                    step.out.unit = std::int8_t(rowOf(x) == rowOf(y)         ? rowOf(x)
                                                : columnOf(x) == columnOf(y) ? 9 + columnOf(x)
                                                                             : 18 + boxOf(x));
                    return true;
                }
            }
            // Colour trap: a cell outside the cluster that sees both colours.
            for (int target = 0; target < 81; ++target) {
                if (!(grid.candidates[target] & bit)) continue;
                bool inCluster = false;
                int seen = 0;
                for (int i = 0; i < size; ++i) {
                    inCluster |= members[i] == target;
                    if (seesCell(target, members[i])) seen |= 1 << colour[members[i]];
                }
                if (!inCluster && seen == 3) step.eliminate(target, bit);
            }
            if (step.changed) {
                nameCluster(step, bit, members, size);
                step.out.colourTrap = true;
                return true;
            }
        }
    }
    return false;
}

// X-chain: from a start cell, alternate strong and weak links of one digit. Every cell reached
// by a strong link holds the digit if the start does not; so a cell that sees both the start and
// such an end cannot hold it. Breadth first, so the shortest chain is used.
bool xChain(StepWriter& step) {
    const PencilGrid& grid = step.grid;
    for (int digit = 1; digit <= 9; ++digit) {
        const DigitMask bit = maskOfDigit(digit);
        const StrongLinks links = strongLinks(grid, bit);
        for (int start = 0; start < 81; ++start) {
            if (links.count[start] == 0) continue;
            // state = cell * 2 + on, on = 1: the cell holds the digit when the start does not.
            std::array<bool, 162> seen{};
            std::array<std::uint8_t, 162> queue{};
            std::array<std::int16_t, 162> parent{};
            int head = 0, tail = 0;
            for (int i = 0; i < links.count[start]; ++i) {
                const int cell = links.partner[start][i];
                seen[cell * 2 + 1] = true;
                parent[cell * 2 + 1] = -1;
                queue[tail++] = std::uint8_t(cell * 2 + 1);
            }
            while (head < tail) {
                const int state = queue[head++];
                const int cell = state / 2;
                if (state & 1) {
                    eliminateFromCommonPeers(step, bit, {start, cell});
                    if (step.changed) {
                        nameChain(step, bit, start, cell, state, parent, 2);
                        return true;
                    }
                    for (int other = 0; other < 81; ++other) {
                        if (other == start || !(grid.candidates[other] & bit) ||
                            !seesCell(cell, other))
                            continue;
                        if (seen[other * 2]) continue;
                        seen[other * 2] = true;
                        parent[other * 2] = std::int16_t(state);
                        queue[tail++] = std::uint8_t(other * 2);
                    }
                } else {
                    for (int i = 0; i < links.count[cell]; ++i) {
                        const int other = links.partner[cell][i];
                        if (other == start || seen[other * 2 + 1]) continue;
                        seen[other * 2 + 1] = true;
                        parent[other * 2 + 1] = std::int16_t(state);
                        queue[tail++] = std::uint8_t(other * 2 + 1);
                    }
                }
            }
        }
    }
    return false;
}

// XY-chain: through cells with two candidates, each link a shared digit between cells that see
// each other. If the start does not hold x, the chain forces x into its end; a cell that sees
// both cannot hold x.
bool xyChain(StepWriter& step) {
    const PencilGrid& grid = step.grid;
    for (int start = 0; start < 81; ++start) {
        const DigitMask s = grid.candidates[start];
        if (bitCount(s) != 2) continue;
        for (DigitMask rest = s; rest != 0; rest &= DigitMask(rest - 1)) {
            const DigitMask x = DigitMask(rest & -rest);
            // state = cell * 9 + (digit - 1): the cell holds that digit when the start is not x.
            std::array<bool, 729> seen{};
            std::array<std::uint16_t, 729> queue{};
            std::array<std::int16_t, 729> parent{};
            int head = 0, tail = 0;
            const int firstState = start * 9 + digitOfMask(DigitMask(s & ~x)) - 1;
            seen[firstState] = true;
            parent[firstState] = -1;
            queue[tail++] = std::uint16_t(firstState);
            while (head < tail) {
                const int state = queue[head++];
                const int cell = state / 9;
                const DigitMask value = maskOfDigit(state % 9 + 1);
                if (cell != start && value == x) {
                    eliminateFromCommonPeers(step, x, {start, cell});
                    if (step.changed) {
                        nameChain(step, x, start, cell, state, parent, 9);
                        return true;
                    }
                }
                for (int other = 0; other < 81; ++other) {
                    const DigitMask c = grid.candidates[other];
                    if (other == start || bitCount(c) != 2 || !(c & value) ||
                        !seesCell(cell, other))
                        continue;
                    const int next = other * 9 + digitOfMask(DigitMask(c & ~value)) - 1;
                    if (seen[next]) continue;
                    seen[next] = true;
                    parent[next] = std::int16_t(state);
                    queue[tail++] = std::uint16_t(next);
                }
            }
        }
    }
    return false;
}

} // namespace

const char* techniqueName(Technique technique) {
    switch (technique) {
    case Technique::HiddenSingle:
        return "hidden single";
    case Technique::NakedSingle:
        return "naked single";
    case Technique::LockedCandidates:
        return "locked candidates";
    case Technique::NakedPair:
        return "naked pair";
    case Technique::HiddenPair:
        return "hidden pair";
    case Technique::NakedTriple:
        return "naked triple";
    case Technique::HiddenTriple:
        return "hidden triple";
    case Technique::NakedQuad:
        return "naked quad";
    case Technique::HiddenQuad:
        return "hidden quad";
    case Technique::XWing:
        return "X-wing";
    case Technique::XYWing:
        return "XY-wing";
    case Technique::XYZWing:
        return "XYZ-wing";
    case Technique::Swordfish:
        return "swordfish";
    case Technique::Jellyfish:
        return "jellyfish";
    case Technique::SimpleColouring:
        return "simple colouring";
    case Technique::XChain:
        return "X-chain";
    case Technique::XYChain:
        return "XY-chain";
    }
    return "?";
}

const char* techniqueSlug(Technique technique) {
    switch (technique) {
    case Technique::HiddenSingle:
        return "hidden-single";
    case Technique::NakedSingle:
        return "naked-single";
    case Technique::LockedCandidates:
        return "locked-candidates";
    case Technique::NakedPair:
        return "naked-pair";
    case Technique::HiddenPair:
        return "hidden-pair";
    case Technique::NakedTriple:
        return "naked-triple";
    case Technique::HiddenTriple:
        return "hidden-triple";
    case Technique::NakedQuad:
        return "naked-quad";
    case Technique::HiddenQuad:
        return "hidden-quad";
    case Technique::XWing:
        return "x-wing";
    case Technique::XYWing:
        return "xy-wing";
    case Technique::XYZWing:
        return "xyz-wing";
    case Technique::Swordfish:
        return "swordfish";
    case Technique::Jellyfish:
        return "jellyfish";
    case Technique::SimpleColouring:
        return "simple-colouring";
    case Technique::XChain:
        return "x-chain";
    case Technique::XYChain:
        return "xy-chain";
    }
    return "?";
}

bool findStep(Technique technique, const PencilGrid& grid, Step& step) {
    step = Step{};
    step.technique = technique;
    StepWriter writer{grid, step};
    switch (technique) {
    case Technique::HiddenSingle:
        return hiddenSingle(writer);
    case Technique::NakedSingle:
        return nakedSingle(writer);
    case Technique::LockedCandidates:
        return lockedCandidates(writer);
    case Technique::NakedPair:
        return nakedSubset(writer, 2);
    case Technique::HiddenPair:
        return hiddenSubset(writer, 2);
    case Technique::NakedTriple:
        return nakedSubset(writer, 3);
    case Technique::HiddenTriple:
        return hiddenSubset(writer, 3);
    case Technique::NakedQuad:
        return nakedSubset(writer, 4);
    case Technique::HiddenQuad:
        return hiddenSubset(writer, 4);
    case Technique::XWing:
        return fish(writer, 2);
    case Technique::XYWing:
        return xyWing(writer);
    case Technique::XYZWing:
        return xyzWing(writer);
    case Technique::Swordfish:
        return fish(writer, 3);
    case Technique::Jellyfish:
        return fish(writer, 4);
    case Technique::SimpleColouring:
        return simpleColouring(writer);
    case Technique::XChain:
        return xChain(writer);
    case Technique::XYChain:
        return xyChain(writer);
    }
    return false;
}

void applyStep(PencilGrid& grid, const Step& step, std::vector<Deduction>* trace) {
    if (step.placement) {
        placeDigit(grid, step.cell, step.digit);
        if (trace != nullptr) trace->push_back({step.technique, step.cell, step.digit, true});
        return;
    }
    for (int cell = 0; cell < 81; ++cell) {
        DigitMask hit = step.removed[cell];
        grid.candidates[cell] &= DigitMask(~hit);
        if (trace == nullptr) continue;
        for (; hit != 0; hit &= DigitMask(hit - 1)) {
            trace->push_back(
                {step.technique, std::uint8_t(cell), std::uint8_t(digitOfMask(hit)), false});
        }
    }
}

bool applyTechnique(Technique technique, PencilGrid& grid, std::vector<Deduction>* trace) {
    Step step;
    if (!findStep(technique, grid, step)) return false;
    applyStep(grid, step, trace);
    return true;
}

} // namespace korvani
