// korvani-atlas: usage errors, the BMP it writes, and the outline statistics it prints.
#include "tools/atlas/atlas_cli.h"

#include "render/glyph_outlines.h"
#include "render/tile_atlas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace korvani {
namespace {

int run(std::vector<const char*> args, std::string* printed = nullptr) {
    args.insert(args.begin(), "korvani-atlas");
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = runAtlasTool(static_cast<int>(args.size()), args.data(), out, err);
    if (printed) {
        std::rewind(out);
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, out)) *printed += buffer;
    }
    std::fclose(out);
    std::fclose(err);
    return status;
}

std::uint32_t little(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

std::string tempPath(const char* name) {
    return ::testing::TempDir() + name;
}

TEST(AtlasTool, UsageErrorsExitWithTwo) {
    const std::string path = tempPath("korvani-atlas-usage.bmp");
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"30"}), 2);
    EXPECT_EQ(run({"0", path.c_str()}), 2);
    EXPECT_EQ(run({"513", path.c_str()}), 2);
    EXPECT_EQ(run({"-5", path.c_str()}), 2);
    EXPECT_EQ(run({"+5", path.c_str()}), 2);
    EXPECT_EQ(run({"3x", path.c_str()}), 2);
    EXPECT_EQ(run({"", path.c_str()}), 2);
    EXPECT_EQ(run({"0030", path.c_str()}), 2);
    EXPECT_EQ(run({"30", ""}), 2);
    EXPECT_EQ(run({"30", path.c_str(), "extra"}), 2);
    EXPECT_EQ(run({"--outline-stats", "extra"}), 2);
    EXPECT_EQ(run({"--bogus"}), 2);
    EXPECT_EQ(std::fopen(path.c_str(), "rb"), nullptr); // nothing written by a usage error
}

TEST(AtlasTool, UnwritablePathIsAnErrorButNotAUsageError) {
    const std::string path = tempPath("no-such-folder/strip.bmp");
    EXPECT_EQ(run({"5", path.c_str()}), 1);
}

TEST(AtlasTool, WritesTheStripAsABottomUpBmp) {
    for (int cellSize : {1, 7, 30}) {
        const std::string path = tempPath("korvani-atlas-strip.bmp");
        const std::string size = std::to_string(cellSize);
        ASSERT_EQ(run({size.c_str(), path.c_str()}), 0);
        std::FILE* f = std::fopen(path.c_str(), "rb");
        ASSERT_NE(f, nullptr);
        std::vector<std::uint8_t> file;
        int c;
        while ((c = std::fgetc(f)) != EOF) file.push_back(static_cast<std::uint8_t>(c));
        std::fclose(f);
        std::remove(path.c_str());

        const int stride = tileAtlasStride(cellSize);
        ASSERT_EQ(file.size(), 54u + static_cast<std::size_t>(stride) * cellSize);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(little(file, 2, 4), file.size());
        EXPECT_EQ(little(file, 10, 4), 54u);
        EXPECT_EQ(little(file, 14, 4), 40u);
        EXPECT_EQ(little(file, 18, 4), static_cast<std::uint32_t>(74 * cellSize));
        EXPECT_EQ(little(file, 22, 4), static_cast<std::uint32_t>(cellSize));
        EXPECT_EQ(little(file, 26, 2), 1u);
        EXPECT_EQ(little(file, 28, 2), 24u);
        EXPECT_EQ(little(file, 30, 4), 0u);
        EXPECT_EQ(little(file, 34, 4), static_cast<std::uint32_t>(stride * cellSize));

        // The rows are the strip's, last row first.
        std::vector<std::uint8_t> strip(static_cast<std::size_t>(stride) * cellSize, 0);
        GlyphCoverage coverage;
        buildTiles(coverage, cellSize, stride, strip.data());
        for (int y = 0; y < cellSize; ++y)
            EXPECT_EQ(
                std::memcmp(file.data() + 54 + static_cast<std::size_t>(cellSize - 1 - y) * stride,
                            strip.data() + static_cast<std::size_t>(y) * stride, stride),
                0)
                << "row " << y;
    }
}

TEST(AtlasTool, OutlineStatsListEveryGlyph) {
    std::string printed;
    ASSERT_EQ(run({"--outline-stats"}, &printed), 0);
    std::string expected;
    for (int g = 0; g < glyphCount; ++g)
        expected += "glyph " + std::to_string(g) + " edges " +
                    std::to_string(glyphFirstEdge[g + 1] - glyphFirstEdge[g]) + " maxcrossings " +
                    std::to_string(glyphMaxCrossings(g)) + "\n";
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(glyphMaxCrossings(GlyphDottedFrame), 18);
    EXPECT_EQ(glyphMaxCrossings(GlyphSolidFrame), 4);
    for (int g = 2; g < glyphCount; ++g) EXPECT_LE(glyphMaxCrossings(g), 6) << g;
}

} // namespace
} // namespace korvani
