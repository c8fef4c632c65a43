// Conflict analysis in the clause counter: the reasons of set variables read back from the
// built-in and stored clauses, the learned clause at the first unique implication point, its
// minimisation and its literal block distance.
#include "core/solver/hard/clause_state.h"

namespace korvani::solver {

int ClauseCounter::State::builtInLits(const std::int16_t* vars, int size, int v, int* out) {
    int n = 0;
    for (int i = 0; i < size; ++i) {
        if (vars[i] >= 0 && vars[i] != v) out[n++] = 2 * vars[i];
    }
    return n;
}

// The literals of the reason of `v` other than its own, into `out`; how many.
int ClauseCounter::State::reasonLits(int v, int* out) {
    const Reason why = reason[v];
    switch (why.kind) {
    case ReasonKind::decision:
        return 0;
    case ReasonKind::clause:
        return clauseReasonLits(why.index, v, out);
    case ReasonKind::implication:
        out[0] = negate(why.index);
        return 1;
    case ReasonKind::cell:
        return builtInLits(cellVars[why.index], cellSize[why.index], v, out);
    case ReasonKind::group:
        return groupReasonLits(why.index, v, out);
    case ReasonKind::useCount:
        return useCountReasonLits(why.index, v, out);
    case ReasonKind::region:
        return regionReasonLits(why.index, v, out);
    }
    return 0;
}

int ClauseCounter::State::clauseReasonLits(int c, int v, int* out) {
    const int size = clause(c)[0];
    const int* l = lits(c);
    int n = 0;
    for (int i = 0; i < size; ++i) {
        if (varOfLit(l[i]) != v) out[n++] = l[i];
    }
    return n;
}

int ClauseCounter::State::groupReasonLits(int g, int v, int* out) {
    const int condition = groupCondition[g];
    if (v == condition) return builtInLits(groupVars[g], groupSize[g], -1, out);
    const int n = builtInLits(groupVars[g], groupSize[g], v, out);
    if (condition < 0) return n;
    out[n] = 2 * condition + 1;
    return n + 1;
}

// The unit's digits found unused before v was set.
int ClauseCounter::State::useCountReasonLits(int unit, int v, int* out) {
    const std::int16_t* vars = useVars[unit];
    int n = 0;
    for (int i = 0; i < useSize[unit]; ++i) {
        const int u = vars[i];
        if (value[u] == -1 && trailPos[u] < trailPos[v]) out[n++] = 2 * u;
    }
    return n;
}

// The region digit's variables set before v.
int ClauseCounter::State::regionReasonLits(int b, int v, int* out) {
    int n = 0;
    for (int i = 0; i < regionSize[b]; ++i) {
        const int u = regionVars[b][i];
        if (u == v || value[u] == 0 || trailPos[u] > trailPos[v]) continue;
        out[n++] = value[u] > 0 ? 2 * u + 1 : 2 * u;
    }
    return n;
}

// First-unique-implication-point learning from conflictLits; the clause goes to learnt
// (the asserting literal first, one of the highest remaining level second). Its size.
int ClauseCounter::State::analyze(int& backLevel) {
    int n = 1;
    int pathCount = 0;
    int p = -1;
    int index = trailSize - 1;
    int buffer[maxVars];
    const int* from = conflictLits;
    int fromSize = conflictSize;
    for (;;) {
        for (int i = 0; i < fromSize; ++i) {
            const int q = from[i];
            const int v = varOfLit(q);
            if (seen[v] != 0 || level[v] == 0) continue;
            seen[v] = 1;
            bumpActivity(v);
            if (level[v] == decisionLevel) {
                ++pathCount;
            } else {
                learnt[n++] = q;
            }
        }
        while (seen[varOfLit(trail[index])] == 0) --index;
        p = trail[index--];
        seen[varOfLit(p)] = 0;
        if (--pathCount == 0) break;
        fromSize = reasonLits(varOfLit(p), buffer);
        from = buffer;
    }
    learnt[0] = negate(p);
    n = minimizeLearnt(n);
    backLevel = 0;
    for (int i = 1; i < n; ++i) {
        if (level[varOfLit(learnt[i])] > backLevel) {
            backLevel = level[varOfLit(learnt[i])];
            const int t = learnt[1];
            learnt[1] = learnt[i];
            learnt[i] = t;
        }
    }
    return n;
}

// Drops the literals of learnt[1..n) whose own reasons lie wholly inside the clause, and
// clears the marks of all of them; the new size. The dropped ones wait in conflictLits
// until their marks go.
int ClauseCounter::State::minimizeLearnt(int n) {
    int buffer[maxVars];
    int kept = 1;
    int dropped = 0;
    for (int i = 1; i < n; ++i) {
        const int v = varOfLit(learnt[i]);
        bool redundant = reason[v].kind != ReasonKind::decision;
        if (redundant) {
            const int m = reasonLits(v, buffer);
            for (int j = 0; j < m && redundant; ++j) {
                const int u = varOfLit(buffer[j]);
                redundant = seen[u] != 0 || level[u] == 0;
            }
        }
        if (redundant) {
            conflictLits[dropped++] = learnt[i];
        } else {
            learnt[kept++] = learnt[i];
        }
    }
    for (int i = 1; i < kept; ++i) seen[varOfLit(learnt[i])] = 0;
    for (int i = 0; i < dropped; ++i) seen[varOfLit(conflictLits[i])] = 0;
    return kept;
}

int ClauseCounter::State::blockDistance(int n) {
    ++stamp;
    int distinct = 0;
    for (int i = 0; i < n; ++i) {
        const int l = level[varOfLit(learnt[i])];
        if (levelStamp[l] != stamp) {
            levelStamp[l] = stamp;
            ++distinct;
        }
    }
    return distinct;
}

} // namespace korvani::solver
