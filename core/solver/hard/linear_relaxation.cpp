// The linear relaxation of a board: "cell c takes digit d" as a number x in [0, 1], with
//   - each empty cell: the sum of its x is 1;
//   - each unit and required digit: the sum of x over its empty cells is 1;
//   - each unit and other digit with two places or more: that sum is at most 1.
// Every completion meets these with x in {0, 1}, so a board whose relaxation has no solution
// has no completion.
//
// A proof that it has none is a set of multipliers y, one per row (at most 0 on the "at most"
// rows), found below in floating point and checked in integers: y scaled and rounded to p
// (p <= 0 kept on the "at most" rows, which only weakens them), then every x that meets the
// rows has
//   sum_j r_j x_j >= beta, with r = p.A and beta = sum_i p_i (every right-hand side is 1),
// while x in [0, 1] gives at most the sum of the positive r_j. Smaller than beta is a proof.
// Rounding can only cost a proof, never make a wrong one.
#include "core/solver/hard/linear_relaxation.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace korvani::solver {

namespace {

constexpr int maxVars = 729;
constexpr int maxRows = 81 + 27 * 9;

struct Relaxation {
    int varCount = 0;
    int rowCount = 0;
    bool ruledOut = false;
    std::int16_t varOf[81][9];
    // Per row: its variables, and whether it is an "at most" row (the others are equations).
    std::int16_t rowVars[maxRows][9];
    std::uint8_t rowSize[maxRows];
    bool atMost[maxRows];
};

// False when an empty cell has no candidate or a required digit no place: no completion,
// without arithmetic.
bool build(Relaxation& r, const RootCounts& root) {
    const CellGrid& filled = root.filled;
    for (int cell = 0; cell < 81; ++cell) {
        int n = 0;
        for (int d = 0; d < 9; ++d) {
            r.varOf[cell][d] = -1;
            if (filled[cell] != 0 || !root.hasCandidate(cell, d)) continue;
            r.varOf[cell][d] = static_cast<std::int16_t>(r.varCount++);
            r.rowVars[r.rowCount][n++] = r.varOf[cell][d];
        }
        if (filled[cell] != 0) continue;
        if (n == 0) return false;
        r.rowSize[r.rowCount] = static_cast<std::uint8_t>(n);
        r.atMost[r.rowCount++] = false;
    }
    for (int unit = 0; unit < 27; ++unit) {
        for (int d = 0; d < 9; ++d) {
            int n = 0;
            for (int i = 0; i < 9; ++i) {
                const int v = r.varOf[unitCellAt(unit, i)][d];
                if (v >= 0) r.rowVars[r.rowCount][n++] = static_cast<std::int16_t>(v);
            }
            const bool isRequired = (root.required[unit / 9][d] >> (unit % 9) & 1u) != 0;
            if (isRequired && n == 0) return false;
            if (!isRequired && n < 2) continue;
            r.rowSize[r.rowCount] = static_cast<std::uint8_t>(n);
            r.atMost[r.rowCount++] = !isRequired;
        }
    }
    return true;
}

// The check in integers described at the top.
bool multipliersProve(const Relaxation& r, const double* pi) {
    // Scaled so that the largest multiplier is 2^30: the sums below stay far inside 64 bits.
    double largest = 0;
    for (int i = 0; i < r.rowCount; ++i) {
        if (!std::isfinite(pi[i])) return false;
        largest = std::fmax(largest, std::fabs(pi[i]));
    }
    if (largest == 0) return false;
    const double scale = 1073741824.0 / largest;
    std::int64_t p[maxRows];
    for (int i = 0; i < r.rowCount; ++i) {
        p[i] = static_cast<std::int64_t>(std::llround(pi[i] * scale));
        if (r.atMost[i] && p[i] > 0) p[i] = 0;
    }
    std::int64_t coefficient[maxVars] = {};
    std::int64_t beta = 0;
    for (int i = 0; i < r.rowCount; ++i) {
        for (int k = 0; k < r.rowSize[i]; ++k) coefficient[r.rowVars[i][k]] += p[i];
        beta += p[i]; // every right-hand side is 1
    }
    std::int64_t most = 0;
    for (int v = 0; v < r.varCount; ++v) {
        if (coefficient[v] > 0) most += coefficient[v];
    }
    return most < beta;
}

} // namespace

// Multipliers y (one per row, at most 0 on the "at most" rows) for which the relaxation fails:
// g(y) = sum_i y_i - sum_j max(0, r_j) > 0, where r = y.A. g is the least, over x in [0, 1],
// of sum_i y_i (1 - A_i x), reached at x_j = 1 where r_j > 0, so it stays at or below 0 while
// the relaxation has a solution. It is concave and is raised step by step along 1 - A_i x,
// with x not the newest of those minimizers but an average that gives the newest a tenth:
// the newest alone zigzags, and on some boards never gets there. Steps shrink as one over the
// square root of their number; g grows with y in proportion, so the size of the first does
// not matter. Each y with g above 0 is checked exactly.
struct LinearRelaxation::State {
    Relaxation r;
    double y[maxRows];
    double reduced[maxVars]; // r = y.A
    double average[maxVars]; // of the minimizers x
    double sum = 0;          // of y
    long long step = 0;
    long long spent = 0;
};

LinearRelaxation::~LinearRelaxation() {
    std::free(state_);
}

bool LinearRelaxation::start(const RootCounts& root) {
    std::free(state_);
    state_ = static_cast<State*>(std::malloc(sizeof(State)));
    if (state_ == nullptr) return false;
    State& s = *state_;
    s.r.varCount = 0;
    s.r.rowCount = 0;
    s.r.ruledOut = !build(s.r, root);
    for (int i = 0; i < s.r.rowCount; ++i) s.y[i] = 0;
    for (int j = 0; j < s.r.varCount; ++j) {
        s.reduced[j] = 0;
        s.average[j] = 0;
    }
    s.sum = 0;
    s.step = 0;
    s.spent = 0;
    return true;
}

bool LinearRelaxation::run(long long work) {
    if (state_ == nullptr) return false;
    State& s = *state_;
    Relaxation& r = s.r;
    if (r.ruledOut) return true;
    if (r.rowCount == 0) return false; // no empty cell: nothing to rule out
    constexpr double newest = 0.1;
    const int m = r.rowCount;
    const int n = r.varCount;
    const long long stopAt = s.spent + work;
    while (s.spent < stopAt) {
        ++s.step;
        double g = s.sum;
        for (int j = 0; j < n; ++j) {
            if (s.reduced[j] > 0) g -= s.reduced[j];
        }
        if (g > 0) {
            s.spent += 3 * n; // about what the check reads
            if (multipliersProve(r, s.y)) {
                r.ruledOut = true;
                return true;
            }
        }
        const double weight = s.step == 1 ? 1 : newest;
        for (int j = 0; j < n; ++j) {
            s.average[j] = (1 - weight) * s.average[j] + weight * (s.reduced[j] > 0 ? 1 : 0);
        }
        const double size = 1.0 / std::sqrt(static_cast<double>(s.step));
        for (int i = 0; i < m; ++i) {
            const std::int16_t* vars = r.rowVars[i];
            double taken = 0;
            for (int k = 0; k < r.rowSize[i]; ++k) taken += s.average[vars[k]];
            double next = s.y[i] + size * (1 - taken);
            if (r.atMost[i] && next > 0) next = 0;
            const double change = next - s.y[i];
            s.spent += 2 * r.rowSize[i];
            if (change == 0) continue;
            s.y[i] = next;
            s.sum += change;
            for (int k = 0; k < r.rowSize[i]; ++k) s.reduced[vars[k]] += change;
        }
        s.spent += 2 * n;
    }
    return false;
}

Verdict LinearRelaxation::verdict() const {
    Verdict verdict;
    verdict.settled = state_ != nullptr && state_->r.ruledOut;
    return verdict;
}

long long LinearRelaxation::steps() const {
    return state_ != nullptr ? state_->spent : 0;
}

} // namespace korvani::solver
