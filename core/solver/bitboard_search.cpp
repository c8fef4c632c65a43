// The short path of the solver: a depth-first search on digit bitboards for grids whose givens
// repeat no digit in a unit. Each digit has one 27-bit word per band (bit 9 * rowInBand +
// column), the cells where it may still go; a placed digit keeps its one cell there, so every
// row, box and column of a word must keep at least one bit.
//
// Because every unit takes every digit exactly once, a digit's cells in a band must hold one of
// the six ways three rows can meet three boxes (tables.h, lineTables): reading the word through
// that table finds, in a few operations, the hidden singles of rows and boxes and every
// box-line interaction in the band. The stacks are read the same way through their columns, and
// naked singles and the hidden singles of columns come from counting bits across the words.
// When nothing follows, the search branches on a cell with the fewest candidates, trying its
// first digit on a copy of the board and striking that digit from the board itself for the rest.
// Vector instructions (SSE2, which every x86-64 processor has) take a placed cell out of the
// words of all digits at once.
#include "core/solver/bitboard_search.h"

#include "core/solver/tables.h"

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korvani::solver {

namespace {

// The rows (bits 0..2) of a band word that hold exactly one cell.
inline unsigned singleRows(std::uint32_t x) {
    unsigned rows = 0;
    for (int r = 0; r < 3; ++r) {
        const std::uint32_t row = x >> (9 * r) & 0x1FFu;
        rows |= static_cast<unsigned>((row & (row - 1)) == 0) << r;
    }
    return rows;
}

// The state of one node: per band the words of the nine digits, side by side so that one cell
// can leave all of them at once (three more words of nothing pad them to whole vectors).
// `stale` has bit 16 * band + digit for each word that changed since it was last read through
// the band table.
struct Board {
    alignas(16) std::uint32_t candidates[3][12];
    std::uint32_t open[3];       // cells without a digit yet
    std::uint16_t placedRows[9]; // per digit: the rows (0..8) where it is placed
    std::uint16_t placedColumns[9];
    std::uint64_t stale;
    unsigned staleStacks; // bit d: digit d changed since its stacks were last read
};

// Takes `bits` out of the cells of `digit` in `band`, marking the word when that changes it.
inline void strike(Board& board, int digit, int band, std::uint32_t bits) {
    const std::uint32_t x = board.candidates[band][digit];
    if ((x & bits) == 0) return;
    board.candidates[band][digit] = x & ~bits;
    board.stale |= std::uint64_t{1} << (16 * band + digit);
    board.staleStacks |= 1u << digit;
}

// Takes a cell out of the words of every digit but `digit` in its band.
inline void strikeOthers(Board& board, int digit, int band, std::uint32_t cell) {
    std::uint32_t* words = board.candidates[band];
    unsigned hit = 0; // the digits that had the cell
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi32(static_cast<int>(cell));
    for (int v = 0; v < 3; ++v) {
        __m128i* at = reinterpret_cast<__m128i*>(words + 4 * v);
        const __m128i x = _mm_load_si128(at);
        const __m128i had = _mm_cmpeq_epi32(_mm_and_si128(x, mask), mask);
        hit |= static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(had))) << (4 * v);
        _mm_store_si128(at, _mm_andnot_si128(mask, x));
    }
#else
    for (int d = 0; d < 9; ++d) {
        hit |= static_cast<unsigned>((words[d] & cell) != 0) << d;
        words[d] &= ~cell;
    }
#endif
    words[digit] |= cell;
    hit &= ~(1u << digit);
    board.stale |= std::uint64_t{hit} << (16 * band);
    board.staleStacks |= hit;
}

// The digits (bit d for digit d) whose words in `band` hold `cell`.
inline unsigned digitsOf(const Board& board, int band, std::uint32_t cell) {
    const std::uint32_t* words = board.candidates[band];
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi32(static_cast<int>(cell));
    unsigned digits = 0;
    for (int v = 0; v < 3; ++v) {
        const __m128i x = _mm_load_si128(reinterpret_cast<const __m128i*>(words + 4 * v));
        const __m128i has = _mm_cmpeq_epi32(_mm_and_si128(x, mask), mask);
        digits |= static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(has))) << (4 * v);
    }
    return digits;
#else
    unsigned digits = 0;
    for (int d = 0; d < 9; ++d) digits |= static_cast<unsigned>((words[d] & cell) != 0) << d;
    return digits;
#endif
}

// Leaves `digit` the only one of the cell's row that may take it; the band table then places it.
inline void settle(Board& board, int digit, int band, int bit) {
    strike(board, digit, band, bandRowBits(bit / 9) & ~(1u << bit));
}

// Reads one word through the band table and places the digit in each row where it has a single
// cell left: the cell goes from the other digits, its column from the other bands. (Its box and
// the rest of its row inside the band already went with the table.) False on a dead end.
bool readBand(Board& board, int digit, int band) {
    std::uint32_t x = board.candidates[band][digit];
    const unsigned minirows = lineTables.triads[x & 0x1FFu] |
                              lineTables.triads[x >> 9 & 0x1FFu] << 3 |
                              lineTables.triads[x >> 18] << 6;
    const unsigned keep = lineTables.keep[minirows];
    if (keep == 0) return false;
    x &= lineTables.expand[keep];
    board.candidates[band][digit] = x;
    unsigned fresh = singleRows(x) & ~(board.placedRows[digit] >> (3 * band)) & 7u;
    for (; fresh != 0; fresh &= fresh - 1) {
        const int r = std::countr_zero(fresh);
        const std::uint32_t cell = x & bandRowBits(r);
        const int column = std::countr_zero(cell) - 9 * r;
        board.placedRows[digit] =
            static_cast<std::uint16_t>(board.placedRows[digit] | 1u << (3 * band + r));
        board.placedColumns[digit] =
            static_cast<std::uint16_t>(board.placedColumns[digit] | 1u << column);
        board.open[band] &= ~cell;
        strikeOthers(board, digit, band, cell);
        for (int b = 0; b < 3; ++b) {
            if (b != band) strike(board, digit, b, bandColumnBits(column));
        }
    }
    return true;
}

// Per band: the open cells with exactly one candidate and with exactly two. False when an open
// cell has none.
struct CellCounts {
    std::uint32_t one[3];
    std::uint32_t two[3];
};

bool countCandidates(const Board& board, CellCounts& counts) {
    for (int band = 0; band < 3; ++band) {
        std::uint32_t once = 0;
        std::uint32_t twice = 0;
        std::uint32_t thrice = 0;
        for (int d = 0; d < 9; ++d) {
            const std::uint32_t x = board.candidates[band][d];
            thrice |= twice & x;
            twice |= once & x;
            once |= x;
        }
        const std::uint32_t open = board.open[band];
        if ((open & ~once) != 0) return false;
        counts.one[band] = open & ~twice;
        counts.two[band] = open & twice & ~thrice;
    }
    return true;
}

// Settles every open cell with one candidate; false when one has none left.
bool settleNakedSingles(Board& board, const CellCounts& counts) {
    for (int band = 0; band < 3; ++band) {
        for (std::uint32_t s = counts.one[band]; s != 0; s &= s - 1) {
            const int bit = std::countr_zero(s);
            const unsigned digits = digitsOf(board, band, 1u << bit);
            if (digits == 0) return false; // an earlier single took its only digit
            settle(board, std::countr_zero(digits), band, bit);
        }
    }
    return true;
}

// The columns of a digit, and its stacks read like the bands: in each stack the digit's columns
// and boxes meet in one of the six permutations, so its columns in each band are narrowed to
// those the permutations use.
bool readStacks(Board& board, int digit) {
    const std::uint32_t words[3] = {board.candidates[0][digit], board.candidates[1][digit],
                                    board.candidates[2][digit]};
    unsigned columns[3];
    for (int band = 0; band < 3; ++band) {
        const std::uint32_t x = words[band];
        columns[band] = (x | x >> 9 | x >> 18) & 0x1FFu;
    }
    // A column with one cell left for the digit: it goes there.
    unsigned once = 0;
    unsigned twice = 0;
    for (int band = 0; band < 3; ++band) {
        const std::uint32_t x = words[band];
        const unsigned a = x & 0x1FFu;
        const unsigned b = x >> 9 & 0x1FFu;
        const unsigned c = x >> 18;
        twice |= (once & columns[band]) | (a & b) | (a & c) | (b & c);
        once |= columns[band];
    }
    if (once != 0x1FF) return false;
    for (unsigned lone = once & ~twice & ~board.placedColumns[digit]; lone != 0; lone &= lone - 1) {
        const std::uint32_t column = bandColumnBits(std::countr_zero(lone));
        for (int band = 0; band < 3; ++band) {
            const std::uint32_t cell = words[band] & column;
            if (cell != 0) settle(board, digit, band, std::countr_zero(cell));
        }
    }
    for (int stack = 0; stack < 3; ++stack) {
        const unsigned minicolumns = (columns[0] >> (3 * stack) & 7u) |
                                     (columns[1] >> (3 * stack) & 7u) << 3 |
                                     (columns[2] >> (3 * stack) & 7u) << 6;
        const unsigned keep = lineTables.keep[minicolumns];
        if (keep == 0) return false;
        if (keep == minicolumns) continue;
        for (int band = 0; band < 3; ++band) {
            const unsigned gone = (minicolumns & ~keep) >> (3 * band) & 7u;
            if (gone != 0) strike(board, digit, band, lineTables.stackColumns[stack][gone]);
        }
    }
    return true;
}

// Applies the deductions until none applies; false on a dead end. `counts` is left as the last
// count found it, for choosing a branch.
bool propagate(Board& board, CellCounts& counts) {
    for (;;) {
        while (board.stale != 0) {
            const int i = std::countr_zero(board.stale);
            board.stale &= board.stale - 1;
            if (!readBand(board, i & 15, i >> 4)) return false;
        }
        if (!countCandidates(board, counts)) return false;
        if ((counts.one[0] | counts.one[1] | counts.one[2]) != 0) {
            if (!settleNakedSingles(board, counts)) return false;
            continue;
        }
        while (board.staleStacks != 0) {
            const int d = std::countr_zero(board.staleStacks);
            board.staleStacks &= board.staleStacks - 1;
            if (!readStacks(board, d)) return false;
        }
        if (board.stale == 0) return true;
    }
}

// A cell to branch on: an open one with two candidates if there is one, otherwise one with the
// fewest. Among those with two, the one whose digits have the most candidates among its peers,
// since each try then strikes the most. Returns its band and bit.
void chooseCell(const Board& board, const CellCounts& counts, int& band, int& bit) {
    bool found = false;
    int best = -1;
    for (int b = 0; b < 3; ++b) {
        for (std::uint32_t pairs = counts.two[b]; pairs != 0; pairs &= pairs - 1) {
            const int at = std::countr_zero(pairs);
            const std::uint32_t* peers = peerTable.mask[27 * b + at];
            int score = 0;
            for (unsigned digits = digitsOf(board, b, 1u << at); digits != 0;
                 digits &= digits - 1) {
                const int d = std::countr_zero(digits);
                score += bitCount(board.candidates[0][d] & peers[0]) +
                         bitCount(board.candidates[1][d] & peers[1]) +
                         bitCount(board.candidates[2][d] & peers[2]);
            }
            if (score > best) {
                best = score;
                band = b;
                bit = at;
                found = true;
            }
        }
    }
    if (found) return;
    int fewest = 10;
    for (int b = 0; b < 3; ++b) {
        for (std::uint32_t open = board.open[b]; open != 0; open &= open - 1) {
            const int at = std::countr_zero(open);
            int n = 0;
            for (int d = 0; d < 9; ++d) n += static_cast<int>(board.candidates[b][d] >> at & 1u);
            if (n < fewest) {
                fewest = n;
                band = b;
                bit = at;
            }
        }
    }
}

struct Search {
    long long nodes = 0;
    long long budget = 0;
    bool gaveUp = false;
    int count = 0;
    int enough = 2;                      // the search stops at this many completions
    const CellGrid* preferred = nullptr; // when set, each branch tries its digit there first
    std::array<CellGrid, 2> completions{};
};

void recordCompletion(const Board& board, Search& search) {
    if (++search.count > 2) return;
    CellGrid& completion = search.completions[search.count - 1];
    for (int d = 0; d < 9; ++d) {
        for (int band = 0; band < 3; ++band) {
            for (std::uint32_t x = board.candidates[band][d]; x != 0; x &= x - 1)
                completion[27 * band + std::countr_zero(x)] = static_cast<std::uint8_t>(d + 1);
        }
    }
}

// Searches below `board`, which it may change. Each pass of the loop is one node: the first
// candidate of the chosen cell is tried on a copy, then struck from the board itself.
void searchBelow(Board& board, Search& search) {
    for (;;) {
        if (++search.nodes > search.budget) {
            search.gaveUp = true;
            return;
        }
        CellCounts counts;
        if (!propagate(board, counts)) return;
        if ((board.open[0] | board.open[1] | board.open[2]) == 0) {
            recordCompletion(board, search);
            return;
        }
        int band = 0;
        int bit = 0;
        chooseCell(board, counts, band, bit);
        const unsigned digits = digitsOf(board, band, 1u << bit);
        int d = std::countr_zero(digits);
        if (search.preferred != nullptr) {
            const int wanted = (*search.preferred)[27 * band + bit] - 1;
            if (digits >> wanted & 1u) d = wanted;
        }
        Board next = board;
        strikeOthers(next, d, band, 1u << bit);
        settle(next, d, band, bit);
        searchBelow(next, search);
        if (search.count >= search.enough || search.gaveUp) return;
        strike(board, d, band, 1u << bit);
    }
}

// The cells of `band` holding each value 0..9 (values past 9 are left out).
inline void cellsByValue(const CellGrid& givens, int band, std::uint32_t (&cells)[10]) {
#if defined(__SSE2__)
    // Cells 0..15 and 11..26 of the band: two loads, ten comparisons each.
    const std::uint8_t* at = givens.data() + 27 * band;
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 11));
    for (int v = 0; v < 10; ++v) {
        const __m128i value = _mm_set1_epi8(static_cast<char>(v));
        const auto lowBits =
            static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(low, value)));
        const auto highBits =
            static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(high, value)));
        cells[v] = lowBits | highBits << 11;
    }
#else
    for (int v = 0; v < 10; ++v) cells[v] = 0;
    for (int bit = 0; bit < 27; ++bit) {
        const int v = givens[27 * band + bit];
        if (v <= 9) cells[v] |= 1u << bit;
    }
#endif
}

// The board of the givens; false when a unit repeats a given. Each digit's cells are gathered
// first and its rows, columns and boxes read from them at once, since digging builds a board for
// every removal it tries: the digit repeats in no unit exactly when it meets as many rows, as
// many columns and as many boxes as it has cells.
bool boardOfGivens(const CellGrid& givens, Board& board) {
    std::uint32_t own[3][10]; // per band and digit; digit 0 gathers the empty cells
    for (int band = 0; band < 3; ++band) cellsByValue(givens, band, own[band]);
    for (int d = 0; d < 9; ++d) {
        unsigned rows = 0, columns = 0, boxes = 0;
        int cells = 0;
        for (int band = 0; band < 3; ++band) {
            const std::uint32_t x = own[band][d + 1];
            cells += bitCount(x);
            columns |= (x | x >> 9 | x >> 18) & 0x1FFu;
            for (int r = 0; r < 3; ++r) {
                rows |= static_cast<unsigned>((x & bandRowBits(r)) != 0) << (3 * band + r);
                boxes |= static_cast<unsigned>((x & bandBoxBits(r)) != 0) << (3 * band + r);
            }
        }
        if (bitCount(rows) != cells || bitCount(columns) != cells || bitCount(boxes) != cells)
            return false;
        board.placedRows[d] = static_cast<std::uint16_t>(rows);
        board.placedColumns[d] = static_cast<std::uint16_t>(columns);
        const std::uint32_t columnCells = columns | columns << 9 | columns << 18;
        for (int band = 0; band < 3; ++band) {
            std::uint32_t struck = columnCells;
            for (int r = 0; r < 3; ++r) {
                if (rows >> (3 * band + r) & 1u) struck |= bandRowBits(r);
                if (boxes >> (3 * band + r) & 1u) struck |= bandBoxBits(r);
            }
            board.candidates[band][d] = (own[band][0] & ~struck) | own[band][d + 1];
        }
    }
    for (int band = 0; band < 3; ++band) {
        for (int d = 9; d < 12; ++d) board.candidates[band][d] = 0;
        board.open[band] = own[band][0];
    }
    board.stale = 0x1FF01FF01FFull;
    board.staleStacks = 0x1FF;
    return true;
}

} // namespace

ShortSearchEnd countStrictCompletions(const CellGrid& givens, long long nodeBudget,
                                      SolveResult& result, long long& nodes,
                                      const CellGrid* preferred) {
    nodes = 0;
    Board board;
    if (!boardOfGivens(givens, board)) return ShortSearchEnd::repeatedGivens;
    Search search;
    search.budget = nodeBudget;
    search.preferred = preferred;
    searchBelow(board, search);
    nodes = search.nodes;
    if (search.gaveUp && search.count < 2) return ShortSearchEnd::budgetExhausted;
    result.count = search.count;
    result.solution = search.count == 1 ? search.completions[0] : CellGrid{};
    if (search.count == 2) result.twoCompletions = search.completions;
    return ShortSearchEnd::settled;
}

ShortSearchEnd findCompletionAvoiding(const CellGrid& givens, const CellGrid& solution, int cell,
                                      long long nodeBudget, bool& found, CellGrid& completion) {
    Board board;
    if (!boardOfGivens(givens, board)) return ShortSearchEnd::repeatedGivens;
    strike(board, solution[cell] - 1, cell / 27, 1u << (cell % 27));
    Search search;
    search.budget = nodeBudget;
    search.enough = 1;
    search.preferred = &solution;
    searchBelow(board, search);
    if (search.gaveUp && search.count == 0) return ShortSearchEnd::budgetExhausted;
    found = search.count > 0;
    if (found) completion = search.completions[0];
    return ShortSearchEnd::settled;
}

} // namespace korvani::solver
