// Damaged save files: cut at every length, counts that do not match the bytes, and problem-file
// names that cannot name a file beside the executable. None may crash, allocate from a stored
// count, or lose a record that is present whole.
#include "progress/save_file.h"
#include "save_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvani {
namespace {

using testing::Bytes;
using testing::ScratchFolder;

constexpr int fullRecords = 3;

ProgressRecord sampleRecord(int r) {
    ProgressRecord record{};
    record.fileKey = 0xA0B0C0D0u + static_cast<std::uint32_t>(r);
    for (int i = 0; i < maxProblemsPerFile; ++i) {
        record.clearSeconds[i] = static_cast<std::int16_t>(100 * r + i + 1);
    }
    return record;
}

// A complete file of the header and `records` records whose header says `storedCount`, with a
// distinct byte in every header position so that a misplaced byte shows.
Bytes sampleFile(int records, std::int32_t storedCount) {
    SaveHeader header{};
    std::uint8_t raw[saveHeaderSize];
    for (std::size_t i = 0; i < saveHeaderSize; ++i) raw[i] = static_cast<std::uint8_t>(i + 1);
    decodeSaveHeader(raw, header);
    Bytes bytes(saveHeaderSize + progressRecordSize * records);
    encodeSaveHeader(header, storedCount, bytes.data());
    for (int r = 0; r < records; ++r) {
        encodeProgressRecord(sampleRecord(r),
                             bytes.data() + saveHeaderSize + progressRecordSize * r);
    }
    return bytes;
}

struct Decoded {
    ProgressStore store;
    Decoded(const Bytes& bytes, std::size_t length) { decodeSaveFile(store, bytes.data(), length); }
};

void expectRecordsAsWritten(const ProgressStore& store, int count) {
    ASSERT_EQ(store.records.size(), static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r) {
        const ProgressRecord expected = sampleRecord(r);
        EXPECT_EQ(store.records[r].fileKey, expected.fileKey) << "record " << r;
        EXPECT_EQ(std::memcmp(store.records[r].clearSeconds, expected.clearSeconds,
                              sizeof expected.clearSeconds),
                  0)
            << "record " << r;
    }
}

TEST(DamagedSave, EveryCutLengthFrom0To300KeepsWhatArrivedWhole) {
    const Bytes full = sampleFile(fullRecords, fullRecords);
    ASSERT_GE(full.size(), 301u);
    for (std::size_t length = 0; length <= 300; ++length) {
        SCOPED_TRACE(length);
        Decoded decoded(full, length);
        // The header holds the bytes that arrived and zero beyond them.
        std::uint8_t header[saveHeaderSize];
        encodeSaveHeader(decoded.store.header, 0, header);
        for (std::size_t i = 0; i < saveHeaderSize; ++i) {
            if (i >= 64 && i < 68) continue; // the count is the table's
            const std::uint8_t expected = i < length ? full[i] : 0;
            ASSERT_EQ(header[i], expected) << "header byte " << i;
        }
        const std::size_t whole =
            length > saveHeaderSize ? (length - saveHeaderSize) / progressRecordSize : 0;
        // A count cut short reads as a smaller number; the records present still count.
        std::int32_t stored = 0;
        for (std::size_t i = 64; i < 68 && i < length; ++i) stored |= full[i] << (8 * (i - 64));
        const std::size_t expected = std::min<std::size_t>(whole, static_cast<std::size_t>(stored));
        expectRecordsAsWritten(decoded.store, static_cast<int>(expected));
    }
}

TEST(DamagedSave, EmptyFileGivesAnAllZeroHeaderAndNoRecords) {
    const Bytes none;
    Decoded decoded(none, 0);
    const SaveHeader zero{};
    EXPECT_EQ(std::memcmp(&decoded.store.header, &zero, sizeof zero), 0);
    EXPECT_TRUE(decoded.store.records.empty());
    // savedGameFlag 0 would mean a stored game, but the empty name cannot be loaded.
    EXPECT_FALSE(problemFileNameUsable(decoded.store.header));
}

TEST(DamagedSave, HeaderOnlyFileWithCountZeroHasNoRecords) {
    const Bytes bytes = sampleFile(0, 0);
    ASSERT_EQ(bytes.size(), 164u);
    Decoded decoded(bytes, bytes.size());
    expectRecordsAsWritten(decoded.store, 0);
    std::uint8_t header[saveHeaderSize];
    encodeSaveHeader(decoded.store.header, 0, header);
    EXPECT_EQ(std::memcmp(header, bytes.data(), saveHeaderSize), 0);
}

TEST(DamagedSave, HugeCountReadsOnlyTheRecordsPresent) {
    // 0x7FFFFFFF records would be 128 GiB; the table grows only with bytes that arrive.
    const Bytes bytes = sampleFile(2, 0x7FFFFFFF);
    Decoded decoded(bytes, bytes.size());
    expectRecordsAsWritten(decoded.store, 2);
}

TEST(DamagedSave, NegativeCountKeepsEveryWholeRecord) {
    for (std::int32_t count : {-1, -64, static_cast<std::int32_t>(0x80000000u)}) {
        SCOPED_TRACE(count);
        const Bytes bytes = sampleFile(3, count);
        Decoded decoded(bytes, bytes.size());
        expectRecordsAsWritten(decoded.store, 3);
    }
}

TEST(DamagedSave, CountBelowTheRecordsPresentIsBelieved) {
    // The file says one record follows; what lies beyond it is not part of the table.
    const Bytes bytes = sampleFile(3, 1);
    Decoded decoded(bytes, bytes.size());
    expectRecordsAsWritten(decoded.store, 1);
}

TEST(DamagedSave, TrailingPartOfARecordIsDropped) {
    Bytes bytes = sampleFile(3, 3);
    bytes.resize(bytes.size() - 1);
    Decoded decoded(bytes, bytes.size());
    expectRecordsAsWritten(decoded.store, 2);
}

TEST(DamagedSave, ManyRecordsAreReadAcrossBatches) {
    constexpr int many = 1000;
    for (std::int32_t stored : {many, 0x7FFFFFFF, 700}) {
        SCOPED_TRACE(stored);
        const Bytes bytes = sampleFile(many, stored);
        Decoded decoded(bytes, bytes.size());
        expectRecordsAsWritten(decoded.store, std::min(many, stored));
    }
}

TEST(DamagedSave, ReadingAgainReplacesTheEarlierTable) {
    ProgressStore store;
    const Bytes three = sampleFile(3, 3);
    decodeSaveFile(store, three.data(), three.size());
    const Bytes one = sampleFile(1, 1);
    decodeSaveFile(store, one.data(), one.size());
    expectRecordsAsWritten(store, 1);
}

TEST(DamagedSave, MissingFileLeavesTheStoreUntouched) {
    ScratchFolder folder;
    ProgressStore store;
    std::strcpy(store.header.problemFileName, "keep.dat");
    EXPECT_EQ(readSaveFile(store, folder.file("absent.sav").string().c_str()),
              SaveFileRead::missing);
    EXPECT_STREQ(store.header.problemFileName, "keep.dat");
}

TEST(DamagedSave, FileReaderAgreesWithTheMemoryReader) {
    ScratchFolder folder;
    const Bytes full = sampleFile(3, 0x7FFFFFFF);
    for (std::size_t length : {0u, 100u, 164u, 200u, 228u, 292u, 355u, 356u}) {
        SCOPED_TRACE(length);
        testing::writeBytes(folder.file("cut.sav"), Bytes(full.begin(), full.begin() + length));
        ProgressStore fromFile;
        ASSERT_EQ(readSaveFile(fromFile, folder.file("cut.sav").string().c_str()),
                  SaveFileRead::read);
        Decoded fromMemory(full, length);
        EXPECT_EQ(std::memcmp(&fromFile.header, &fromMemory.store.header, sizeof(SaveHeader)), 0);
        EXPECT_EQ(fromFile.records, fromMemory.store.records);
    }
}

SaveHeader headerNamed(const char* bytes, std::size_t length) {
    SaveHeader header{};
    std::memcpy(header.problemFileName, bytes, length);
    return header;
}

TEST(DamagedSave, ProblemFileNamesThatCannotNameAFileBesideTheExecutable) {
    EXPECT_TRUE(problemFileNameUsable(headerNamed("easy.dat", 8)));
    EXPECT_TRUE(problemFileNameUsable(headerNamed("a b.c.dat", 9)));
    // 63 characters and the terminator.
    const std::string longest(63, 'n');
    EXPECT_TRUE(problemFileNameUsable(headerNamed(longest.c_str(), 63)));
    // No terminator within the 64 bytes: the name would run into the count.
    const std::string unterminated(64, 'n');
    EXPECT_FALSE(problemFileNameUsable(headerNamed(unterminated.c_str(), 64)));
    EXPECT_FALSE(problemFileNameUsable(headerNamed("", 0)));
    EXPECT_FALSE(problemFileNameUsable(headerNamed("..\\secret.dat", 13)));
    EXPECT_FALSE(problemFileNameUsable(headerNamed("sub/easy.dat", 12)));
    EXPECT_FALSE(problemFileNameUsable(headerNamed("C:easy.dat", 10)));
}

TEST(DamagedSave, DoubleByteNamesAndPathsAreNotCutAtTheirSecondByte) {
    // 表 is 95 5C in code page 932: its second byte is the byte of '\'.
    const char name[] = "\x95\x5C.dat";
    ASSERT_EQ(static_cast<unsigned char>(name[1]), 0x5C);
    EXPECT_TRUE(problemFileNameUsable(headerNamed(name, sizeof name - 1)));

    const char path[] = "C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.exe"; // C:\ソフト\表.exe
    ProgressStore store;
    ASSERT_TRUE(deriveSavePath(store, path, sizeof path - 1));
    EXPECT_EQ(store.dirPrefixLength, 10); // "C:\" + ソフト (83 5C 83 74 83 67) + "\"
    EXPECT_STREQ(store.savePath, "C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.sav");
}

} // namespace
} // namespace korvani
