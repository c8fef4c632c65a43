// The clause counter: clause learning over "cell c holds digit d" variables, one for each empty
// cell and each of its candidates, and "unit u uses digit d" variables for loose units. It
// counts completions up to two, can stop after a number of conflicts and goes on later, keeping
// what it has learned.
//
// Invariants:
// - A completion is exactly an assignment in which each empty cell has one true variable and no
//   two true variables of one digit share a unit. The clauses that say so are built in, not
//   stored: setting a variable true falsifies the rest of its cell and the same digit in its
//   peers ("at most one", two-literal clauses); each empty cell and each digit that a unit
//   requires (a "group") keeps a count of its variables not yet false (those left), and acts
//   at one ("at least one"). The second kind holds in every completion too and spares the search
//   proving pigeonhole counts by resolution. A built-in clause is the reason of what it sets, and
//   it is read back from the grid when a conflict is analysed.
// - Where a unit has more digits left than empty cells, a variable "the unit uses digit d"
//   stands for each digit it need not take. It is tied to the unit's cells by built-in
//   clauses too: a cell taking d sets it true; set false, it falsifies d in all the unit's
//   cells; set true, the unit's group of d (as above) acts, and with no cell left for d it is
//   set false. A count per unit keeps it using as many such digits as it has cells beyond its
//   required ones: fewer left is a conflict, just as many are set true, and the reason is the
//   unused ones set before. These variables follow from the cell variables, so completions are
//   still told apart by their cells alone.
// - Per region (band or stack) and digit, a "region digit": the placements counted over the
//   region's lines (rows or columns) equal those counted over its boxes. Counts over the
//   variables of digits used, and the digits units require, bound both sides, and where only
//   one total is left the unset variables are set to reach it. The reason of each is the
//   region digit's variables set before it.
// - The stored clauses are the learned ones and one blocking clause for a completion found
//   (over the cell variables), so the next one found differs from it. Each watches its first
//   two literals; a false watched literal has a true partner watched with it, or one assigned
//   at no higher level. A watch also names another literal of its clause (the blocker): while
//   that one is true, the clause is passed over without being read.
// - The counts cover exactly the literals of the trail below `propagated`.
// - Literals: 2v is "v true", 2v + 1 "v false". Assignment values: 1 true, -1 false, 0 none.
// - Learned clauses are forgotten only at decision level 0, where no reason is ever read.
#include "core/solver/hard/clause_counter.h"

#include "core/solver/tables.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace korvani::solver {

namespace {

constexpr int maxCellVars = 729;
constexpr int maxUseVars = 27 * 9;
constexpr int maxVars = maxCellVars + maxUseVars;
constexpr int maxLits = 2 * maxVars;
constexpr int noClause = -1;
constexpr int maxGroups = 27 * 9;
constexpr int maxRegionDigits = 6 * 9;

// Why a variable was set: by a decision (or a unit learned at level 0), by a stored clause, or
// by a built-in one: a two-literal clause whose other literal is the true literal `index` ("at
// most one", or a cell and the use of its digit by a unit), the "at least one" of cell `index`
// or of group `index`, the count of digits that unit `index` uses, or region digit `index`.
enum class ReasonKind : std::uint8_t {
    decision,
    clause,
    implication,
    cell,
    group,
    useCount,
    region
};

struct Reason {
    ReasonKind kind;
    int index;
};

constexpr Reason decided{ReasonKind::decision, 0};

// Clause layout in the arena: size, flags (bit 0 learned; the literal block distance from bit
// 2 on), then the literals.
constexpr int headerSize = 2;
constexpr int arenaFirstCapacity = 1 << 12;
constexpr int arenaMaxCapacity = 1 << 22;
constexpr int learnedRoomBase = 2000;
constexpr int watchFirstCapacity = 1 << 12;
constexpr int watchMaxCapacity = 1 << 22;

struct Watch {
    int clause;
    int blocker;
};

int varOfLit(int lit) {
    return lit >> 1;
}
int negate(int lit) {
    return lit ^ 1;
}

// Doubles `capacity`, moving `block` along, until `needed` elements fit; false when that would
// pass `ceiling` or memory runs out (the block then stays as it was).
template <typename T> bool growToFit(T*& block, int& capacity, int needed, int ceiling) {
    while (needed > capacity) {
        if (capacity >= ceiling) return false;
        void* grown = std::realloc(block, sizeof(T) * 2 * static_cast<unsigned>(capacity));
        if (grown == nullptr) return false;
        block = static_cast<T*>(grown);
        capacity *= 2;
    }
    return true;
}

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

struct ClauseCounter::State {
    int varCount = 0;
    int cellVarCount = 0; // the cell variables come first, then those of digits used in units
    std::int16_t varOf[81][9];
    std::int16_t cellVars[81][9]; // the cell's variables, packed
    std::uint8_t cellSize[81];
    std::uint8_t cellOfVar[maxVars];
    std::uint8_t digitOfVar[maxVars];
    std::int16_t groupsOfVar[maxVars][3]; // -1: none
    // Per cell variable: those it excludes when true, the rest of its cell and then the same
    // digit in its peers.
    std::int16_t excludes[maxCellVars][8 + 20];
    std::uint8_t excludeCount[maxCellVars];
    std::int16_t groupVars[maxGroups][9];
    std::uint8_t groupSize[maxGroups];
    int groupCount = 0;
    std::uint8_t cellLeft[81]; // variables of the cell not yet false
    std::uint8_t groupLeft[maxGroups];
    std::int16_t groupCondition[maxGroups]; // -1, or the variable of the unit using the digit
    // Per unit: its variables of digits used, how many of them it must use, and how many are
    // not yet false. Per such variable (less cellVarCount): its unit and its group.
    std::int16_t useVars[27][9];
    std::uint8_t useSize[27];
    std::uint8_t useNeed[27];
    std::uint8_t useLeft[27];
    std::uint8_t useUnitOf[maxUseVars];
    std::int16_t useGroupOf[maxUseVars];
    // Per region digit (9 * region + digit; regions 0-2 the bands, 3-5 the stacks): its
    // variables of digits used, lines first; the placements known from the start, by lines less
    // by boxes; and per side (0 lines, 1 boxes) its variables taken from the trail true and
    // false. Per variable of a digit used: its region digits (-1: none).
    std::int16_t regionVars[maxRegionDigits][6];
    std::uint8_t regionLines[maxRegionDigits];
    std::uint8_t regionSize[maxRegionDigits];
    std::int8_t regionFixed[maxRegionDigits];
    std::uint8_t regionTrue[maxRegionDigits][2];
    std::uint8_t regionFalse[maxRegionDigits][2];
    std::int16_t regionsOfUse[maxUseVars][2];
    CellGrid givens{};
    // Per unit, while setting up: its required digits (those it must use among them), and the
    // variable of each digit it may use (-1: none).
    DigitMask required[27];
    std::int16_t useVarOf[27][9];

    std::int8_t value[maxVars];
    std::int8_t litValues[maxLits]; // the same per literal, for the clauses' quick reads
    std::uint8_t seen[maxVars];
    int level[maxVars];
    Reason reason[maxVars];
    int trailPos[maxVars];
    int trail[maxVars]; // true literals in the order they were set
    int trailSize = 0;
    int propagated = 0;
    int levelStart[maxVars + 1];
    int decisionLevel = 0;

    double activity[maxVars];
    double bump = 1.0;
    int heap[maxVars]; // max-heap of variables by activity; holds every unassigned one
    int heapPos[maxVars];
    int heapSize = 0;

    // Per literal: its watches, a run of the pool. A run that fills up moves to the end of
    // the pool with twice the room; forgetLearned packs the pool again.
    Watch* pool = nullptr;
    int poolSize = 0;
    int poolCapacity = 0;
    int watchStart[maxLits];
    int watchCount[maxLits];
    int watchRoom[maxLits];
    int* arena = nullptr; // grows by doubling, up to arenaMaxCapacity
    int arenaSize = 0;
    int arenaCapacity = 0;
    int learnedCount = 0;
    int learnedRoom = learnedRoomBase;

    int learnt[maxVars + 1];
    int conflictLits[maxVars + 1];
    int conflictSize = 0;
    int levelStamp[maxVars + 1];
    int stamp = 0;

    long long conflicts = 0;
    long long restarts = 0;
    long long nextRestart = 0;
    bool usable = false;
    bool done = false;
    int count = 0;
    CellGrid solution{};

    int litValue(int lit) const { return litValues[lit]; }

    // The heap of unassigned variables.
    bool before(int a, int b) const { return activity[a] > activity[b]; }
    void heapUp(int i) {
        const int v = heap[i];
        while (i > 0 && before(v, heap[(i - 1) / 2])) {
            heap[i] = heap[(i - 1) / 2];
            heapPos[heap[i]] = i;
            i = (i - 1) / 2;
        }
        heap[i] = v;
        heapPos[v] = i;
    }
    void heapDown(int i) {
        const int v = heap[i];
        for (;;) {
            int child = 2 * i + 1;
            if (child >= heapSize) break;
            if (child + 1 < heapSize && before(heap[child + 1], heap[child])) ++child;
            if (!before(heap[child], v)) break;
            heap[i] = heap[child];
            heapPos[heap[i]] = i;
            i = child;
        }
        heap[i] = v;
        heapPos[v] = i;
    }
    void heapInsert(int v) {
        if (heapPos[v] >= 0) return;
        heap[heapSize] = v;
        heapUp(heapSize++);
    }
    int heapPop() {
        const int top = heap[0];
        heapPos[top] = -1;
        if (--heapSize > 0) {
            heap[0] = heap[heapSize];
            heapDown(0);
        }
        return top;
    }

    void bumpActivity(int v) {
        activity[v] += bump;
        if (activity[v] > 1e100) {
            for (int u = 0; u < varCount; ++u) activity[u] *= 1e-100;
            bump *= 1e-100;
        }
        if (heapPos[v] >= 0) heapUp(heapPos[v]);
    }

    void assign(int lit, Reason why) {
        const int v = varOfLit(lit);
        value[v] = static_cast<std::int8_t>((lit & 1) != 0 ? -1 : 1);
        litValues[lit] = 1;
        litValues[negate(lit)] = -1;
        level[v] = decisionLevel;
        reason[v] = why;
        trailPos[v] = trailSize;
        trail[trailSize++] = lit;
    }

    int* clause(int c) { return arena + c; }
    int* lits(int c) { return arena + c + headerSize; }

    // False when the pool cannot grow.
    bool addWatch(int lit, Watch w) {
        if (watchCount[lit] == watchRoom[lit]) {
            const int room = watchRoom[lit] == 0 ? 4 : 2 * watchRoom[lit];
            if (!growToFit(pool, poolCapacity, poolSize + room, watchMaxCapacity)) return false;
            std::memcpy(pool + poolSize, pool + watchStart[lit],
                        sizeof(Watch) * static_cast<unsigned>(watchCount[lit]));
            watchStart[lit] = poolSize;
            watchRoom[lit] = room;
            poolSize += room;
        }
        pool[watchStart[lit] + watchCount[lit]++] = w;
        return true;
    }

    bool watch(int c) {
        const int* l = lits(c);
        return addWatch(l[0], Watch{c, l[1]}) && addWatch(l[1], Watch{c, l[0]});
    }

    void clearWatches() {
        poolSize = 0;
        for (int l = 0; l < 2 * varCount; ++l) {
            watchCount[l] = 0;
            watchRoom[l] = 0;
        }
    }

    // Stores a clause of two or more literals; noClause when the arena cannot grow.
    int store(const int* from, int size, int flags) {
        if (!growToFit(arena, arenaCapacity, arenaSize + headerSize + size, arenaMaxCapacity))
            return noClause;
        const int c = arenaSize;
        arenaSize += headerSize + size;
        int* h = clause(c);
        h[0] = size;
        h[1] = flags;
        std::memcpy(lits(c), from, sizeof(int) * static_cast<unsigned>(size));
        if (!watch(c)) return noClause;
        return c;
    }

    // Sets the consequences of the trail; false on a conflict, whose literals (all false) are
    // left in conflictLits.
    bool propagate() {
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
    bool propagateUse(int p) {
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
    bool propagateCellFalse(int v) {
        const int cell = cellOfVar[v];
        --cellLeft[cell];
        for (const std::int16_t g : groupsOfVar[v]) {
            if (g >= 0) --groupLeft[g];
        }
        if (cellLeft[cell] < 2 && !atLeastOne(cellVars[cell], cellSize[cell], cellLeft[cell],
                                              Reason{ReasonKind::cell, cell}))
            return false;
        for (const std::int16_t g : groupsOfVar[v]) {
            // With two cells left a group cannot act yet.
            if (g >= 0 && groupLeft[g] < 2 && !groupActs(g)) return false;
        }
        return true;
    }

    // A cell variable set true: at most one digit per cell, and one cell per digit in each
    // unit; and its units use the digit.
    bool propagateCellTrue(int p) {
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
    bool propagateWatches(int falseLit) {
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
    bool atLeastOne(const std::int16_t* vars, int size, int left, Reason why, int extra = -1) {
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
    bool groupActs(int g) {
        const int condition = groupCondition[g];
        if (condition < 0)
            return atLeastOne(groupVars[g], groupSize[g], groupLeft[g],
                              Reason{ReasonKind::group, g});
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
    bool useCountHolds(int unit) {
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
    bool regionHolds(int b) {
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

    bool implyTrue(int trueLit, int u) {
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

    bool implyFalse(int trueLit, int u) {
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
    void uncount(int lit) {
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

    void backjump(int to) {
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

    int builtInLits(const std::int16_t* vars, int size, int v, int* out) {
        int n = 0;
        for (int i = 0; i < size; ++i) {
            if (vars[i] >= 0 && vars[i] != v) out[n++] = 2 * vars[i];
        }
        return n;
    }

    // The literals of the reason of `v` other than its own, into `out`; how many.
    int reasonLits(int v, int* out) {
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

    int clauseReasonLits(int c, int v, int* out) {
        const int size = clause(c)[0];
        const int* l = lits(c);
        int n = 0;
        for (int i = 0; i < size; ++i) {
            if (varOfLit(l[i]) != v) out[n++] = l[i];
        }
        return n;
    }

    int groupReasonLits(int g, int v, int* out) {
        const int condition = groupCondition[g];
        if (v == condition) return builtInLits(groupVars[g], groupSize[g], -1, out);
        const int n = builtInLits(groupVars[g], groupSize[g], v, out);
        if (condition < 0) return n;
        out[n] = 2 * condition + 1;
        return n + 1;
    }

    // The unit's digits found unused before v was set.
    int useCountReasonLits(int unit, int v, int* out) {
        const std::int16_t* vars = useVars[unit];
        int n = 0;
        for (int i = 0; i < useSize[unit]; ++i) {
            const int u = vars[i];
            if (value[u] == -1 && trailPos[u] < trailPos[v]) out[n++] = 2 * u;
        }
        return n;
    }

    // The region digit's variables set before v.
    int regionReasonLits(int b, int v, int* out) {
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
    int analyze(int& backLevel) {
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
    int minimizeLearnt(int n) {
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

    int blockDistance(int n) {
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

    // At level 0: forgets the learned clauses of the wider half of block distances beyond two,
    // then packs the arena and links the watches again.
    void forgetLearned() {
        int distances[16] = {};
        for (int c = 0; c < arenaSize; c += headerSize + arena[c]) {
            const int flags = arena[c + 1];
            if ((flags & 1) != 0) ++distances[(flags >> 2) < 15 ? (flags >> 2) : 15];
        }
        // The distance from which on clauses go, so that about half of them do.
        int keep = 0;
        int cut = 3;
        for (int d = 0; d < 16; ++d) {
            keep += distances[d];
            if (keep * 2 >= learnedCount) {
                cut = d + 1;
                break;
            }
        }
        if (cut < 3) cut = 3;
        for (int i = 0; i < trailSize; ++i) reason[varOfLit(trail[i])] = decided;
        int to = 0;
        learnedCount = 0;
        for (int c = 0; c < arenaSize;) {
            const int size = arena[c];
            const int flags = arena[c + 1];
            const int next = c + headerSize + size;
            if ((flags & 1) == 0 || (flags >> 2) < cut) {
                std::memmove(arena + to, arena + c, sizeof(int) * static_cast<unsigned>(next - c));
                if ((flags & 1) != 0) ++learnedCount;
                to += headerSize + size;
            }
            c = next;
        }
        arenaSize = to;
        clearWatches();
        for (int c = 0; c < arenaSize; c += headerSize + arena[c]) {
            // The pool held all of these watches before, so it has the room.
            if (!watch(c)) usable = false;
        }
        learnedRoom += learnedRoom / 2;
    }

    // Adds a clause at level 0 (all its false literals are false there). False when that
    // leaves no completion.
    bool addAtRoot(int* from, int size, int flags) {
        int n = 0;
        for (int i = 0; i < size; ++i) {
            const int val = litValue(from[i]);
            if (val == 1) return true;
            if (val == 0) from[n++] = from[i];
        }
        if (n == 0) return false;
        if (n == 1) {
            assign(from[0], decided);
            return true;
        }
        if (store(from, n, flags) == noClause) usable = false;
        return true;
    }

    void recordCompletion() {
        CellGrid grid = givens;
        for (int v = 0; v < cellVarCount; ++v) {
            if (value[v] == 1) grid[cellOfVar[v]] = static_cast<std::uint8_t>(digitOfVar[v] + 1);
        }
        if (++count == 1) solution = grid;
    }

    // Searches for up to `budget` conflicts.
    bool search(long long budget) {
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
    bool learnFromConflict() {
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
    int branchVariable() {
        while (heapSize > 0) {
            const int u = heapPop();
            if (value[u] == 0) return u;
        }
        return -1;
    }

    // Counts the completion the trail holds; true once the count is settled, else the search
    // goes on from the root with a clause that blocks this completion.
    bool countCompletion() {
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

    // Setting up, in this order.

    // The cell variables, each cell's packed, and what each excludes when true.
    void addCellVars(const RootCounts& root) {
        for (int cell = 0; cell < 81; ++cell) {
            int n = 0;
            for (int d = 0; d < 9; ++d) {
                varOf[cell][d] = -1;
                if (root.filled[cell] != 0 || !root.hasCandidate(cell, d)) continue;
                const int v = varCount++;
                varOf[cell][d] = static_cast<std::int16_t>(v);
                cellOfVar[v] = static_cast<std::uint8_t>(cell);
                digitOfVar[v] = static_cast<std::uint8_t>(d);
                ++n;
            }
            cellSize[cell] = 0;
            for (int d = 0; d < 9; ++d) {
                if (varOf[cell][d] >= 0) cellVars[cell][cellSize[cell]++] = varOf[cell][d];
            }
            // Cells with few candidates first, until conflicts say otherwise.
            for (int d = 0; d < 9; ++d) {
                if (varOf[cell][d] >= 0) activity[varOf[cell][d]] = 1e-3 * (10 - n);
            }
        }
        cellVarCount = varCount;
        for (int v = 0; v < cellVarCount; ++v) {
            const int cell = cellOfVar[v];
            const int d = digitOfVar[v];
            int n = 0;
            for (int e = 0; e < 9; ++e) {
                if (e != d && varOf[cell][e] >= 0) excludes[v][n++] = varOf[cell][e];
            }
            for (const std::uint8_t peer : peerList.of[cell]) {
                if (varOf[peer][d] >= 0) excludes[v][n++] = varOf[peer][d];
            }
            excludeCount[v] = static_cast<std::uint8_t>(n);
        }
    }

    // A unit's empty cells take distinct digits, so beyond its required digits exactly as many
    // of the others as it has cells left over. Said with a variable "the unit uses digit d" for
    // each of those others, that count cuts short the pigeonhole arguments that the search
    // would otherwise prove by resolution, one placement at a time. Where the unit needs all of
    // them they become required instead.
    void addUseVars(const RootCounts& root, int unit) {
        required[unit] = root.requiredOf(unit);
        useSize[unit] = 0;
        useNeed[unit] = 0;
        int empty = 0;
        DigitMask possible = 0;
        for (int i = 0; i < 9; ++i) {
            const int cell = unitCellAt(unit, i);
            if (root.filled[cell] != 0) continue;
            ++empty;
            for (int d = 0; d < 9; ++d) {
                if (varOf[cell][d] >= 0) possible = static_cast<DigitMask>(possible | 1u << d);
            }
        }
        const DigitMask others = static_cast<DigitMask>(possible & ~required[unit]);
        for (int d = 0; d < 9; ++d) {
            useVarOf[unit][d] = -1;
            useVars[unit][d] = -1;
        }
        const int othersCount = countNine(others);
        const int need = empty - countNine(required[unit]);
        if (need < 0 || need > othersCount) {
            done = true; // too few digits for the cells, or too few cells for the digits
            return;
        }
        if (need == 0) return;
        if (need == othersCount) {
            required[unit] = static_cast<DigitMask>(required[unit] | others);
            return;
        }
        useNeed[unit] = static_cast<std::uint8_t>(need);
        useLeft[unit] = static_cast<std::uint8_t>(othersCount);
        for (int d = 0; d < 9; ++d) {
            if ((others >> d & 1u) == 0) continue;
            const int v = varCount++;
            useVarOf[unit][d] = static_cast<std::int16_t>(v);
            useVars[unit][useSize[unit]++] = static_cast<std::int16_t>(v);
            useUnitOf[v - cellVarCount] = static_cast<std::uint8_t>(unit);
            activity[v] = 1.0;
        }
    }

    void clearAssignment() {
        clearWatches();
        for (int v = 0; v < varCount; ++v) {
            value[v] = 0;
            litValues[2 * v] = 0;
            litValues[2 * v + 1] = 0;
            seen[v] = 0;
            heapPos[v] = -1;
            heapInsert(v);
            for (std::int16_t& g : groupsOfVar[v]) g = -1;
        }
        levelStart[0] = 0;
        for (int l = 0; l <= maxVars; ++l) levelStamp[l] = 0;
        nextRestart = 100;
    }

    // The "at least one" counts; one left is set at level 0, none means no completion.
    void setAtRoot(int v) {
        if (value[v] == 0) assign(2 * v, decided);
    }

    void countCells() {
        for (int cell = 0; cell < 81; ++cell) {
            int left = 0;
            int last = -1;
            for (int d = 0; d < 9; ++d) {
                if (varOf[cell][d] < 0) continue;
                ++left;
                last = varOf[cell][d];
            }
            cellLeft[cell] = static_cast<std::uint8_t>(left);
            if (givens[cell] != 0) continue;
            if (left == 0) done = true;
            if (left == 1) setAtRoot(last);
        }
    }

    // A group for each digit the unit requires or may use.
    void addGroups(int unit) {
        const int kind = unit / 9;
        for (int d = 0; d < 9; ++d) {
            const int condition = useVarOf[unit][d];
            if ((required[unit] >> d & 1u) == 0 && condition < 0) continue;
            const int g = groupCount++;
            groupCondition[g] = static_cast<std::int16_t>(condition);
            if (condition >= 0) useGroupOf[condition - cellVarCount] = static_cast<std::int16_t>(g);
            int size = 0;
            for (int i = 0; i < 9; ++i) {
                const int v = varOf[unitCellAt(unit, i)][d];
                if (v < 0) continue;
                groupVars[g][size++] = static_cast<std::int16_t>(v);
                groupsOfVar[v][kind] = static_cast<std::int16_t>(g);
            }
            for (int i = size; i < 9; ++i) groupVars[g][i] = -1;
            groupSize[g] = static_cast<std::uint8_t>(size);
            groupLeft[g] = static_cast<std::uint8_t>(size);
            if (condition >= 0) continue;
            if (size == 0) done = true;
            if (size == 1) setAtRoot(groupVars[g][0]);
        }
    }

    // Each placement in a band lies in one of its rows and one of its boxes, so the two counts
    // are equal; likewise in a stack. Counting by units alone leaves this to resolution, which
    // is slow to find it where most units are loose.
    void addRegionDigits() {
        for (int a = 0; a < varCount - cellVarCount; ++a) {
            regionsOfUse[a][0] = -1;
            regionsOfUse[a][1] = -1;
        }
        for (int region = 0; region < 6; ++region) {
            int units[6]; // its lines (rows or columns), then its boxes
            for (int i = 0; i < 3; ++i) {
                const int index = region < 3 ? 3 * region + i : 3 * (region - 3) + i;
                units[i] = region < 3 ? index : 9 + index;
                units[3 + i] = 18 + (region < 3 ? 3 * region + i : (region - 3) + 3 * i);
            }
            for (int d = 0; d < 9; ++d) addRegionDigit(9 * region + d, units, d);
        }
    }

    void addRegionDigit(int b, const int units[6], int d) {
        int size = 0;
        int fixed = 0;
        for (int i = 0; i < 6; ++i) {
            const int unit = units[i];
            if (i == 3) regionLines[b] = static_cast<std::uint8_t>(size);
            const int v = useVarOf[unit][d];
            if (v < 0) {
                if ((required[unit] >> d & 1u) != 0) fixed += i < 3 ? 1 : -1;
                continue;
            }
            regionVars[b][size++] = static_cast<std::int16_t>(v);
            std::int16_t* slots = regionsOfUse[v - cellVarCount];
            slots[slots[0] < 0 ? 0 : 1] = static_cast<std::int16_t>(b);
        }
        regionSize[b] = static_cast<std::uint8_t>(size);
        regionFixed[b] = static_cast<std::int8_t>(fixed);
        for (int side = 0; side < 2; ++side) {
            regionTrue[b][side] = 0;
            regionFalse[b][side] = 0;
        }
        if (!done && !regionHolds(b)) done = true;
    }
};

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
