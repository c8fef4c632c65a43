// The clause counter's face: starting it from a board, its runs, its verdict, and the check of
// its counts against its trail that tests make. How it works is told in clause_state.h.
#include "core/solver/hard/clause_state.h"

#include <new>

namespace korvani::solver {

ClauseCounter::~ClauseCounter() {
    if (state_ != nullptr) {
        std::free(state_->arena);
        std::free(state_->pool);
    }
    std::free(state_);
}

bool ClauseCounter::start(const RootCounts& root) {
    if (state_ != nullptr) {
        std::free(state_->arena);
        std::free(state_->pool);
        std::free(state_);
        state_ = nullptr;
    }
    void* memory = std::malloc(sizeof(State));
    if (memory == nullptr) return false;
    State* s = new (memory) State;
    state_ = s;
    s->arena = static_cast<int*>(std::malloc(sizeof(int) * arenaFirstCapacity));
    if (s->arena == nullptr) return false;
    s->arenaCapacity = arenaFirstCapacity;
    s->givens = root.filled;
    s->usable = true;
    s->pool = static_cast<Watch*>(std::malloc(sizeof(Watch) * watchFirstCapacity));
    if (s->pool == nullptr) return false;
    s->poolCapacity = watchFirstCapacity;

    s->addCellVars(root);
    for (int unit = 0; unit < 27; ++unit) s->addUseVars(root, unit);
    s->clearAssignment();
    s->countCells();
    for (int unit = 0; unit < 27; ++unit) s->addGroups(unit);
    s->addRegionDigits();
    return true;
}

bool ClauseCounter::countsMatchTrail() const {
    if (state_ == nullptr) return true;
    const State& s = *state_;
    std::uint8_t cellLeft[81];
    std::uint8_t groupLeft[maxGroups];
    std::uint8_t useLeft[27];
    for (int cell = 0; cell < 81; ++cell) {
        cellLeft[cell] = 0;
        for (int d = 0; d < 9; ++d) cellLeft[cell] += s.varOf[cell][d] >= 0;
    }
    for (int g = 0; g < s.groupCount; ++g) groupLeft[g] = s.groupSize[g];
    for (int unit = 0; unit < 27; ++unit) useLeft[unit] = s.useSize[unit];
    for (int i = 0; i < s.propagated; ++i) {
        const int lit = s.trail[i];
        const int v = varOfLit(lit);
        if ((lit & 1) == 0) continue;
        if (v >= s.cellVarCount) {
            --useLeft[s.useUnitOf[v - s.cellVarCount]];
        } else {
            --cellLeft[s.cellOfVar[v]];
            for (const std::int16_t g : s.groupsOfVar[v]) {
                if (g >= 0) --groupLeft[g];
            }
        }
    }
    for (int cell = 0; cell < 81; ++cell) {
        if (cellLeft[cell] != s.cellLeft[cell]) return false;
    }
    for (int g = 0; g < s.groupCount; ++g) {
        if (groupLeft[g] != s.groupLeft[g]) return false;
    }
    for (int unit = 0; unit < 27; ++unit) {
        if (s.useSize[unit] == 0) continue;
        if (useLeft[unit] != s.useLeft[unit]) return false;
    }
    // Each region digit, from its variables as the trail holds them.
    for (int b = 0; b < maxRegionDigits; ++b) {
        int counted[2][2] = {};
        for (int i = 0; i < s.regionSize[b]; ++i) {
            const int u = s.regionVars[b][i];
            if (s.value[u] == 0 || s.trailPos[u] >= s.propagated) continue;
            ++counted[i < s.regionLines[b] ? 0 : 1][s.value[u] > 0 ? 0 : 1];
        }
        for (int side = 0; side < 2; ++side) {
            if (counted[side][0] != s.regionTrue[b][side] ||
                counted[side][1] != s.regionFalse[b][side])
                return false;
        }
    }
    return true;
}

bool ClauseCounter::run(long long conflicts) {
    if (state_ == nullptr) return false;
    if (state_->done) return true;
    if (!state_->usable) return false;
    return state_->search(conflicts);
}

Verdict ClauseCounter::verdict() const {
    Verdict verdict;
    if (state_ == nullptr || !state_->done) return verdict;
    verdict.settled = true;
    verdict.result.count = state_->count;
    if (state_->count == 1) verdict.result.solution = state_->solution;
    return verdict;
}

long long ClauseCounter::conflicts() const {
    return state_ != nullptr ? state_->conflicts : 0;
}

} // namespace korvani::solver
