// The save path from the executable's path: "sav" by position, the directory prefix, and the
// paths that must never give a save file (cut by the 512-byte buffer, or leaving the folder).
#include "progress/save_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace korvani {
namespace {

struct Derived {
    bool ok;
    std::string savePath;
    int prefix;
};

Derived derive(const std::string& modulePath) {
    ProgressStore store;
    std::memset(store.savePath, 'x', sizeof store.savePath);
    store.dirPrefixLength = 99;
    const bool ok = deriveSavePath(store, modulePath.data(), modulePath.size());
    EXPECT_EQ(store.savePath[sizeof store.savePath - 1], '\0');
    return {ok, store.savePath, store.dirPrefixLength};
}

TEST(SavePath, ExtensionIsReplacedByPosition) {
    const Derived exe = derive("C:\\Games\\np.exe");
    EXPECT_TRUE(exe.ok);
    EXPECT_EQ(exe.savePath, "C:\\Games\\np.sav");
    EXPECT_EQ(exe.prefix, 9);

    const Derived noExtension = derive("C:\\Games\\game");
    EXPECT_TRUE(noExtension.ok);
    EXPECT_EQ(noExtension.savePath, "C:\\Games\\gsav");
    EXPECT_EQ(noExtension.prefix, 9);
}

TEST(SavePath, PrefixEndsAtTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(derive("Z:\\tmp/run\\korvani.exe").prefix, 11);
    EXPECT_EQ(derive("/home/player/korvani.exe").prefix, 13);
    EXPECT_EQ(derive("/home/player/korvani.exe").savePath, "/home/player/korvani.sav");
}

TEST(SavePath, NoSeparatorGivesPrefixZero) {
    const Derived bare = derive("game");
    EXPECT_TRUE(bare.ok);
    EXPECT_EQ(bare.savePath, "gsav");
    EXPECT_EQ(bare.prefix, 0);
}

TEST(SavePath, LongestPathThatFitsIsAccepted) {
    // 511 characters and the terminator fill the buffer exactly.
    const std::string path = "C:\\" + std::string(502, 'd') + "\\a.exe";
    ASSERT_EQ(path.size(), 511u);
    const Derived longest = derive(path);
    EXPECT_TRUE(longest.ok);
    EXPECT_EQ(longest.savePath, path.substr(0, 508) + "sav");
    EXPECT_EQ(longest.prefix, 506);
}

TEST(SavePath, PathCutByTheBufferGivesNoSavePath) {
    // GetModuleFileNameA returns the buffer size, 512, when it had to cut the path.
    for (std::size_t length : {512u, 513u, 600u}) {
        const std::string path = "C:\\" + std::string(length - 9, 'd') + "\\a.exe";
        ASSERT_EQ(path.size(), length);
        const Derived cut = derive(path);
        EXPECT_FALSE(cut.ok) << length;
        EXPECT_EQ(cut.savePath, "") << length;
        EXPECT_EQ(cut.prefix, 0) << length;
    }
}

TEST(SavePath, PathsThatCannotGiveASaveFileBesideTheExecutable) {
    // Overwriting a separator would put the save file into the parent folder.
    EXPECT_FALSE(derive("C:\\Games\\ab").ok);
    EXPECT_FALSE(derive("C:\\Games\\").ok);
    EXPECT_FALSE(derive("C:/x/a").ok);
    // Too short, or empty (GetModuleFileNameA failed).
    EXPECT_FALSE(derive("ab").ok);
    EXPECT_FALSE(derive("").ok);
    // A path with a NUL inside its reported length is not a path.
    EXPECT_FALSE(derive(std::string("C:\\a\0b\\np.exe", 13)).ok);
    // Three characters after the separator are enough.
    EXPECT_TRUE(derive("C:\\Games\\abc").ok);
    EXPECT_EQ(derive("C:\\Games\\abc").savePath, "C:\\Games\\sav");
}

TEST(SavePath, SecondByte5CIsNoSeparator) {
    // Code page 932: ソ is 83 5C and 表 is 95 5C. The Open-problem dialog lists the folder that
    // directoryPrefix gives, so both agree on where the executable lies.
    const std::string software = "\x83\x5C\x83\x74\x83\x67"; // ソフト
    const std::string table = "\x95\x5C";                    // 表
    const std::string inName = "C:\\g\\" + software + table + ".exe";
    EXPECT_EQ(derive(inName).prefix, 5);
    EXPECT_EQ(derive(inName).savePath, "C:\\g\\" + software + table + ".sav");
    EXPECT_EQ(directoryPrefix(inName.data(), inName.size()), 5u);
    const std::string inFolder = "C:\\" + table + "\\a.exe";
    EXPECT_EQ(directoryPrefix(inFolder.data(), inFolder.size()), 6u);
    // A lead byte at the very end has no second byte, so a separator before it still counts.
    EXPECT_EQ(directoryPrefix("C:\\a\\\x83", 6), 5u);
}

TEST(SavePath, Utf8PathsCutAtTheLastSeparatorByte) {
    // ぁ is E3 81 81 in UTF-8: read as code page 932, 81 would take the separator after it as
    // its second byte. The Windows side holds its paths as UTF-8 and must not be misled.
    const std::string folder = "Z:\\\xE3\x81\x81\\\xED\x95\x9C\\";
    const std::string path = folder + "korvani.exe";
    ProgressStore store;
    ASSERT_TRUE(deriveSavePathUtf8(store, path.data(), path.size()));
    EXPECT_EQ(std::string(store.savePath), folder + "korvani.sav");
    EXPECT_EQ(store.dirPrefixLength, static_cast<int>(folder.size()));
    // "sav" over part of a character names no file: no save path at all.
    const std::string endsInKorean = "Z:\\g\xED\x95\x9C";
    EXPECT_FALSE(deriveSavePathUtf8(store, endsInKorean.data(), endsInKorean.size()));
    EXPECT_EQ(store.savePath[0], '\0');
}

TEST(SavePath, NullPathGivesNoSavePath) {
    ProgressStore store;
    EXPECT_FALSE(deriveSavePath(store, nullptr, 10));
    EXPECT_EQ(store.savePath[0], '\0');
}

} // namespace
} // namespace korvani
