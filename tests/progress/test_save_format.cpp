// The save file's bytes: the worked example of 228 bytes, the field offsets and byte order, and
// write-then-read round trips through a real file.
#include "files/atomic_file.h"
#include "progress/progress_records.h"
#include "progress/save_file.h"
#include "save_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvani {
namespace {

using testing::Bytes;
using testing::LoadedStore;
using testing::ScratchFolder;

constexpr std::uint32_t exampleKey = 0xC9B4C048;

// A grid of the player's digits that uses every byte value 0 to 9 in a fixed pattern.
CellGrid sampleGrid() {
    CellGrid grid{};
    for (int i = 0; i < 81; ++i) grid[i] = static_cast<std::uint8_t>((i * 7) % 10);
    return grid;
}

// The example: puzzle 0 of easy.dat cleared in 75 s, quit after 130 s on puzzle 3, one record.
Bytes exampleBytes() {
    Bytes bytes(228, 0);
    std::memcpy(bytes.data(), "easy.dat", 8);
    bytes[64] = 0x01;
    bytes[68] = 0x03;
    bytes[72] = 0x01;
    bytes[76] = 0x82;
    const CellGrid grid = sampleGrid();
    for (int i = 0; i < 81; ++i) bytes[80 + i] = grid[i];
    bytes[164] = 0x48;
    bytes[165] = 0xC0;
    bytes[166] = 0xB4;
    bytes[167] = 0xC9;
    bytes[168] = 0x4B;
    return bytes;
}

void fillExampleStore(LoadedStore& loaded) {
    ProgressStore& store = loaded.store;
    std::strcpy(store.header.problemFileName, "easy.dat");
    store.header.currentProblemIndex = 3;
    loaded.record().fileKey = exampleKey;
    loaded.record().clearSeconds[0] = 75;
    storeGameInHeader(store.header, sampleGrid(), 130, true);
}

Bytes encode(const ProgressStore& store) {
    Bytes bytes(saveFileSize(store));
    encodeSaveFile(store, bytes.data());
    return bytes;
}

TEST(SaveFormat, WorkedExampleIsWrittenByteForByte) {
    LoadedStore loaded(5, 1, 0);
    fillExampleStore(loaded);
    EXPECT_EQ(saveFileSize(loaded.store), 228u);
    EXPECT_EQ(encode(loaded.store), exampleBytes());
}

TEST(SaveFormat, WorkedExampleReadsBackIntoEveryField) {
    const Bytes bytes = exampleBytes();
    ProgressStore store;
    decodeSaveFile(store, bytes.data(), bytes.size());
    EXPECT_STREQ(store.header.problemFileName, "easy.dat");
    EXPECT_EQ(store.header.currentProblemIndex, 3);
    EXPECT_EQ(store.header.savedGameFlag, 1);
    EXPECT_EQ(store.header.savedElapsedSeconds, 130);
    EXPECT_EQ(store.header.savedUserGrid, sampleGrid());
    ASSERT_EQ(store.records.size(), 1u);
    EXPECT_EQ(store.records[0].fileKey, exampleKey);
    EXPECT_EQ(store.records[0].clearSeconds[0], 75);
    for (int i = 1; i < maxProblemsPerFile; ++i) EXPECT_EQ(store.records[0].clearSeconds[i], 0);
}

TEST(SaveFormat, IntegersAreLittleEndianAtTheirOffsets) {
    SaveHeader header{};
    header.currentProblemIndex = -2;
    header.savedGameFlag = -1;
    header.savedElapsedSeconds = 0x7FFFFFFF;
    header.padding[0] = 0xAA;
    header.padding[2] = 0xCC;
    std::uint8_t out[saveHeaderSize];
    encodeSaveHeader(header, 0x04030201, out);
    const std::uint8_t count[] = {0x01, 0x02, 0x03, 0x04};
    const std::uint8_t minusTwo[] = {0xFE, 0xFF, 0xFF, 0xFF};
    const std::uint8_t minusOne[] = {0xFF, 0xFF, 0xFF, 0xFF};
    const std::uint8_t largest[] = {0xFF, 0xFF, 0xFF, 0x7F};
    EXPECT_EQ(std::memcmp(out + 64, count, 4), 0);
    EXPECT_EQ(std::memcmp(out + 68, minusTwo, 4), 0);
    EXPECT_EQ(std::memcmp(out + 72, minusOne, 4), 0);
    EXPECT_EQ(std::memcmp(out + 76, largest, 4), 0);
    EXPECT_EQ(out[161], 0xAA);
    EXPECT_EQ(out[162], 0x00);
    EXPECT_EQ(out[163], 0xCC);

    ProgressRecord record{};
    record.fileKey = 0x80000001u;
    record.clearSeconds[0] = -1;
    record.clearSeconds[29] = 0x1234;
    std::uint8_t recordBytes[progressRecordSize];
    encodeProgressRecord(record, recordBytes);
    EXPECT_EQ(recordBytes[0], 0x01);
    EXPECT_EQ(recordBytes[3], 0x80);
    EXPECT_EQ(recordBytes[4], 0xFF);
    EXPECT_EQ(recordBytes[5], 0xFF);
    EXPECT_EQ(recordBytes[62], 0x34);
    EXPECT_EQ(recordBytes[63], 0x12);
}

TEST(SaveFormat, HeaderBytesSurviveARoundTripUnchanged) {
    // Every byte of the header, the name's tail after its NUL and the padding included, is
    // held in memory exactly as read and written back as it was.
    std::uint8_t in[saveHeaderSize];
    for (std::size_t i = 0; i < saveHeaderSize; ++i) in[i] = static_cast<std::uint8_t>(i * 37 + 11);
    SaveHeader header{};
    const std::int32_t recordCount = decodeSaveHeader(in, header);
    std::uint8_t out[saveHeaderSize];
    encodeSaveHeader(header, recordCount, out);
    EXPECT_EQ(std::memcmp(in, out, saveHeaderSize), 0);
}

// Every field of two stores that a save file carries.
void expectSameProgress(const ProgressStore& a, const ProgressStore& b) {
    EXPECT_EQ(std::memcmp(a.header.problemFileName, b.header.problemFileName, 64), 0);
    EXPECT_EQ(a.header.currentProblemIndex, b.header.currentProblemIndex);
    EXPECT_EQ(a.header.savedGameFlag, b.header.savedGameFlag);
    EXPECT_EQ(a.header.savedElapsedSeconds, b.header.savedElapsedSeconds);
    EXPECT_EQ(a.header.savedUserGrid, b.header.savedUserGrid);
    EXPECT_EQ(std::memcmp(a.header.padding, b.header.padding, 3), 0);
    ASSERT_EQ(a.records.size(), b.records.size());
    for (std::size_t r = 0; r < a.records.size(); ++r) {
        EXPECT_EQ(a.records[r].fileKey, b.records[r].fileKey) << "record " << r;
        for (int i = 0; i < maxProblemsPerFile; ++i) {
            EXPECT_EQ(a.records[r].clearSeconds[i], b.records[r].clearSeconds[i])
                << "record " << r << " puzzle " << i;
        }
    }
}

TEST(SaveFormat, WrittenFileReadsBackIntoAFreshStoreWithEveryField) {
    ScratchFolder folder;
    LoadedStore loaded(30, 3, 1);
    ProgressStore& store = loaded.store;
    std::strcpy(store.savePath, folder.file("korvani.sav").string().c_str());
    std::strcpy(store.header.problemFileName, "hard puzzles.dat");
    store.header.problemFileName[40] = 'x'; // bytes after the terminator travel too
    store.header.currentProblemIndex = 29;
    store.header.padding[1] = 7;
    for (int r = 0; r < 3; ++r) {
        store.records[r].fileKey = 0xFFFFFFF0u + r;
        for (int i = 0; i < maxProblemsPerFile; ++i) {
            store.records[r].clearSeconds[i] = static_cast<std::int16_t>(r * 1000 + i * 97 - 5);
        }
    }
    storeGameInHeader(store.header, sampleGrid(), 3599, true);
    ASSERT_TRUE(writeSaveFile(store, writeFileAtomically));
    EXPECT_EQ(testing::readBytes(folder.file("korvani.sav")).size(), 164u + 3 * 64);

    ProgressStore fresh;
    ASSERT_EQ(readSaveFile(fresh, store.savePath), SaveFileRead::read);
    expectSameProgress(store, fresh);
}

TEST(SaveFormat, ClearTimeRecordedJustBeforeExitIsOnDisk) {
    ScratchFolder folder;
    LoadedStore loaded(10, 2, 1);
    ProgressStore& store = loaded.store;
    std::strcpy(store.savePath, folder.file("np.sav").string().c_str());
    std::strcpy(store.header.problemFileName, "easy.dat");
    ASSERT_TRUE(writeSaveFile(store, writeFileAtomically));

    // The puzzle is solved, and the program ends at once.
    store.header.currentProblemIndex = 6;
    recordClearTime(store, 412);
    storeGameInHeader(store.header, sampleGrid(), 412, false);
    ASSERT_TRUE(writeSaveFile(store, writeFileAtomically));

    ProgressStore fresh;
    ASSERT_EQ(readSaveFile(fresh, store.savePath), SaveFileRead::read);
    ASSERT_EQ(fresh.records.size(), 2u);
    EXPECT_EQ(fresh.records[1].clearSeconds[6], 412);
    EXPECT_EQ(fresh.header.savedGameFlag, -1);
    EXPECT_EQ(fresh.header.currentProblemIndex, 6);
}

TEST(SaveFormat, ErasedTimesAreSavedAsZeroUnderTheSameKey) {
    ScratchFolder folder;
    LoadedStore loaded(30, 2, 0);
    ProgressStore& store = loaded.store;
    std::strcpy(store.savePath, folder.file("np.sav").string().c_str());
    for (int i = 0; i < maxProblemsPerFile; ++i) {
        store.records[0].clearSeconds[i] = static_cast<std::int16_t>(i + 1);
        store.records[1].clearSeconds[i] = static_cast<std::int16_t>(i + 100);
    }
    clearRecordTimes(store);
    ASSERT_TRUE(writeSaveFile(store, writeFileAtomically));

    ProgressStore fresh;
    ASSERT_EQ(readSaveFile(fresh, store.savePath), SaveFileRead::read);
    ASSERT_EQ(fresh.records.size(), 2u);
    EXPECT_EQ(fresh.records[0].fileKey, store.records[0].fileKey);
    for (int i = 0; i < maxProblemsPerFile; ++i) {
        EXPECT_EQ(fresh.records[0].clearSeconds[i], 0);
        EXPECT_EQ(fresh.records[1].clearSeconds[i], i + 100);
    }
}

TEST(SaveFormat, NothingIsWrittenWithoutASavePath) {
    // The executable's path could not give one.
    ProgressStore pathless;
    EXPECT_FALSE(writeSaveFile(pathless, writeFileAtomically));
}

TEST(SaveFormat, AFailedWriterIsReportedAsAFailure) {
    LoadedStore loaded(1, 1, 0);
    std::strcpy(loaded.store.savePath, "unused.sav");
    const SaveFileWriter failing = [](const char*, const void*, std::size_t) { return false; };
    EXPECT_FALSE(writeSaveFile(loaded.store, failing));
}

} // namespace
} // namespace korvani
