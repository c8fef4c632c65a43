// Replacing a file: the new bytes exactly, the old file kept whenever anything fails, and no
// temporary file left behind.
#include "files/atomic_file.h"
#include "tests/progress/save_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#if defined(__linux__)
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace korvani {
namespace {

using testing::Bytes;
using testing::ScratchFolder;

bool write(const std::filesystem::path& path, const Bytes& bytes) {
    return writeFileAtomically(path.string().c_str(), bytes.data(), bytes.size());
}

TEST(AtomicFile, CreatesANewFileWithExactlyTheBytes) {
    ScratchFolder folder;
    Bytes bytes(228);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 13);
    ASSERT_TRUE(write(folder.file("np.sav"), bytes));
    EXPECT_EQ(testing::readBytes(folder.file("np.sav")), bytes);
    EXPECT_FALSE(std::filesystem::exists(folder.file("np.sav.tmp")));
}

TEST(AtomicFile, ReplacesALongerOldFileCompletely) {
    ScratchFolder folder;
    testing::writeBytes(folder.file("np.sav"), Bytes(5000, 0xEE));
    const Bytes shorter(164, 0x11);
    ASSERT_TRUE(write(folder.file("np.sav"), shorter));
    EXPECT_EQ(testing::readBytes(folder.file("np.sav")), shorter);
}

TEST(AtomicFile, FailureLeavesTheOldFileAsItWas) {
    ScratchFolder folder;
    const Bytes old(292, 0x42);
    testing::writeBytes(folder.file("np.sav"), old);
    // The temporary file cannot be created: a folder stands in its place.
    std::filesystem::create_directory(folder.file("np.sav.tmp"));
    EXPECT_FALSE(write(folder.file("np.sav"), Bytes(164, 0)));
    EXPECT_EQ(testing::readBytes(folder.file("np.sav")), old);
}

TEST(AtomicFile, FailureToReplaceRemovesTheTemporaryFile) {
    ScratchFolder folder;
    // The target is a non-empty folder, which no file can replace.
    std::filesystem::create_directory(folder.file("np.sav"));
    testing::writeText(folder.file("np.sav") / "inside", "x");
    EXPECT_FALSE(write(folder.file("np.sav"), Bytes(164, 0)));
    EXPECT_FALSE(std::filesystem::exists(folder.file("np.sav.tmp")));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("np.sav")));
}

TEST(AtomicFile, MissingFolderIsAFailure) {
    ScratchFolder folder;
    EXPECT_FALSE(write(folder.file("absent") / "np.sav", Bytes(164, 0)));
    EXPECT_FALSE(std::filesystem::exists(folder.file("absent")));
}

#if defined(__linux__)
TEST(AtomicFile, ReadOnlyFolderIsAFailureAndKeepsTheOldFile) {
    ScratchFolder folder;
    const std::filesystem::path inside = folder.file("locked");
    std::filesystem::create_directory(inside);
    const Bytes old(228, 0x5A);
    testing::writeBytes(inside / "np.sav", old);
    testing::ReadOnlyFolder locked(inside);
    if (locked.writable()) GTEST_SKIP() << "this file system lets the folder be written";
    EXPECT_FALSE(write(inside / "np.sav", Bytes(164, 0)));
    EXPECT_EQ(testing::readBytes(inside / "np.sav"), old);
    EXPECT_FALSE(std::filesystem::exists(inside / "np.sav.tmp"));
}
#endif

TEST(AtomicFile, TemporaryPathIsBesideTheFile) {
    char out[temporaryPathCapacity];
    ASSERT_TRUE(temporaryPathFor("C:\\Games\\np.sav", out, sizeof out));
    EXPECT_STREQ(out, "C:\\Games\\np.sav.tmp");
    // The longest save path, 511 characters, still has room for the suffix.
    const std::string longest(511, 'p');
    ASSERT_TRUE(temporaryPathFor(longest.c_str(), out, sizeof out));
    EXPECT_EQ(std::strlen(out), 515u);
    char small[8];
    EXPECT_FALSE(temporaryPathFor("abcd", small, sizeof small));
    EXPECT_TRUE(temporaryPathFor("abc", small, sizeof small));
    EXPECT_FALSE(temporaryPathFor("", out, sizeof out));
}

} // namespace
} // namespace korvani
