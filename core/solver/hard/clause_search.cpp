// The search loop of the clause counter: decisions by activity, learning from each conflict,
// restarts after runs of Luby's lengths, and counting each completion with a clause that blocks
// it.
#include "core/solver/hard/clause_state.h"

namespace korvani::solver {

namespace {

// Luby's sequence 1 1 2 1 1 2 4 1 1 2 ..., for the lengths of the runs between restarts.
long long luby(long long i) {
    long long size = 1;
    int seq = 0;
    while (size < i + 1) {
        ++seq;
        size = 2 * size + 1;
    }
    while (size - 1 != i) {
        size = (size - 1) >> 1;
        --seq;
        i = i % size;
    }
    return 1LL << seq;
}

} // namespace

// Searches for up to `budget` conflicts.
bool ClauseCounter::State::search(long long budget) {
    const long long stopAt = conflicts + budget;
    for (;;) {
        const bool consistent = propagate();
        if (!usable) return false;
        if (!consistent) {
            ++conflicts;
            if (decisionLevel == 0) {
                done = true;
                return true;
            }
            if (!learnFromConflict()) return false;
            if (conflicts >= stopAt) return false;
            continue;
        }
        const int v = branchVariable();
        if (v < 0) {
            if (countCompletion()) {
                done = true;
                return true;
            }
            if (!usable) return false;
            continue;
        }
        // A decision places a digit; its cell and peers then lose many candidates at once,
        // where "not this digit" would remove one. For the same reason a unit's use of a
        // digit is decided the other way: leaving the digit out strikes it from every cell
        // of the unit. Which digits units leave out is the real choice in grids with
        // loose units, so those come first (their activity starts above the cells').
        levelStart[++decisionLevel] = trailSize;
        assign(v < cellVarCount ? 2 * v : 2 * v + 1, decided);
    }
}

// Learns a clause from the conflict, jumps back and sets its asserting literal; restarts
// when due. False when there is no room for the clause.
bool ClauseCounter::State::learnFromConflict() {
    int backLevel = 0;
    const int n = analyze(backLevel);
    backjump(backLevel);
    if (n == 1) {
        assign(learnt[0], decided);
    } else {
        const int c = store(learnt, n, 1 | blockDistance(n) << 2);
        if (c == noClause) {
            usable = false;
            return false;
        }
        ++learnedCount;
        assign(learnt[0], Reason{ReasonKind::clause, c});
    }
    bump *= 1.0 / 0.95;
    if (conflicts >= nextRestart) {
        nextRestart = conflicts + 100 * luby(restarts++);
        backjump(0);
        if (learnedCount > learnedRoom) forgetLearned();
    }
    return true;
}

// The unassigned variable of highest activity; -1 when every variable is set.
int ClauseCounter::State::branchVariable() {
    while (heapSize > 0) {
        const int u = heapPop();
        if (value[u] == 0) return u;
    }
    return -1;
}

// Counts the completion the trail holds; true once the count is settled, else the search
// goes on from the root with a clause that blocks this completion.
bool ClauseCounter::State::countCompletion() {
    recordCompletion();
    if (count > 1) return true;
    int block[81];
    int n = 0;
    for (int u = 0; u < cellVarCount; ++u) {
        if (value[u] == 1) block[n++] = 2 * u + 1;
    }
    backjump(0);
    return !addAtRoot(block, n, 0);
}

void ClauseCounter::State::recordCompletion() {
    CellGrid grid = givens;
    for (int v = 0; v < cellVarCount; ++v) {
        if (value[v] == 1) grid[cellOfVar[v]] = static_cast<std::uint8_t>(digitOfVar[v] + 1);
    }
    if (++count == 1) solution = grid;
}

} // namespace korvani::solver
