// Propagation in the clause counter: what the trail implies through the built-in clauses (at
// most one, the counts of cells, groups, digits units use and region digits) and the stored
// ones, and undoing it on a jump back.
#include "core/solver/hard/clause_state.h"

namespace korvani::solver {

// Sets the consequences of the trail; false on a conflict, whose literals (all false) are
// left in conflictLits.
bool ClauseCounter::State::propagate() {
    while (propagated < trailSize) {
        const int p = trail[propagated++];
        const int v = varOfLit(p);
        bool consistent;
        if (v >= cellVarCount) {
            consistent = propagateUse(p);
        } else if ((p & 1) != 0) {
            consistent = propagateCellFalse(v);
        } else {
            consistent = propagateCellTrue(p);
        }
        if (!consistent || !propagateWatches(negate(p))) return false;
    }
    return true;
}

// A variable of a digit used by a unit, set either way. Counted before anything acts, as
// backjump undoes the counts of every literal taken from the trail.
bool ClauseCounter::State::propagateUse(int p) {
    const int a = varOfLit(p) - cellVarCount;
    const int g = useGroupOf[a];
    const int unit = useUnitOf[a];
    const int side = unit < 18 ? 0 : 1;
    const std::int16_t* regionDigits = regionsOfUse[a];
    if ((p & 1) == 0) {
        for (int i = 0; i < 2; ++i) {
            if (regionDigits[i] >= 0) ++regionTrue[regionDigits[i]][side];
        }
        // The unit uses the digit: one of its cells must take it.
        if (!groupActs(g)) return false;
    } else {
        --useLeft[unit];
        for (int i = 0; i < 2; ++i) {
            if (regionDigits[i] >= 0) ++regionFalse[regionDigits[i]][side];
        }
        // It does not: none of them takes it, and one fewer can be used.
        for (int i = 0; i < groupSize[g]; ++i) {
            if (!implyFalse(p, groupVars[g][i])) return false;
        }
        if (!useCountHolds(unit)) return false;
    }
    for (int i = 0; i < 2; ++i) {
        if (regionDigits[i] >= 0 && !regionHolds(regionDigits[i])) return false;
    }
    return true;
}

// A cell variable set false: one fewer for the cell and the groups of v, all counted before
// any acts.
bool ClauseCounter::State::propagateCellFalse(int v) {
    const int cell = cellOfVar[v];
    --cellLeft[cell];
    for (const std::int16_t g : groupsOfVar[v]) {
        if (g >= 0) --groupLeft[g];
    }
    if (cellLeft[cell] < 2 &&
        !atLeastOne(cellVars[cell], cellSize[cell], cellLeft[cell], Reason{ReasonKind::cell, cell}))
        return false;
    for (const std::int16_t g : groupsOfVar[v]) {
        // With two cells left a group cannot act yet.
        if (g >= 0 && groupLeft[g] < 2 && !groupActs(g)) return false;
    }
    return true;
}

// A cell variable set true: at most one digit per cell, and one cell per digit in each
// unit; and its units use the digit.
bool ClauseCounter::State::propagateCellTrue(int p) {
    const int v = varOfLit(p);
    const std::int16_t* excluded = excludes[v];
    for (int i = 0; i < excludeCount[v]; ++i) {
        if (!implyFalse(p, excluded[i])) return false;
    }
    for (const std::int16_t g : groupsOfVar[v]) {
        if (g >= 0 && groupCondition[g] >= 0 && !implyTrue(p, groupCondition[g])) return false;
    }
    return true;
}

// The stored clauses that watch `falseLit`, just made false. Kept watches are packed to the
// front of the run as it is read.
bool ClauseCounter::State::propagateWatches(int falseLit) {
    const int count = watchCount[falseLit];
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        Watch* run = pool + watchStart[falseLit]; // addWatch may move the pool
        const Watch w = run[i];
        if (litValue(w.blocker) == 1) {
            run[kept++] = w;
            continue;
        }
        const int size = clause(w.clause)[0];
        int* l = lits(w.clause);
        if (l[0] == falseLit) { // keep the false literal second
            l[0] = l[1];
            l[1] = falseLit;
        }
        const int first = l[0];
        if (first != w.blocker && litValue(first) == 1) {
            run[kept++] = Watch{w.clause, first};
            continue;
        }
        int k = 2;
        while (k < size && litValue(l[k]) == -1) ++k;
        if (k < size) {
            l[1] = l[k];
            l[k] = falseLit;
            if (!addWatch(l[1], Watch{w.clause, first})) {
                usable = false; // the counter stops for good; nothing is read again
                return false;
            }
            continue;
        }
        run[kept++] = w;
        if (litValue(first) == -1) {
            for (int j = i + 1; j < count; ++j) run[kept++] = run[j];
            watchCount[falseLit] = kept;
            conflictSize = size;
            std::memcpy(conflictLits, l, sizeof(int) * static_cast<unsigned>(size));
            return false;
        }
        assign(first, Reason{ReasonKind::clause, w.clause});
    }
    watchCount[falseLit] = kept;
    return true;
}

// A built-in "at least one" clause over `vars` (-1 entries skipped) with `left` of them not
// false, and `extra` (a false literal, or -1) besides: none is a conflict, one is set true.
bool ClauseCounter::State::atLeastOne(const std::int16_t* vars, int size, int left, Reason why,
                                      int extra) {
    if (left > 1) return true;
    if (left == 0) {
        conflictSize = 0;
        for (int i = 0; i < size; ++i) {
            if (vars[i] >= 0) conflictLits[conflictSize++] = 2 * vars[i];
        }
        if (extra >= 0) conflictLits[conflictSize++] = extra;
        return false;
    }
    for (int i = 0; i < size; ++i) {
        const int u = vars[i];
        if (u < 0 || value[u] == -1) continue;
        if (value[u] == 0) assign(2 * u, why);
        return true;
    }
    return true;
}

// A group's "at least one": for a digit its unit need not take, only once the unit is
// known to use it; with no cell left before that, the unit does not use it.
bool ClauseCounter::State::groupActs(int g) {
    const int condition = groupCondition[g];
    if (condition < 0)
        return atLeastOne(groupVars[g], groupSize[g], groupLeft[g], Reason{ReasonKind::group, g});
    if (value[condition] == -1) return true;
    if (value[condition] == 0) {
        if (groupLeft[g] == 0) assign(2 * condition + 1, Reason{ReasonKind::group, g});
        return true;
    }
    return atLeastOne(groupVars[g], groupSize[g], groupLeft[g], Reason{ReasonKind::group, g},
                      2 * condition + 1);
}

// A unit uses at least useNeed of its digits: fewer left is a conflict, just as many are
// all used.
bool ClauseCounter::State::useCountHolds(int unit) {
    if (useLeft[unit] > useNeed[unit]) return true;
    const std::int16_t* vars = useVars[unit];
    if (useLeft[unit] < useNeed[unit]) {
        conflictSize = 0;
        for (int i = 0; i < useSize[unit]; ++i) {
            if (value[vars[i]] == -1) conflictLits[conflictSize++] = 2 * vars[i];
        }
        return false;
    }
    for (int i = 0; i < useSize[unit]; ++i) {
        if (value[vars[i]] == 0) assign(2 * vars[i], Reason{ReasonKind::useCount, unit});
    }
    return true;
}

// The placements of a region digit by lines and by boxes can still be equal; where only
// one count is left that both sides can reach, its unset variables are set to reach
// it.
bool ClauseCounter::State::regionHolds(int b) {
    const int lines = regionLines[b];
    const int boxes = regionSize[b] - lines;
    const int linesLow = regionFixed[b] + regionTrue[b][0];
    const int linesHigh = regionFixed[b] + lines - regionFalse[b][0];
    const int boxesLow = regionTrue[b][1];
    const int boxesHigh = boxes - regionFalse[b][1];
    const std::int16_t* vars = regionVars[b];
    if (linesHigh < boxesLow || boxesHigh < linesLow) {
        conflictSize = 0;
        for (int i = 0; i < regionSize[b]; ++i) {
            const int u = vars[i];
            if (value[u] != 0) conflictLits[conflictSize++] = value[u] > 0 ? 2 * u + 1 : 2 * u;
        }
        return false;
    }
    bool linesUp;
    if (linesHigh == boxesLow) {
        linesUp = true;
    } else if (linesLow == boxesHigh) {
        linesUp = false;
    } else {
        return true;
    }
    for (int i = 0; i < regionSize[b]; ++i) {
        const int u = vars[i];
        if (value[u] != 0) continue;
        const bool up = (i < lines) == linesUp;
        assign(up ? 2 * u : 2 * u + 1, Reason{ReasonKind::region, b});
    }
    return true;
}

bool ClauseCounter::State::implyTrue(int trueLit, int u) {
    if (value[u] == 1) return true;
    if (value[u] == -1) {
        conflictSize = 2;
        conflictLits[0] = negate(trueLit);
        conflictLits[1] = 2 * u;
        return false;
    }
    assign(2 * u, Reason{ReasonKind::implication, trueLit});
    return true;
}

bool ClauseCounter::State::implyFalse(int trueLit, int u) {
    if (value[u] == -1) return true;
    if (value[u] == 1) {
        conflictSize = 2;
        conflictLits[0] = negate(trueLit);
        conflictLits[1] = 2 * u + 1;
        return false;
    }
    assign(2 * u + 1, Reason{ReasonKind::implication, trueLit});
    return true;
}

// Takes back what propagate counted of the literal `lit`.
void ClauseCounter::State::uncount(int lit) {
    const int v = varOfLit(lit);
    const bool isFalse = (lit & 1) != 0;
    if (v >= cellVarCount) {
        const int side = useUnitOf[v - cellVarCount] < 18 ? 0 : 1;
        if (isFalse) ++useLeft[useUnitOf[v - cellVarCount]];
        for (const std::int16_t b : regionsOfUse[v - cellVarCount]) {
            if (b < 0) continue;
            if (isFalse) {
                --regionFalse[b][side];
            } else {
                --regionTrue[b][side];
            }
        }
    } else if (isFalse) {
        ++cellLeft[cellOfVar[v]];
        for (const std::int16_t g : groupsOfVar[v]) {
            if (g >= 0) ++groupLeft[g];
        }
    }
}

void ClauseCounter::State::backjump(int to) {
    if (decisionLevel <= to) return;
    for (int i = trailSize - 1; i >= levelStart[to + 1]; --i) {
        const int v = varOfLit(trail[i]);
        if (i < propagated) uncount(trail[i]);
        value[v] = 0;
        litValues[2 * v] = 0;
        litValues[2 * v + 1] = 0;
        heapInsert(v);
    }
    trailSize = levelStart[to + 1];
    propagated = trailSize;
    decisionLevel = to;
}

} // namespace korvani::solver
