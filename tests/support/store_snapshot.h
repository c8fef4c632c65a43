// The progress store as a failed load must leave it: the header, the same records, the puzzles
// and the current indices.
#pragma once

#include "progress/progress_store.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvani::test {

struct StoreSnapshot {
    ProgressStore copy;

    explicit StoreSnapshot(const ProgressStore& store) : copy(store) {}

    void expectSame(const ProgressStore& store) const {
        EXPECT_EQ(std::memcmp(&copy.header, &store.header, sizeof store.header), 0);
        EXPECT_EQ(store.records, copy.records);
        EXPECT_EQ(std::memcmp(copy.problems, store.problems, sizeof store.problems), 0);
        EXPECT_EQ(store.problemCount, copy.problemCount);
        EXPECT_EQ(store.currentRecordIndex, copy.currentRecordIndex);
    }
};

} // namespace korvani::test
