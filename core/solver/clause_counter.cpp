// Clause learning over "cell c holds digit d" variables, one for each empty cell and each digit
// that no given in its units holds, and "unit u uses digit d" variables for units with repeated
// givens.
//
// Invariants:
// - A completion is exactly an assignment in which each empty cell has one true variable and no
//   two true variables of one digit share a unit. The clauses that say so are built in, not
//   stored: setting a variable true falsifies the rest of its cell and the same digit in its
//   peers ("at most one", two-literal clauses); each empty cell and each digit that a unit
//   must take (a "group") keeps a count of its variables not yet false, and acts at one ("at
//   least one"). The second kind holds in every completion too and spares the search proving
//   pigeonhole counts by resolution. A built-in clause is the reason of what it sets, and it is
//   read back from the grid when a conflict is analysed.
// - Where a unit has more digits left than empty cells, a variable "the unit uses digit d"
//   stands for each digit it need not take. It is tied to the unit's cells by built-in
//   clauses too: a cell taking d sets it true; set false, it falsifies d in all the unit's
//   cells; set true, the unit's group of d (as above) acts, and with no cell left for d it is
//   set false. A count per unit keeps it using as many such digits as it has cells beyond its
//   required ones: fewer left is a conflict, just as many are set true, and the reason is the
//   unused ones set before. These variables follow from the cell variables, so completions are
//   still told apart by their cells alone.
// - Per band and digit, the placements counted over its rows equal those counted over its
//   boxes (and so for stacks and columns): counts over the variables of digits used, and the
//   digits units must take, bound both sides, and where only one total is left the open
//   variables are set to reach it. The reason of each is the balance's variables set before
//   it.
// - The stored clauses are the learned ones and one blocking clause for a completion found
//   (over the cell variables), so the next one found differs from it. Each watches its first
//   two literals; a false watched literal has a true partner watched with it, or one assigned
//   at no higher level. A watch also names another literal of its clause (the blocker): while
//   that one is true, the clause is passed over without being read.
// - The counts cover exactly the literals of the trail below `propagated`.
// - Literals: 2v is "v true", 2v + 1 "v false". Assignment values: 1 true, -1 false, 0 none.
// - Learned clauses are forgotten only at decision level 0, where no reason is ever read.
#include "core/solver/clause_counter.h"

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
// Reasons: a clause offset (>= 0), none (-1), -2 - L for a built-in two-literal clause with the
// true literal L ("at most one", or a cell and the use of its digit by a unit), a built-in "at
// least one" clause of a cell or of a group, the count of digits a unit uses, or a balance.
constexpr int noReason = -1;
constexpr int cellReasonBase = -2 - maxLits;
constexpr int groupReasonBase = cellReasonBase - 81;
constexpr int maxGroups = 27 * 9;
constexpr int useReasonBase = groupReasonBase - maxGroups;
constexpr int maxBalances = 6 * 9;
constexpr int balanceReasonBase = useReasonBase - 27;

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
    std::uint8_t cellOpen[81]; // variables of the cell not yet false
    std::uint8_t groupOpen[maxGroups];
    std::int16_t groupCondition[maxGroups]; // -1, or the variable of the unit using the digit
    // Per unit: its variables of digits used, how many of them it must use, and how many are
    // not yet false. Per such variable (less cellVarCount): its unit and its group.
    std::int16_t useVars[27][9];
    std::uint8_t useSize[27];
    std::uint8_t useNeed[27];
    std::uint8_t useOpen[27];
    std::uint8_t useUnitOf[maxUseVars];
    std::int16_t useGroupOf[maxUseVars];
    // Per band or stack and digit (a "balance", 9 * region + digit; regions 0-2 the bands, 3-5
    // the stacks): the digit's placements counted by its rows (or columns) equal those counted
    // by its boxes. Its variables of digits used, lines first; the placements known from the
    // start, by lines less by boxes; and per side (0 lines, 1 boxes) its variables taken from
    // the trail true and false. Per variable of a digit used: its balances (-1: none).
    std::int16_t balanceVars[maxBalances][6];
    std::uint8_t balanceLines[maxBalances];
    std::uint8_t balanceSize[maxBalances];
    std::int8_t balanceFixed[maxBalances];
    std::uint8_t balanceTrue[maxBalances][2];
    std::uint8_t balanceFalse[maxBalances][2];
    std::int16_t balancesOfUse[maxUseVars][2];
    CellGrid givens{};

    std::int8_t value[maxVars];
    std::int8_t litValues[maxLits]; // the same per literal, for the clauses' quick reads
    std::uint8_t seen[maxVars];
    int level[maxVars];
    int reason[maxVars];
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

    void assign(int lit, int why) {
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
            if (v >= cellVarCount) {
                // Counted before anything acts, as backjump undoes the counts of every literal
                // taken from the trail.
                const int g = useGroupOf[v - cellVarCount];
                const int unit = useUnitOf[v - cellVarCount];
                const int side = unit < 18 ? 0 : 1;
                const std::int16_t* balances = balancesOfUse[v - cellVarCount];
                if ((p & 1) == 0) {
                    for (int i = 0; i < 2; ++i) {
                        if (balances[i] >= 0) ++balanceTrue[balances[i]][side];
                    }
                    // The unit uses the digit: one of its cells must take it.
                    if (!groupActs(g)) return false;
                } else {
                    --useOpen[unit];
                    for (int i = 0; i < 2; ++i) {
                        if (balances[i] >= 0) ++balanceFalse[balances[i]][side];
                    }
                    // It does not: none of them takes it, and one fewer can be used.
                    for (int i = 0; i < groupSize[g]; ++i) {
                        if (!implyFalse(p, groupVars[g][i])) return false;
                    }
                    if (!useCountHolds(unit)) return false;
                }
                for (int i = 0; i < 2; ++i) {
                    if (balances[i] >= 0 && !balanceHolds(balances[i])) return false;
                }
            } else if ((p & 1) != 0) {
                // One fewer for the cell and the groups of v, all counted before any acts.
                const int cell = cellOfVar[v];
                --cellOpen[cell];
                for (const std::int16_t g : groupsOfVar[v]) {
                    if (g >= 0) --groupOpen[g];
                }
                if (cellOpen[cell] < 2 && !atLeastOne(cellVars[cell], cellSize[cell],
                                                      cellOpen[cell], cellReasonBase - cell))
                    return false;
                for (const std::int16_t g : groupsOfVar[v]) {
                    // With two cells left a group cannot act yet.
                    if (g >= 0 && groupOpen[g] < 2 && !groupActs(g)) return false;
                }
            } else {
                // At most one digit per cell, and one cell per digit in each unit.
                const std::int16_t* excluded = excludes[v];
                for (int i = 0; i < excludeCount[v]; ++i) {
                    if (!implyFalse(p, excluded[i])) return false;
                }
                // Its units use the digit.
                for (const std::int16_t g : groupsOfVar[v]) {
                    if (g >= 0 && groupCondition[g] >= 0 && !implyTrue(p, groupCondition[g]))
                        return false;
                }
            }
            // The clauses that watch the literal just made false. Kept watches are packed to
            // the front of the run as it is read.
            const int falseLit = negate(p);
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
                assign(first, w.clause);
            }
            watchCount[falseLit] = kept;
        }
        return true;
    }

    // A built-in "at least one" clause over `vars` (-1 entries skipped) with `open` of them not
    // false, and `extra` (a false literal, or -1) besides: none is a conflict, one is set true.
    bool atLeastOne(const std::int16_t* vars, int size, int open, int why, int extra = -1) {
        if (open > 1) return true;
        if (open == 0) {
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
            return atLeastOne(groupVars[g], groupSize[g], groupOpen[g], groupReasonBase - g);
        if (value[condition] == -1) return true;
        if (value[condition] == 0) {
            if (groupOpen[g] == 0) assign(2 * condition + 1, groupReasonBase - g);
            return true;
        }
        return atLeastOne(groupVars[g], groupSize[g], groupOpen[g], groupReasonBase - g,
                          2 * condition + 1);
    }

    // A unit uses at least useNeed of its digits: fewer left is a conflict, just as many are
    // all used.
    bool useCountHolds(int unit) {
        if (useOpen[unit] > useNeed[unit]) return true;
        const std::int16_t* vars = useVars[unit];
        if (useOpen[unit] < useNeed[unit]) {
            conflictSize = 0;
            for (int i = 0; i < useSize[unit]; ++i) {
                if (value[vars[i]] == -1) conflictLits[conflictSize++] = 2 * vars[i];
            }
            return false;
        }
        for (int i = 0; i < useSize[unit]; ++i) {
            if (value[vars[i]] == 0) assign(2 * vars[i], useReasonBase - unit);
        }
        return true;
    }

    // The placements of a balance's digit by lines and by boxes can still be equal; where
    // only one count is left that both sides can reach, its open variables are set to reach
    // it.
    bool balanceHolds(int b) {
        const int lines = balanceLines[b];
        const int boxes = balanceSize[b] - lines;
        const int linesLow = balanceFixed[b] + balanceTrue[b][0];
        const int linesHigh = balanceFixed[b] + lines - balanceFalse[b][0];
        const int boxesLow = balanceTrue[b][1];
        const int boxesHigh = boxes - balanceFalse[b][1];
        const std::int16_t* vars = balanceVars[b];
        if (linesHigh < boxesLow || boxesHigh < linesLow) {
            conflictSize = 0;
            for (int i = 0; i < balanceSize[b]; ++i) {
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
        for (int i = 0; i < balanceSize[b]; ++i) {
            const int u = vars[i];
            if (value[u] != 0) continue;
            const bool up = (i < lines) == linesUp;
            assign(up ? 2 * u : 2 * u + 1, balanceReasonBase - b);
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
        assign(2 * u, -2 - trueLit);
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
        assign(2 * u + 1, -2 - trueLit);
        return true;
    }

    // Takes back what propagate counted of the literal `lit`.
    void uncount(int lit) {
        const int v = varOfLit(lit);
        const bool isFalse = (lit & 1) != 0;
        if (v >= cellVarCount) {
            const int side = useUnitOf[v - cellVarCount] < 18 ? 0 : 1;
            if (isFalse) ++useOpen[useUnitOf[v - cellVarCount]];
            for (const std::int16_t b : balancesOfUse[v - cellVarCount]) {
                if (b < 0) continue;
                if (isFalse) {
                    --balanceFalse[b][side];
                } else {
                    --balanceTrue[b][side];
                }
            }
        } else if (isFalse) {
            ++cellOpen[cellOfVar[v]];
            for (const std::int16_t g : groupsOfVar[v]) {
                if (g >= 0) ++groupOpen[g];
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
        const int why = reason[v];
        if (why <= balanceReasonBase) {
            // The balance's variables set before v.
            const int b = balanceReasonBase - why;
            int n = 0;
            for (int i = 0; i < balanceSize[b]; ++i) {
                const int u = balanceVars[b][i];
                if (u == v || value[u] == 0 || trailPos[u] > trailPos[v]) continue;
                out[n++] = value[u] > 0 ? 2 * u + 1 : 2 * u;
            }
            return n;
        }
        if (why <= useReasonBase) {
            // The unit's digits found unused before v was set.
            const std::int16_t* vars = useVars[useReasonBase - why];
            int n = 0;
            for (int i = 0; i < useSize[useReasonBase - why]; ++i) {
                const int u = vars[i];
                if (value[u] == -1 && trailPos[u] < trailPos[v]) out[n++] = 2 * u;
            }
            return n;
        }
        if (why <= groupReasonBase) {
            const int g = groupReasonBase - why;
            const int condition = groupCondition[g];
            if (v == condition) return builtInLits(groupVars[g], groupSize[g], -1, out);
            const int n = builtInLits(groupVars[g], groupSize[g], v, out);
            if (condition < 0) return n;
            out[n] = 2 * condition + 1;
            return n + 1;
        }
        if (why <= cellReasonBase) {
            const int cell = cellReasonBase - why;
            return builtInLits(cellVars[cell], cellSize[cell], v, out);
        }
        if (why <= -2) {
            out[0] = negate(-2 - why);
            return 1;
        }
        const int size = clause(why)[0];
        const int* l = lits(why);
        int n = 0;
        for (int i = 0; i < size; ++i) {
            if (varOfLit(l[i]) != v) out[n++] = l[i];
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

        // Drop literals whose own reasons lie wholly inside the clause. The marks of all of
        // them must go afterwards, so the dropped ones wait in conflictLits.
        int kept = 1;
        int dropped = 0;
        for (int i = 1; i < n; ++i) {
            const int v = varOfLit(learnt[i]);
            bool redundant = reason[v] != noReason;
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
        n = kept;

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
        for (int i = 0; i < trailSize; ++i) reason[varOfLit(trail[i])] = noReason;
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
            assign(from[0], noReason);
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
                int backLevel = 0;
                const int n = analyze(backLevel);
                backjump(backLevel);
                if (n == 1) {
                    assign(learnt[0], noReason);
                } else {
                    const int c = store(learnt, n, 1 | blockDistance(n) << 2);
                    if (c == noClause) {
                        usable = false;
                        return false;
                    }
                    ++learnedCount;
                    assign(learnt[0], c);
                }
                bump *= 1.0 / 0.95;
                if (conflicts >= nextRestart) {
                    nextRestart = conflicts + 100 * luby(restarts++);
                    backjump(0);
                    if (learnedCount > learnedRoom) forgetLearned();
                }
                if (conflicts >= stopAt) return false;
                continue;
            }
            int v = -1;
            while (heapSize > 0) {
                const int u = heapPop();
                if (value[u] == 0) {
                    v = u;
                    break;
                }
            }
            if (v < 0) {
                recordCompletion();
                if (count > 1) {
                    done = true;
                    return true;
                }
                // Look on for another: block this one.
                int block[81];
                int n = 0;
                for (int u = 0; u < cellVarCount; ++u) {
                    if (value[u] == 1) block[n++] = 2 * u + 1;
                }
                backjump(0);
                if (!addAtRoot(block, n, 0)) {
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
            // repeated givens, so those come first (their activity starts above the cells').
            levelStart[++decisionLevel] = trailSize;
            assign(v < cellVarCount ? 2 * v : 2 * v + 1, noReason);
        }
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
    const CellGrid& filled = root.filled;
    const DigitMask* candidates = root.candidates;
    const DigitMask* required = root.required;
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
    s->givens = filled;
    s->usable = true;
    s->pool = static_cast<Watch*>(std::malloc(sizeof(Watch) * watchFirstCapacity));
    if (s->pool == nullptr) return false;
    s->poolCapacity = watchFirstCapacity;

    for (int cell = 0; cell < 81; ++cell) {
        int count = 0;
        for (int d = 0; d < 9; ++d) {
            s->varOf[cell][d] = -1;
            if (filled[cell] != 0 || (candidates[cell] >> d & 1u) == 0) continue;
            const int v = s->varCount++;
            s->varOf[cell][d] = static_cast<std::int16_t>(v);
            s->cellOfVar[v] = static_cast<std::uint8_t>(cell);
            s->digitOfVar[v] = static_cast<std::uint8_t>(d);
            ++count;
        }
        s->cellSize[cell] = 0;
        for (int d = 0; d < 9; ++d) {
            if (s->varOf[cell][d] >= 0) s->cellVars[cell][s->cellSize[cell]++] = s->varOf[cell][d];
        }
        // Cells with few candidates first, until conflicts say otherwise.
        for (int d = 0; d < 9; ++d) {
            const int v = s->varOf[cell][d];
            if (v >= 0) s->activity[v] = 1e-3 * (10 - count);
        }
    }
    s->cellVarCount = s->varCount;
    for (int v = 0; v < s->cellVarCount; ++v) {
        const int cell = s->cellOfVar[v];
        const int d = s->digitOfVar[v];
        int n = 0;
        for (int e = 0; e < 9; ++e) {
            if (e != d && s->varOf[cell][e] >= 0) s->excludes[v][n++] = s->varOf[cell][e];
        }
        for (const std::uint8_t peer : peerList.of[cell]) {
            if (s->varOf[peer][d] >= 0) s->excludes[v][n++] = s->varOf[peer][d];
        }
        s->excludeCount[v] = static_cast<std::uint8_t>(n);
    }

    // A unit's empty cells take distinct digits, so beyond its required digits exactly as many
    // of the others as it has cells left over. Said with a variable "the unit uses digit d" for
    // each of those others, that count cuts short the pigeonhole arguments that the search
    // would otherwise prove by resolution, one placement at a time: conflicts on grids with
    // repeated givens fall by one or two orders of magnitude.
    DigitMask mustTake[27];
    std::int16_t useVar[27][9];
    for (int unit = 0; unit < 27; ++unit) {
        mustTake[unit] = required[unit];
        s->useSize[unit] = 0;
        s->useNeed[unit] = 0;
        int empty = 0;
        DigitMask possible = 0;
        for (int i = 0; i < 9; ++i) {
            const int cell = unitCellAt(unit, i);
            if (filled[cell] != 0) continue;
            ++empty;
            for (int d = 0; d < 9; ++d) {
                if (s->varOf[cell][d] >= 0) possible = static_cast<DigitMask>(possible | 1u << d);
            }
        }
        const DigitMask others = static_cast<DigitMask>(possible & ~required[unit]);
        int othersCount = 0;
        int requiredCount = 0;
        for (int d = 0; d < 9; ++d) {
            othersCount += others >> d & 1;
            requiredCount += required[unit] >> d & 1;
            useVar[unit][d] = -1;
            s->useVars[unit][d] = -1;
        }
        const int need = empty - requiredCount;
        if (need < 0 || need > othersCount) {
            s->done = true; // too few digits for the cells, or too few cells for the digits
            continue;
        }
        if (need == 0) continue;
        if (need == othersCount) {
            mustTake[unit] = static_cast<DigitMask>(mustTake[unit] | others);
            continue;
        }
        s->useNeed[unit] = static_cast<std::uint8_t>(need);
        s->useOpen[unit] = static_cast<std::uint8_t>(othersCount);
        for (int d = 0; d < 9; ++d) {
            if ((others >> d & 1u) == 0) continue;
            const int v = s->varCount++;
            useVar[unit][d] = static_cast<std::int16_t>(v);
            s->useVars[unit][s->useSize[unit]++] = static_cast<std::int16_t>(v);
            s->useUnitOf[v - s->cellVarCount] = static_cast<std::uint8_t>(unit);
            s->activity[v] = 1.0;
        }
    }
    s->clearWatches();
    for (int v = 0; v < s->varCount; ++v) {
        s->value[v] = 0;
        s->litValues[2 * v] = 0;
        s->litValues[2 * v + 1] = 0;
        s->seen[v] = 0;
        s->heapPos[v] = -1;
        s->heapInsert(v);
    }
    s->levelStart[0] = 0;
    for (int l = 0; l <= maxVars; ++l) s->levelStamp[l] = 0;
    s->nextRestart = 100;

    // The "at least one" counts; one left is a unit at level 0, none means no completion.
    auto unitAtRoot = [s](int v) {
        if (s->value[v] == 0) s->assign(2 * v, noReason);
    };
    for (int v = 0; v < s->varCount; ++v) {
        for (std::int16_t& g : s->groupsOfVar[v]) g = -1;
    }
    for (int cell = 0; cell < 81; ++cell) {
        int open = 0;
        int last = -1;
        for (int d = 0; d < 9; ++d) {
            if (s->varOf[cell][d] < 0) continue;
            ++open;
            last = s->varOf[cell][d];
        }
        s->cellOpen[cell] = static_cast<std::uint8_t>(open);
        if (filled[cell] != 0) continue;
        if (open == 0) s->done = true;
        if (open == 1) unitAtRoot(last);
    }
    for (int unit = 0; unit < 27; ++unit) {
        const int kind = unit / 9;
        for (int d = 0; d < 9; ++d) {
            const int condition = useVar[unit][d];
            if ((mustTake[unit] >> d & 1u) == 0 && condition < 0) continue;
            const int g = s->groupCount++;
            s->groupCondition[g] = static_cast<std::int16_t>(condition);
            if (condition >= 0)
                s->useGroupOf[condition - s->cellVarCount] = static_cast<std::int16_t>(g);
            int size = 0;
            for (int i = 0; i < 9; ++i) {
                const int v = s->varOf[unitCellAt(unit, i)][d];
                if (v < 0) continue;
                s->groupVars[g][size++] = static_cast<std::int16_t>(v);
                s->groupsOfVar[v][kind] = static_cast<std::int16_t>(g);
            }
            for (int i = size; i < 9; ++i) s->groupVars[g][i] = -1;
            s->groupSize[g] = static_cast<std::uint8_t>(size);
            s->groupOpen[g] = static_cast<std::uint8_t>(size);
            if (condition >= 0) continue;
            if (size == 0) s->done = true;
            if (size == 1) unitAtRoot(s->groupVars[g][0]);
        }
    }

    // Each placement in a band lies in one of its rows and one of its boxes, so the two counts
    // are equal; likewise in a stack. Counting by units alone leaves this to resolution, which
    // is slow to find it where most units repeat givens.
    for (int a = 0; a < s->varCount - s->cellVarCount; ++a) {
        s->balancesOfUse[a][0] = -1;
        s->balancesOfUse[a][1] = -1;
    }
    for (int region = 0; region < 6; ++region) {
        int units[6];
        for (int i = 0; i < 3; ++i) {
            const int index = region < 3 ? 3 * region + i : 3 * (region - 3) + i;
            units[i] = region < 3 ? index : 9 + index;
            units[3 + i] = 18 + (region < 3 ? 3 * region + i : (region - 3) + 3 * i);
        }
        for (int d = 0; d < 9; ++d) {
            const int b = 9 * region + d;
            int size = 0;
            int fixed = 0;
            for (int i = 0; i < 6; ++i) {
                const int unit = units[i];
                if (i == 3) s->balanceLines[b] = static_cast<std::uint8_t>(size);
                const int v = useVar[unit][d];
                if (v < 0) {
                    if ((mustTake[unit] >> d & 1u) != 0) fixed += i < 3 ? 1 : -1;
                    continue;
                }
                s->balanceVars[b][size++] = static_cast<std::int16_t>(v);
                std::int16_t* slots = s->balancesOfUse[v - s->cellVarCount];
                slots[slots[0] < 0 ? 0 : 1] = static_cast<std::int16_t>(b);
            }
            s->balanceSize[b] = static_cast<std::uint8_t>(size);
            s->balanceFixed[b] = static_cast<std::int8_t>(fixed);
            for (int side = 0; side < 2; ++side) {
                s->balanceTrue[b][side] = 0;
                s->balanceFalse[b][side] = 0;
            }
            if (!s->done && !s->balanceHolds(b)) s->done = true;
        }
    }
    return true;
}

bool ClauseCounter::countsMatchTrail() const {
    if (state_ == nullptr) return true;
    const State& s = *state_;
    std::uint8_t cellOpen[81];
    std::uint8_t groupOpen[maxGroups];
    std::uint8_t useOpen[27];
    for (int cell = 0; cell < 81; ++cell) {
        cellOpen[cell] = 0;
        for (int d = 0; d < 9; ++d) cellOpen[cell] += s.varOf[cell][d] >= 0;
    }
    for (int g = 0; g < s.groupCount; ++g) groupOpen[g] = s.groupSize[g];
    for (int unit = 0; unit < 27; ++unit) useOpen[unit] = s.useSize[unit];
    for (int i = 0; i < s.propagated; ++i) {
        const int lit = s.trail[i];
        const int v = varOfLit(lit);
        if ((lit & 1) == 0) continue;
        if (v >= s.cellVarCount) {
            --useOpen[s.useUnitOf[v - s.cellVarCount]];
        } else {
            --cellOpen[s.cellOfVar[v]];
            for (const std::int16_t g : s.groupsOfVar[v]) {
                if (g >= 0) --groupOpen[g];
            }
        }
    }
    for (int cell = 0; cell < 81; ++cell) {
        if (cellOpen[cell] != s.cellOpen[cell]) return false;
    }
    for (int g = 0; g < s.groupCount; ++g) {
        if (groupOpen[g] != s.groupOpen[g]) return false;
    }
    for (int unit = 0; unit < 27; ++unit) {
        if (s.useSize[unit] == 0) continue;
        if (useOpen[unit] != s.useOpen[unit]) return false;
    }
    // Each balance, from its variables as the trail holds them.
    for (int b = 0; b < maxBalances; ++b) {
        int counted[2][2] = {};
        for (int i = 0; i < s.balanceSize[b]; ++i) {
            const int u = s.balanceVars[b][i];
            if (s.value[u] == 0 || s.trailPos[u] >= s.propagated) continue;
            ++counted[i < s.balanceLines[b] ? 0 : 1][s.value[u] > 0 ? 0 : 1];
        }
        for (int side = 0; side < 2; ++side) {
            if (counted[side][0] != s.balanceTrue[b][side] ||
                counted[side][1] != s.balanceFalse[b][side])
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
