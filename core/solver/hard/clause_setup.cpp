// Setting up the clause counter from a board: its variables, what each excludes, the digits
// units use, the groups and the region digits, with what already holds at the root.
#include "core/solver/hard/clause_state.h"

#include "core/solver/tables.h"

namespace korvani::solver {

// The cell variables, each cell's packed, and what each excludes when true.
void ClauseCounter::State::addCellVars(const RootCounts& root) {
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
void ClauseCounter::State::addUseVars(const RootCounts& root, int unit) {
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

void ClauseCounter::State::clearAssignment() {
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
void ClauseCounter::State::setAtRoot(int v) {
    if (value[v] == 0) assign(2 * v, decided);
}

void ClauseCounter::State::countCells() {
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
void ClauseCounter::State::addGroups(int unit) {
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
void ClauseCounter::State::addRegionDigits() {
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

void ClauseCounter::State::addRegionDigit(int b, const int units[6], int d) {
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

} // namespace korvani::solver
