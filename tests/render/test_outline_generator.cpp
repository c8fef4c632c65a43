// korvani-outlines regenerates the committed outline data byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(OutlineGenerator, RegeneratesTheCommittedDataByteForByte) {
    const std::string out = ::testing::TempDir() + "korvani-glyph-outlines-data.cpp";
    std::remove(out.c_str());
    const std::string command =
        std::string("\"") + KORVANI_OUTLINES_TOOL + "\" \"" + out + "\" 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string fresh = readAll(out);
    const std::string committed =
        readAll(std::string(KORVANI_SOURCE_DIR) + "/render/glyph_outlines_data.cpp");
    std::remove(out.c_str());
    ASSERT_FALSE(committed.empty());
    EXPECT_TRUE(fresh == committed)
        << "render/glyph_outlines_data.cpp is not what korvani-outlines writes";
}

TEST(OutlineGenerator, RefusesAMissingOutputPath) {
    const std::string command = std::string("\"") + KORVANI_OUTLINES_TOOL + "\" 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_NE(status, -1);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

} // namespace
