// The notes file: the round trip, every cut and every damaged byte rejected, a file of another
// game ignored, and the write and read beside a save file.
#include "progress/notes_file.h"

#include "../progress/save_test_support.h"
#include "files/atomic_file.h"
#include "progress/records_log.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvani {
namespace {

using testing::Bytes;

NotesFile sampleFile() {
    NotesFile file;
    file.fileKey = 0x89ABCDEFu;
    file.problemIndex = 29;
    for (int cell = 0; cell < 81; ++cell) {
        if (cell % 3 == 0)
            file.userGrid[cell] = static_cast<std::uint8_t>(1 + cell % 9);
        else
            file.notes[cell] = static_cast<DigitMask>((cell * 37) & allDigits);
    }
    file.notes[1] = allDigits;
    return file;
}

bool sameFile(const NotesFile& a, const NotesFile& b) {
    return a.fileKey == b.fileKey && a.problemIndex == b.problemIndex && a.userGrid == b.userGrid &&
           a.notes == b.notes && a.flags == b.flags;
}

Bytes encoded(const NotesFile& file) {
    Bytes bytes(encodedNotesFileSize(file));
    encodeNotesFile(file, bytes.data());
    return bytes;
}

class NotesFileFlags : public ::testing::TestWithParam<std::uint32_t> {};

// Without flags the file is version 1, 263 bytes; a paused game or one whose clear is marked
// (hint, wrong digit) is version 2 with its flags.
INSTANTIATE_TEST_SUITE_P(NotesFile, NotesFileFlags,
                         ::testing::Values(0u, notesFlagPaused,
                                           std::uint32_t{clearUsedHint | clearPlacedWrong}));

TEST_P(NotesFileFlags, RoundTripAndEveryCutOrDamagedByteIsRejected) {
    NotesFile original = sampleFile();
    original.flags = GetParam();
    const Bytes bytes = encoded(original);
    ASSERT_EQ(bytes.size(), GetParam() == 0 ? notesFileSize : notesFileWithFlagsSize);
    EXPECT_EQ(bytes[4], GetParam() == 0 ? 1 : 2) << "version";
    NotesFile decoded;
    ASSERT_TRUE(decodeNotesFile(bytes.data(), bytes.size(), decoded));
    EXPECT_TRUE(sameFile(decoded, original));

    const NotesFile untouched = decoded;
    for (std::size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(decodeNotesFile(bytes.data(), size, decoded)) << "prefix of " << size;
    Bytes longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(decodeNotesFile(longer.data(), longer.size(), decoded));
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        Bytes damaged = bytes;
        damaged[at] ^= 0x5A;
        EXPECT_FALSE(decodeNotesFile(damaged.data(), damaged.size(), decoded)) << "byte " << at;
    }
    EXPECT_TRUE(sameFile(decoded, untouched)) << "a rejected file leaves the result alone";
}

TEST(NotesFile, WellFormedFilesOutOfRangeAreRejected) {
    NotesFile noteOnDigit = sampleFile();
    noteOnDigit.notes[0] = 1; // cell 0 holds a placed digit
    NotesFile wideMask = sampleFile();
    wideMask.notes[1] = 0x200;
    NotesFile badIndex = sampleFile();
    badIndex.problemIndex = 30;
    NotesFile unknownFlag = sampleFile();
    unknownFlag.flags = 0x200;
    NotesFile decoded;
    for (const NotesFile& file : {noteOnDigit, wideMask, badIndex, unknownFlag}) {
        const Bytes bytes = encoded(file);
        EXPECT_FALSE(decodeNotesFile(bytes.data(), bytes.size(), decoded));
    }
}

TEST(NotesFile, BelongsOnlyToItsOwnGame) {
    const NotesFile file = sampleFile();
    CellGrid givens{};
    EXPECT_TRUE(notesFileMatches(file, file.fileKey, 29, givens, file.userGrid));
    EXPECT_FALSE(notesFileMatches(file, file.fileKey ^ 1, 29, givens, file.userGrid));
    EXPECT_FALSE(notesFileMatches(file, file.fileKey, 28, givens, file.userGrid));
    CellGrid otherGrid = file.userGrid;
    otherGrid[80] = otherGrid[80] == 0 ? 1 : 0;
    EXPECT_FALSE(notesFileMatches(file, file.fileKey, 29, givens, otherGrid));
    givens[1] = 7; // cell 1 has notes
    EXPECT_FALSE(notesFileMatches(file, file.fileKey, 29, givens, file.userGrid));
}

TEST(NotesFile, PathIsTheSavePathWithMem) {
    char path[savePathCapacity];
    ASSERT_TRUE(deriveNotesPath("C:\\Games\\np.sav", path, sizeof path));
    EXPECT_STREQ(path, "C:\\Games\\np.mem");
    ASSERT_TRUE(deriveNotesPath("gsav", path, sizeof path));
    EXPECT_STREQ(path, "gmem");
    EXPECT_FALSE(deriveNotesPath("", path, sizeof path));
    EXPECT_STREQ(path, "");
    EXPECT_FALSE(deriveNotesPath("C:\\Games\\np.exe", path, sizeof path));
    EXPECT_FALSE(deriveNotesPath("abc.sav", path, 7)) << "no room for the terminator";
}

TEST(NotesFile, SavedBesideTheSaveFileAndRestoredForTheSameGameOnly) {
    testing::ScratchFolder folder;
    testing::LoadedStore loaded(3, 2, 1);
    ProgressStore& store = loaded.store;
    const std::string exe = folder.file("np.exe").string();
    ASSERT_TRUE(deriveSavePath(store, exe.c_str(), exe.size()));
    store.header.currentProblemIndex = 2;
    CellGrid givens{};
    givens[0] = 5;
    CellGrid user{};
    user[1] = 3;
    NoteGrid notes{};
    notes[2] = 0x1FF;
    notes[80] = 0x011;

    NoteGrid restored{};
    restored[5] = 1;
    EXPECT_FALSE(restoreNotes(store, givens, user, restored)) << "no notes file yet";
    EXPECT_EQ(restored, NoteGrid{});

    ASSERT_TRUE(saveNotes(store, user, notes, writeFileAtomically));
    const Bytes written = testing::readBytes(folder.file("np.mem"));
    ASSERT_EQ(written.size(), notesFileSize);
    EXPECT_FALSE(std::filesystem::exists(folder.file("np.sav"))) << "the save file is untouched";
    ASSERT_TRUE(restoreNotes(store, givens, user, restored));
    EXPECT_EQ(restored, notes);

    CellGrid otherUser = user;
    otherUser[4] = 6;
    EXPECT_FALSE(restoreNotes(store, givens, otherUser, restored));
    EXPECT_EQ(restored, NoteGrid{});
    store.header.currentProblemIndex = 1;
    EXPECT_FALSE(restoreNotes(store, givens, user, restored));
    store.header.currentProblemIndex = 2;

    testing::writeBytes(folder.file("np.mem"), Bytes(written.begin(), written.end() - 1));
    EXPECT_FALSE(restoreNotes(store, givens, user, restored)) << "a cut file on the disk";

    // The game's flags come back with its notes.
    std::uint32_t flags = 0;
    ASSERT_TRUE(saveNotes(store, user, notes, writeFileAtomically, notesFlagPaused));
    EXPECT_EQ(testing::readBytes(folder.file("np.mem")).size(), notesFileWithFlagsSize);
    ASSERT_TRUE(restoreNotes(store, givens, user, restored, &flags));
    EXPECT_EQ(flags, notesFlagPaused);
    EXPECT_EQ(restored, notes);
}

} // namespace
} // namespace korvani
