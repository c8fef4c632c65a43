// The records log and the statistics: the round trip, every cut and damaged record losing only
// itself, the append beside the save file that leaves the save file alone, and the statistics of
// a known list.
#include "progress/play_statistics.h"
#include "progress/records_log.h"

#include "files/atomic_file.h"
#include "tests/progress/save_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvani {
namespace {

using testing::Bytes;

std::vector<ClearRecord> listOf(const ClearRecordList& list) {
    return std::vector<ClearRecord>(list.records, list.records + list.count);
}

std::vector<ClearRecord> sampleRecords() {
    return {{0xDEADBEEFu, 0, 1, 0, 75, 1700000000},
            {0x01020304u, 29, 10, clearUsedHint, 3599, -1},
            {0xDEADBEEFu, 7, -56, clearUsedHint | clearPlacedWrong, 0, 0x7FFFFFFFFFFFFFFF}};
}

Bytes encodedLog(const std::vector<ClearRecord>& records) {
    Bytes bytes(recordsLogSize(records.size()));
    encodeRecordsLog(records.data(), records.size(), bytes.data());
    return bytes;
}

std::vector<ClearRecord> decoded(const Bytes& bytes, std::size_t size) {
    ClearRecordList list;
    EXPECT_TRUE(decodeRecordsLog(bytes.data(), size, list));
    std::vector<ClearRecord> records = listOf(list);
    releaseClearRecords(list);
    return records;
}

TEST(RecordsLog, RoundTripAndEveryCutKeepsTheWholeRecordsBeforeIt) {
    const std::vector<ClearRecord> records = sampleRecords();
    const Bytes bytes = encodedLog(records);
    ASSERT_EQ(bytes.size(), 8u + 3 * 24);
    EXPECT_EQ(std::memcmp(bytes.data(), "KVLG\1\0\0\0", 8), 0);
    EXPECT_EQ(decoded(bytes, bytes.size()), records);

    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const std::size_t whole = size < 8 ? 0 : (size - 8) / 24;
        const std::vector<ClearRecord> expected(records.begin(), records.begin() + whole);
        EXPECT_EQ(decoded(bytes, size), expected) << "cut at " << size;
    }
}

TEST(RecordsLog, ADamagedRecordLosesOnlyItselfAndABadHeaderEverything) {
    const std::vector<ClearRecord> records = sampleRecords();
    const Bytes bytes = encodedLog(records);
    for (std::size_t at = 8; at < bytes.size(); ++at) {
        Bytes damaged = bytes;
        damaged[at] ^= 0x41;
        std::vector<ClearRecord> expected = records;
        expected.erase(expected.begin() + static_cast<long>((at - 8) / 24));
        EXPECT_EQ(decoded(damaged, damaged.size()), expected) << "byte " << at;
    }
    for (std::size_t at = 0; at < 8; ++at) {
        Bytes damaged = bytes;
        damaged[at] ^= 0x41;
        EXPECT_TRUE(decoded(damaged, damaged.size()).empty()) << "header byte " << at;
    }
    // A record whose checksum fits but whose fields are out of range is dropped as well.
    ClearRecord outOfRange = records[0];
    Bytes one = encodedLog({outOfRange});
    one[8 + 4] = 30; // puzzle index 30
    ClearRecord ignored;
    EXPECT_FALSE(decodeClearRecord(one.data() + 8, ignored));
}

TEST(RecordsLog, EachClearIsAppendedBesideTheSaveFileWhichStaysAsItWas) {
    testing::ScratchFolder folder;
    ProgressStore store;
    const std::string exe = folder.file("np.exe").string();
    ASSERT_TRUE(deriveSavePath(store, exe.c_str(), exe.size()));
    const Bytes saveBytes = {1, 2, 3};
    testing::writeBytes(folder.file("np.sav"), saveBytes);
    char path[savePathCapacity];
    ASSERT_TRUE(deriveRecordsLogPath(store.savePath, path, sizeof path));
    EXPECT_EQ(std::string(path), folder.file("np.log").string());

    const std::vector<ClearRecord> records = sampleRecords();
    for (const ClearRecord& record : records)
        ASSERT_TRUE(appendClearRecord(store, record, writeFileAtomically));
    EXPECT_EQ(testing::readBytes(folder.file("np.log")), encodedLog(records));
    EXPECT_EQ(testing::readBytes(folder.file("np.sav")), saveBytes);

    // A cut tail loses only itself, and the next clear goes on after the records that remain.
    Bytes cut = encodedLog(records);
    cut.resize(cut.size() - 5);
    testing::writeBytes(folder.file("np.log"), cut);
    ASSERT_TRUE(appendClearRecord(store, records[0], writeFileAtomically));
    ClearRecordList list;
    ASSERT_TRUE(readRecordsLog(path, list));
    EXPECT_EQ(listOf(list), (std::vector<ClearRecord>{records[0], records[1], records[0]}));
    releaseClearRecords(list);

    // A writer that fails leaves the log as it was.
    const Bytes before = testing::readBytes(folder.file("np.log"));
    EXPECT_FALSE(appendClearRecord(store, records[1],
                                   [](const char*, const void*, std::size_t) { return false; }));
    EXPECT_EQ(testing::readBytes(folder.file("np.log")), before);
}

TEST(PlayStatistics, CountedPerGradeAndInTotalWithTheSaveFilesOlderClears) {
    // Grade 3: 60, 90, 200 s and 100 s from the save file only; grade 10 once; grade -56 (a
    // damaged difficulty) only in the total.
    const std::vector<ClearRecord> log = {
        {0xA, 0, 3, 0, 90, 1},
        {0xA, 1, 3, clearUsedHint, 60, 2},
        {0xA, 0, 3, clearPlacedWrong, 200, 3},
        {0xB, 4, 10, 0, 1000, 4},
        {0xB, 5, -56, clearUsedHint | clearPlacedWrong, 7, 5},
    };
    ClearRecordList list;
    ASSERT_TRUE(decodeRecordsLog(encodedLog(log).data(), recordsLogSize(log.size()), list));
    ProgressRecord save[2] = {};
    save[0].fileKey = 0xA;
    save[0].clearSeconds[0] = 200; // known to the log: not counted twice
    save[0].clearSeconds[2] = 100; // from before the log: grade 3 by the file
    save[1].fileKey = 0xC;
    save[1].clearSeconds[0] = 50; // a file not at hand: only in the total
    ProblemFileGrades files[1];
    files[0].key = 0xA;
    files[0].problemCount = 3;
    files[0].grades[0] = files[0].grades[1] = files[0].grades[2] = 3;

    PlayStatistics statistics;
    ASSERT_TRUE(computePlayStatistics(list, save, 2, files, 1, statistics));
    releaseClearRecords(list);
    EXPECT_EQ(statistics.byGrade[3], (GradeStatistics{4, 60, 113, 95, 2, 2}));
    EXPECT_EQ(statistics.byGrade[10], (GradeStatistics{1, 1000, 1000, 1000, 1, 1}));
    EXPECT_EQ(statistics.byGrade[1], GradeStatistics{});
    EXPECT_EQ(statistics.total, (GradeStatistics{7, 7, 215, 90, 3, 3}));

    EXPECT_EQ(clearedPuzzleCount(save, 2, 0xA, 3), 2);
    EXPECT_EQ(clearedPuzzleCount(save, 2, 0xA, 2), 1);
    EXPECT_EQ(clearedPuzzleCount(save, 2, 0xD, 30), 0);

    char line[statisticsLineSize];
    formatStatisticsLine(3, statistics.byGrade[3], line);
    EXPECT_STREQ(line, "難易度 3\t4\t1:00\t1:53\t1:35\t2\t2");
    formatStatisticsLine(1, statistics.byGrade[1], line);
    EXPECT_STREQ(line, "難易度 1\t0\t－\t－\t－\t0\t0");
    formatStatisticsLine(0, statistics.total, line);
    EXPECT_STREQ(line, "合計\t7\t0:07\t3:35\t1:30\t3\t3");
}

} // namespace
} // namespace korvani
