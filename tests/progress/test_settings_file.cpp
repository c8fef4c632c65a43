// The settings file: what it writes, how tolerantly it reads, and the file beside the save file
// that never touches the save file itself.
#include "progress/settings_file.h"

#include "files/atomic_file.h"
#include "save_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace korvani {
namespace {

std::string encoded(const Settings& settings) {
    char text[settingsFileCapacity];
    return std::string(text, encodeSettings(settings, text, sizeof text));
}

Settings decoded(const std::string& text) {
    Settings settings;
    decodeSettings(text.data(), text.size(), settings);
    return settings;
}

TEST(SettingsFile, WritesOnlyTheChosenKeysAndReadsThemBack) {
    EXPECT_EQ(encoded(Settings{}), "") << "nothing chosen, nothing written";
    EXPECT_EQ(encoded(Settings{1, settingNotSet}), "dark=1\r\n");
    EXPECT_EQ(encoded(Settings{0, 1}), "dark=0\r\nshow_mistakes=1\r\n");
    for (std::int8_t dark : {settingNotSet, std::int8_t{0}, std::int8_t{1}})
        for (std::int8_t mistakes : {settingNotSet, std::int8_t{0}, std::int8_t{1}}) {
            const Settings settings{dark, mistakes};
            EXPECT_EQ(decoded(encoded(settings)), settings);
        }
}

// A file edited by hand or written by a later version: what is understood is read, the rest
// skipped line by line.
TEST(SettingsFile, SkipsWhatItDoesNotUnderstand) {
    EXPECT_EQ(decoded("# korvani\n\n  dark = 1 \nzoom=3\nshow_mistakes=0"), (Settings{1, 0}));
    EXPECT_EQ(decoded("dark=2\nshow_mistakes=yes\n"), Settings{}) << "values out of range";
    EXPECT_EQ(decoded("dark\ndarkness=1\n=1\nDARK=1\n"), Settings{}) << "not the key";
    EXPECT_EQ(decoded("dark=0\r\ndark=1\r\n"), (Settings{1, settingNotSet})) << "last wins";
    EXPECT_EQ(decoded(std::string("dark=1\0\nshow_mistakes=1", 23)), (Settings{settingNotSet, 1}))
        << "a NUL spoils only its line";
}

TEST(SettingsFile, LivesBesideTheSaveFile) {
    testing::ScratchFolder folder;
    const std::string savePath = folder.file("np.sav").string();
    char path[savePathCapacity];
    ASSERT_TRUE(deriveSettingsPath(savePath.c_str(), path, sizeof path));
    EXPECT_EQ(std::string(path), folder.file("np.ini").string());
    EXPECT_FALSE(deriveSettingsPath("np.exe", path, sizeof path));

    EXPECT_EQ(loadSettings(savePath.c_str()), Settings{}) << "no file yet";
    ASSERT_TRUE(saveSettings(savePath.c_str(), Settings{1, 0}, writeFileAtomically));
    EXPECT_EQ(loadSettings(savePath.c_str()), (Settings{1, 0}));
    EXPECT_FALSE(std::filesystem::exists(folder.file("np.sav"))) << "the save file is untouched";

    // Longer than is read: the line cut at the end is dropped, not read as "dark=1".
    std::string longFile = "show_mistakes=1\n";
    longFile += std::string(settingsFileCapacity - longFile.size() - 7, '#') + "\ndark=10\n";
    testing::writeText(folder.file("np.ini"), longFile);
    EXPECT_EQ(loadSettings(savePath.c_str()), (Settings{settingNotSet, 1}));
}

} // namespace
} // namespace korvani
