// The branching search: which cell or omission to branch on, in which order of digits, and the
// attempts from the root. Every deduction (core/solver/deductions.cpp) only removes what no
// completion can hold and the branches of a node split its completions without overlap, so a
// finished attempt counts exactly what the straightforward search counts.
#include "core/solver/hard/branching_search.h"

#include <bit>
#include <cstdint>

namespace korvani::solver {

namespace {

// Where no cell has two candidates: the cells with the fewest, per band.
void cellsWithFewestCandidates(const Board& board, std::uint32_t choice[3]) {
    int fewest = 10;
    for (int band = 0; band < 3; ++band) {
        choice[band] = 0;
        for (std::uint32_t e = board.empty[band]; e != 0; e &= e - 1) {
            const int bit = std::countr_zero(e);
            int n = 0;
            for (int d = 0; d < 9; ++d)
                n += static_cast<int>(board.candidates[d][band] >> bit & 1u);
            if (n < fewest) {
                fewest = n;
                for (int b = 0; b < band; ++b) choice[b] = 0;
                choice[band] = 0;
            }
            if (n == fewest) choice[band] |= 1u << bit;
        }
    }
}

// Branch on a cell with the fewest candidates; among those, on the one whose digits have the
// most candidates among its peers, since each try then removes the most. A nonzero `tieBreak`
// picks among the cells with the fewest candidates by a hash instead, a different one for each
// value.
int chooseBranchCell(const Board& board, unsigned tieBreak) {
    std::uint32_t choice[3];
    bool havePairs = false;
    for (int band = 0; band < 3; ++band) {
        std::uint32_t once = 0;
        std::uint32_t twice = 0;
        std::uint32_t thrice = 0;
        for (int d = 0; d < 9; ++d) {
            const std::uint32_t x = board.candidates[d][band];
            thrice |= twice & x;
            twice |= once & x;
            once |= x;
        }
        choice[band] = twice & ~thrice;
        if (choice[band] != 0) havePairs = true;
    }
    if (!havePairs) cellsWithFewestCandidates(board, choice);
    int best = -1;
    int bestScore = -1;
    for (int band = 0; band < 3; ++band) {
        for (std::uint32_t p = choice[band]; p != 0; p &= p - 1) {
            const int bit = std::countr_zero(p);
            const int cell = band * 27 + bit;
            const std::uint32_t* peers = peerTable.mask[cell];
            int score = 0;
            for (int d = 0; d < 9; ++d) {
                const std::uint32_t* cand = board.candidates[d];
                if ((cand[band] >> bit & 1u) == 0) continue;
                score += bitCount(cand[0] & peers[0]) + bitCount(cand[1] & peers[1]) +
                         bitCount(cand[2] & peers[2]);
            }
            if (tieBreak != 0) {
                const std::uint32_t h =
                    (static_cast<std::uint32_t>(cell) + 1) * 0x9E3779B1u ^ tieBreak * 0x85EBCA77u;
                score = static_cast<int>((h ^ h >> 15) * 0xC2B2AE3Du >> 8);
            }
            if (score > bestScore) {
                bestScore = score;
                best = cell;
            }
        }
    }
    return best;
}

void searchBoard(Board& board, Search& search);

// Repeated givens leave a unit more missing digits than empty cells; which of them stay out is
// the real choice in such grids, and once it is made the unit is as strict as any other, so
// the choice is made first where a unit leaves out a single digit: one branch per digit that
// may be it, the others becoming required. (A unit that leaves out several digits is nearly
// free; its cells are branched on like any others.) Returns false when there is no such unit.
bool branchOnOmission(const Board& board, Search& search) {
    int bestUnit = -1;
    int bestChoices = 10;
    unsigned bestOptional = 0;
    for (int k = 0; k < search.looseCount; ++k) {
        const LooseUnit& unit = search.loose[k];
        const int emptyCells = countNine(unitBits(board.empty, unit.kind, unit.index));
        if (emptyCells == 0) continue;
        unsigned placeable = 0;
        unsigned optional = 0; // placeable, but not yet required
        for (int d = 0; d < 9; ++d) {
            if (unitBits(board.candidates[d], unit.kind, unit.index) == 0) continue;
            placeable |= 1u << d;
            const std::uint16_t required = unit.kind == kindRow      ? board.requiredRows[d]
                                           : unit.kind == kindColumn ? board.requiredColumns[d]
                                                                     : board.requiredBoxes[d];
            if ((required >> unit.index & 1u) == 0) optional |= 1u << d;
        }
        if (optional == 0 || bitCount(placeable) != emptyCells + 1) continue;
        if (bitCount(optional) < bestChoices) {
            bestUnit = k;
            bestChoices = bitCount(optional);
            bestOptional = optional;
        }
    }
    if (bestUnit < 0) return false;

    // Exactly one placeable digit stays out, and a required one cannot: the branches cover
    // every completion once.
    const LooseUnit& unit = search.loose[bestUnit];
    const std::uint16_t unitBit = static_cast<std::uint16_t>(1u << unit.index);
    for (unsigned o = bestOptional; o != 0; o &= o - 1) {
        const int d = std::countr_zero(o);
        Board next = board;
        for (int b = 0; b < 3; ++b) next.candidates[d][b] &= ~unit.cells[b];
        for (unsigned r = bestOptional & ~(1u << d); r != 0; r &= r - 1)
            requiredUnits(next, unit.kind, std::countr_zero(r)) |= unitBit;
        search.dirty = 0x1FF;
        ++search.depth;
        searchBoard(next, search);
        --search.depth;
        if (search.count > 1 || search.gaveUp) break;
    }
    return true;
}

// A completion is a completion whichever attempt finds it: one that an attempt found before it
// gave up and another that a later attempt finds already make two.
void recordCompletion(Search& search) {
    if (++search.count > 1) return;
    for (int i = 0; i < 81; ++i) search.solution[i] = search.value[i];
    if (search.haveEarlier && search.solution != search.earlier) search.count = 2;
}

// The candidates of a cell in the order the branches try them; returns how many. Where
// completions are few, which digit comes first decides how soon the search meets one, and no
// order suits every grid: digits in their own order, the scarcest digits on the board first
// (they fill cells that the common ones cannot), or the most plentiful first.
int orderDigits(const Board& board, int band, std::uint32_t bit, DigitOrder digitOrder,
                int order[9]) {
    int n = 0;
    for (int d = 0; d < 9; ++d) {
        if ((board.candidates[d][band] & bit) != 0) order[n++] = d;
    }
    if (digitOrder == DigitOrder::natural) return n;
    int key[9];
    for (int i = 0; i < n; ++i) {
        const std::uint32_t* cand = board.candidates[order[i]];
        const int places = bitCount(cand[0]) + bitCount(cand[1]) + bitCount(cand[2]);
        key[order[i]] = digitOrder == DigitOrder::scarcestFirst ? places : -places;
    }
    for (int i = 1; i < n; ++i) {
        for (int j = i; j > 0 && key[order[j]] < key[order[j - 1]]; --j) {
            const int t = order[j];
            order[j] = order[j - 1];
            order[j - 1] = t;
        }
    }
    return n;
}

void searchBoard(Board& board, Search& search) {
    if (++search.nodes > search.nodeLimit && search.nodeLimit != 0) {
        search.gaveUp = true;
        return;
    }
    if (!propagate(board, search)) return;
    // The tries pay most near the top of the tree, where a strike spares a whole subtree; deep
    // down, where each strikes little, they are kept for searches that have run long.
    const bool probe =
        (search.probeFirstBranches && search.depth == 1) || search.nodes > search.probeAfterNodes;
    if (probe && !strikeFailingCandidates(board, search)) return;
    if ((board.empty[0] | board.empty[1] | board.empty[2]) == 0) {
        recordCompletion(search);
        return;
    }
    if ((search.nodes == 1 || search.nodes > search.unitMatchingAfterNodes) &&
        !unitsCanBeFilled(board))
        return;
    if (search.omissionsFirst && search.looseCount != 0 && branchOnOmission(board, search)) return;
    const int cell = chooseBranchCell(board, search.tieBreak);
    const int band = cell / 27;
    const std::uint32_t bit = 1u << (cell % 27);
    int order[9];
    const int choices = orderDigits(board, band, bit, search.digitOrder, order);
    for (int i = 0; i < choices; ++i) {
        const int d = order[i];
        Board next = board;
        search.dirty = 0;
        place(next, search, d, cell);
        ++search.depth;
        searchBoard(next, search);
        --search.depth;
        if (search.count > 1 || search.gaveUp) return;
    }
}

// The attempts in turn: each breaks ties between the cells with the fewest candidates its own
// way and takes the next order of digits; with loose units they also alternate the two ways of
// branching, either of which can lose itself where the other is quick.
constexpr DigitOrder digitOrders[3] = {DigitOrder::natural, DigitOrder::scarcestFirst,
                                       DigitOrder::plentifulFirst};

} // namespace

void BranchingSearch::start(const RootCounts& root, const ScheduleTuning& options) {
    options_ = options;
    search_.unitMatchingAfterNodes = options.unitMatchingAfterNodes;
    search_.probeAfterNodes = options.probeAfterNodes;
    for (int cell = 0; cell < 81; ++cell) search_.value[cell] = root.filled[cell];
    for (int b = 0; b < 3; ++b) root_.empty[b] = root.empty[b];
    for (int d = 0; d < 9; ++d) {
        for (int b = 0; b < 3; ++b) root_.candidates[d][b] = root.candidates[d][b];
        root_.requiredRows[d] = root.required[kindRow][d];
        root_.requiredColumns[d] = root.required[kindColumn][d];
        root_.requiredBoxes[d] = root.required[kindBox][d];
    }
    for (std::uint32_t loose = root.looseUnits; loose != 0; loose &= loose - 1) {
        const int unit = std::countr_zero(loose);
        LooseUnit& at = search_.loose[search_.looseCount++];
        at.kind = unit / 9;
        at.index = unit % 9;
        unitWords(at.kind, at.index, at.cells);
    }
    // A band is tight when its three rows and three boxes repeat no given, a stack likewise.
    const auto tight = [&](unsigned units) { return (root.looseUnits & units) == 0; };
    for (int i = 0; i < 3; ++i) {
        search_.tightBand[i] = tight(07u << (3 * i) | 07u << (18 + 3 * i));
        search_.tightStack[i] = tight(07u << (9 + 3 * i) | 0111u << (18 + i));
    }
}

bool BranchingSearch::run(long long nodes) {
    const bool loose = hasLooseUnits();
    const bool isShort = loose && options_.quickAttemptNodes > 0 && attempts_ == 0;
    const int k = attempts_++ - (loose && options_.quickAttemptNodes > 0 ? 1 : 0);
    Search& search = search_;
    search.probeFirstBranches = loose && !isShort && options_.probeFirstBranchesOfRepeatedGivens;
    search.count = 0;
    search.nodes = 0;
    search.gaveUp = false;
    search.nodeLimit = nodes;
    search.omissionsFirst = isShort ? false : loose && k % 2 == 1;
    search.tieBreak = isShort ? 0 : static_cast<unsigned>(k);
    search.digitOrder =
        isShort ? DigitOrder::scarcestFirst : digitOrders[(k + (loose ? 1 : 0)) % 3];
    search.dirty = 0x1FF;
    Board board = root_;
    searchBoard(board, search);
    totalNodes_ += search.nodes;
    if (search.gaveUp && search.count == 1 && !search.haveEarlier) {
        search.haveEarlier = true;
        search.earlier = search.solution;
    }
    settled_ = !search.gaveUp || search.count > 1;
    return settled_;
}

bool BranchingSearch::strikeAtRoot() {
    ++totalNodes_;
    search_.dirty = 0x1FF;
    if (propagate(root_, search_) && strikeFailingCandidates(root_, search_)) return false;
    search_.count = 0;
    settled_ = true;
    return true;
}

Verdict BranchingSearch::verdict() const {
    Verdict verdict;
    verdict.settled = settled_;
    verdict.result.count = search_.count;
    if (search_.count == 1) verdict.result.solution = search_.solution;
    return verdict;
}

// The givens and the digits the deductions placed, the candidates they left and the digits they
// found that units must take, including those of loose units. A dead end comes out as empty
// cells without candidates.
RootCounts BranchingSearch::narrowedRoot() {
    RootCounts out;
    Board root = root_;
    search_.dirty = 0x1FF;
    if (!propagate(root, search_)) {
        for (std::uint32_t& band : out.empty) band = 0x7FFFFFF;
        return out;
    }
    for (int cell = 0; cell < 81; ++cell) {
        if ((root.empty[cell / 27] >> (cell % 27) & 1u) == 0)
            out.filled[cell] = search_.value[cell];
    }
    for (int b = 0; b < 3; ++b) out.empty[b] = root.empty[b];
    for (int d = 0; d < 9; ++d) {
        for (int b = 0; b < 3; ++b) out.candidates[d][b] = root.candidates[d][b];
        out.required[kindRow][d] = root.requiredRows[d];
        out.required[kindColumn][d] = root.requiredColumns[d];
        out.required[kindBox][d] = root.requiredBoxes[d];
    }
    return out;
}

} // namespace korvani::solver
