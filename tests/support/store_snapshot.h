// The progress store as a failed load must leave it: the header, the same record table with the
// same bytes, the puzzles and the current indices.
#pragma once

#include "progress/progress_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace korvani::test {

struct StoreSnapshot {
    ProgressStore copy;
    std::vector<ProgressRecord> records;

    explicit StoreSnapshot(const ProgressStore& store) : copy(store) {
        if (store.records != nullptr && store.header.recordCount > 0)
            records.assign(store.records, store.records + store.header.recordCount);
    }

    void expectSame(const ProgressStore& store) const {
        EXPECT_EQ(std::memcmp(&copy.header, &store.header, sizeof store.header), 0);
        EXPECT_EQ(store.records, copy.records);
        ASSERT_EQ(store.header.recordCount, copy.header.recordCount);
        if (!records.empty()) {
            EXPECT_EQ(
                std::memcmp(records.data(), store.records, records.size() * sizeof(ProgressRecord)),
                0);
        }
        EXPECT_EQ(std::memcmp(copy.problems, store.problems, sizeof store.problems), 0);
        EXPECT_EQ(store.problemCount, copy.problemCount);
        EXPECT_EQ(store.currentRecordIndex, copy.currentRecordIndex);
    }
};

} // namespace korvani::test
