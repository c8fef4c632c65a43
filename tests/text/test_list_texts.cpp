// The texts of the Problem-selection and Open-problem lists, natively.
#include "text/list_texts.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace korvani {
namespace {

std::string clearTime(std::int16_t seconds) {
    char text[clearTimeTextSize];
    std::memset(text, 'x', sizeof text);
    formatClearTime(seconds, text);
    return text;
}

std::string selectionLine(int position, std::int8_t difficulty, std::int16_t seconds) {
    char line[selectionLineSize];
    formatSelectionLine(position, difficulty, seconds, line);
    return line;
}

// A stored problem-file name as the save file holds it: 64 bytes, zero after the name.
std::array<char, problemNameSize> storedName(const char* name) {
    std::array<char, problemNameSize> stored{};
    std::memcpy(stored.data(), name, std::strlen(name));
    return stored;
}

std::string title(const std::array<char, problemNameSize>& stored) {
    char storedCopy[problemNameSize];
    std::memcpy(storedCopy, stored.data(), sizeof storedCopy);
    char text[problemNameSize];
    std::memset(text, 'x', sizeof text);
    formatProblemTitle(storedCopy, text);
    EXPECT_EQ(text[problemNameSize - 1], '\0');
    return text;
}

// The list text for a directory entry, or "<skipped>".
std::string listed(const char* name, bool isDirectory = false) {
    char text[problemNameSize];
    std::memset(text, 'x', sizeof text);
    if (!problemListText(name, isDirectory, text)) return "<skipped>";
    return text;
}

TEST(ClearTimeText, NotClearedIsTheFullWidthMinus) {
    EXPECT_EQ(clearTime(0), "－");
    // U+FF0D in UTF-8, the encoding of every text the game shows.
    EXPECT_EQ(clearTime(0), "\xEF\xBC\x8D");
}

TEST(ClearTimeText, MinutesAndSecondsWithTwoDigitsEach) {
    EXPECT_EQ(clearTime(1), "00:01");
    EXPECT_EQ(clearTime(59), "00:59");
    EXPECT_EQ(clearTime(60), "01:00");
    EXPECT_EQ(clearTime(75), "01:15");
    EXPECT_EQ(clearTime(3599), "59:59");
}

TEST(ClearTimeText, AnHourOrMoreShowsTheClockLimit) {
    EXPECT_EQ(clearTime(3600), "59:59");
    EXPECT_EQ(clearTime(3661), "59:59");
    EXPECT_EQ(clearTime(32767), "59:59");
}

TEST(SelectionLine, PositionDifficultyAndTimeBetweenTabs) {
    EXPECT_EQ(selectionLine(1, 5, 0), "  1:\t難易度 5\tクリア時間 －");
    EXPECT_EQ(selectionLine(12, 3, 75), " 12:\t難易度 3\tクリア時間 01:15");
    EXPECT_EQ(selectionLine(30, 127, 4000), " 30:\t難易度 127\tクリア時間 59:59");
}

TEST(SelectionLine, DifficultyIsASignedByte) {
    // A difficulty of 200 in the file is kept as the byte 0xC8.
    EXPECT_EQ(selectionLine(2, static_cast<std::int8_t>(200), 0),
              "  2:\t難易度 -56\tクリア時間 －");
    EXPECT_EQ(selectionLine(3, -128, 1), "  3:\t難易度 -128\tクリア時間 00:01");
}

TEST(SelectionLine, IsUtf8Text) {
    // 難易度 and クリア時間 as UTF-8 bytes, whatever the compiler's own character set.
    EXPECT_EQ(selectionLine(1, 1, 0), "  1:\t\xE9\x9B\xA3\xE6\x98\x93\xE5\xBA\xA6 1\t"
                                      "\xE3\x82\xAF\xE3\x83\xAA\xE3\x82\xA2\xE6\x99\x82"
                                      "\xE9\x96\x93 \xEF\xBC\x8D");
}

TEST(ProblemTitle, DropsTheExtension) {
    EXPECT_EQ(title(storedName("easy.dat")), "easy");
    EXPECT_EQ(title(storedName("a.dat")), "a");
    EXPECT_EQ(title(storedName("初級.dat")), "初級");
}

TEST(ProblemTitle, BytesAfterTheTerminatorAreNotShown) {
    auto stored = storedName("easy.dat");
    std::memset(stored.data() + 9, 'z', problemNameSize - 9);
    EXPECT_EQ(title(stored), "easy");
}

TEST(ProblemTitle, DamagedNamesStayInsideTheirBuffers) {
    // Shorter than four characters: shown as it stands.
    EXPECT_EQ(title(storedName("")), "");
    EXPECT_EQ(title(storedName("ab")), "ab");
    EXPECT_EQ(title(storedName("abc")), "abc");
    EXPECT_EQ(title(storedName("abcd")), "");
    // No terminator within the 64 bytes: the first 63 count, less four.
    std::array<char, problemNameSize> unterminated;
    unterminated.fill('q');
    EXPECT_EQ(title(unterminated), std::string(59, 'q'));
}

TEST(OpenProblemList, ListsDatFilesWithoutTheirExtension) {
    EXPECT_EQ(listed("easy.dat"), "easy");
    EXPECT_EQ(listed("a.dat"), "a");
    EXPECT_EQ(listed("初級.dat"), "初級");
    EXPECT_EQ(listed("two.dots.dat"), "two.dots");
}

TEST(OpenProblemList, ExtensionMustBeExactlyLowerCaseDat) {
    EXPECT_EQ(listed("easy.DAT"), "<skipped>");
    EXPECT_EQ(listed("easy.Dat"), "<skipped>");
    EXPECT_EQ(listed("easy.data"), "<skipped>");
    EXPECT_EQ(listed("easy.dat.bak"), "<skipped>");
    EXPECT_EQ(listed("easy.dat "), "<skipped>");
    EXPECT_EQ(listed("easydat"), "<skipped>");
}

TEST(OpenProblemList, DirectoriesAreNotListed) {
    EXPECT_EQ(listed("x.dat", true), "<skipped>");
    EXPECT_EQ(listed("x.dat", false), "x");
}

TEST(OpenProblemList, NamesFromFiveToSixtyThreeCharacters) {
    EXPECT_EQ(listed(".dat"), "<skipped>");
    EXPECT_EQ(listed(""), "<skipped>");
    const std::string longest = std::string(59, 'n') + ".dat";
    EXPECT_EQ(listed(longest.c_str()), std::string(59, 'n'));
    const std::string tooLong = std::string(60, 'n') + ".dat";
    EXPECT_EQ(listed(tooLong.c_str()), "<skipped>");
    // A directory entry can be far longer than a stored name.
    const std::string veryLong = std::string(255, 'n') + ".dat";
    EXPECT_EQ(listed(veryLong.c_str()), "<skipped>");
}

TEST(OpenProblemList, CurrentFileIsTheWholeStoredName) {
    char stored[problemNameSize] = "easy.dat";
    EXPECT_TRUE(isCurrentProblemFile("easy.dat", stored));
    EXPECT_FALSE(isCurrentProblemFile("easy2.dat", stored));
    EXPECT_FALSE(isCurrentProblemFile("asy.dat", stored));
    EXPECT_FALSE(isCurrentProblemFile("Easy.dat", stored));
    char longer[problemNameSize] = "easy.dat2";
    EXPECT_FALSE(isCurrentProblemFile("easy.dat", longer));
    char empty[problemNameSize] = "";
    EXPECT_FALSE(isCurrentProblemFile("easy.dat", empty));
}

TEST(OpenProblemList, ChosenTextNamesItsFileInACleanBuffer) {
    char name[problemNameSize];
    std::memset(name, 'x', sizeof name);
    ASSERT_TRUE(problemFileNameFromListText("easy", name));
    char expected[problemNameSize] = "easy.dat";
    EXPECT_EQ(std::memcmp(name, expected, sizeof name), 0);
}

TEST(OpenProblemList, TextsThatNoListedFileGivesAreRefused) {
    char name[problemNameSize] = "keep.dat";
    EXPECT_FALSE(problemFileNameFromListText("", name));
    const std::string tooLong(60, 't');
    EXPECT_FALSE(problemFileNameFromListText(tooLong.c_str(), name));
    EXPECT_STREQ(name, "keep.dat");
}

TEST(OpenProblemList, ListedTextLeadsBackToTheSameFile) {
    const std::string entries[] = {"a.dat", "easy.dat", "初級.dat", "two.dots.dat",
                                   std::string(59, 'm') + ".dat"};
    for (const std::string& entry : entries) {
        char text[problemNameSize];
        ASSERT_TRUE(problemListText(entry.c_str(), false, text)) << entry;
        char name[problemNameSize];
        ASSERT_TRUE(problemFileNameFromListText(text, name)) << entry;
        EXPECT_EQ(std::string(name), entry);
        EXPECT_TRUE(isCurrentProblemFile(entry.c_str(), name));
    }
}

} // namespace
} // namespace korvani
