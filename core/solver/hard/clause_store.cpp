// The stored clauses of the clause counter: the arena that holds them, the watches on their first
// two literals, adding a clause at the root and forgetting learned ones at restarts.
#include "core/solver/hard/clause_state.h"

namespace korvani::solver {

bool ClauseCounter::State::watch(int c) {
    const int* l = lits(c);
    return addWatch(l[0], Watch{c, l[1]}) && addWatch(l[1], Watch{c, l[0]});
}

void ClauseCounter::State::clearWatches() {
    poolSize = 0;
    for (int l = 0; l < 2 * varCount; ++l) {
        watchCount[l] = 0;
        watchRoom[l] = 0;
    }
}

// Stores a clause of two or more literals; noClause when the arena cannot grow.
int ClauseCounter::State::store(const int* from, int size, int flags) {
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

// Adds a clause at level 0 (all its false literals are false there). False when that
// leaves no completion.
bool ClauseCounter::State::addAtRoot(int* from, int size, int flags) {
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

// At level 0: forgets the learned clauses of the wider half of block distances beyond two,
// then packs the arena and links the watches again.
void ClauseCounter::State::forgetLearned() {
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

} // namespace korvani::solver
