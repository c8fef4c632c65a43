// The state of the clause counter, shared by its files (clause_*.cpp, one idea each): clause
// learning over "cell c holds digit d" variables, one for each empty cell and each of its
// candidates, and "unit u uses digit d" variables for loose units.
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
#pragma once

#include "core/solver/hard/clause_counter.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace korvani::solver {

inline constexpr int maxCellVars = 729;
inline constexpr int maxUseVars = 27 * 9;
inline constexpr int maxVars = maxCellVars + maxUseVars;
inline constexpr int maxLits = 2 * maxVars;
inline constexpr int noClause = -1;
inline constexpr int maxGroups = 27 * 9;
inline constexpr int maxRegionDigits = 6 * 9;

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

inline constexpr Reason decided{ReasonKind::decision, 0};

// Clause layout in the arena: size, flags (bit 0 learned; the literal block distance from bit
// 2 on), then the literals.
inline constexpr int headerSize = 2;
inline constexpr int arenaFirstCapacity = 1 << 12;
inline constexpr int arenaMaxCapacity = 1 << 22;
inline constexpr int learnedRoomBase = 2000;
inline constexpr int watchFirstCapacity = 1 << 12;
inline constexpr int watchMaxCapacity = 1 << 22;

struct Watch {
    int clause;
    int blocker;
};

inline int varOfLit(int lit) {
    return lit >> 1;
}
inline int negate(int lit) {
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

    // Propagation (clause_propagation.cpp)
    bool propagate();
    bool propagateUse(int p);
    bool propagateCellFalse(int v);
    bool propagateCellTrue(int p);
    bool propagateWatches(int falseLit);
    bool atLeastOne(const std::int16_t* vars, int size, int left, Reason why, int extra = -1);
    bool groupActs(int g);
    bool useCountHolds(int unit);
    bool regionHolds(int b);
    bool implyTrue(int trueLit, int u);
    bool implyFalse(int trueLit, int u);
    void uncount(int lit);
    void backjump(int to);

    // Conflict analysis (clause_learning.cpp)
    int builtInLits(const std::int16_t* vars, int size, int v, int* out);
    int reasonLits(int v, int* out);
    int clauseReasonLits(int c, int v, int* out);
    int groupReasonLits(int g, int v, int* out);
    int useCountReasonLits(int unit, int v, int* out);
    int regionReasonLits(int b, int v, int* out);
    int analyze(int& backLevel);
    int minimizeLearnt(int n);
    int blockDistance(int n);

    // Stored clauses (clause_store.cpp)
    bool watch(int c);
    void clearWatches();
    int store(const int* from, int size, int flags);
    bool addAtRoot(int* from, int size, int flags);
    void forgetLearned();

    // The search loop and counting (clause_search.cpp)
    bool search(long long budget);
    bool learnFromConflict();
    int branchVariable();
    bool countCompletion();
    void recordCompletion();

    // Setting up, in this order (clause_setup.cpp)
    void addCellVars(const RootCounts& root);
    void addUseVars(const RootCounts& root, int unit);
    void clearAssignment();
    void setAtRoot(int v);
    void countCells();
    void addGroups(int unit);
    void addRegionDigits();
    void addRegionDigit(int b, const int units[6], int d);
};

} // namespace korvani::solver
