// The facts about bitmaps 113 and 115 and icon 103 that the board renderer relies on: sizes and
// format, the window background where images meet the band, the clock glyph cells, the banner's
// transparent white, and that korvani-bitmaps still draws exactly the committed files.
#include "bitmap_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace korvani::test {
namespace {

constexpr Rgb kBackground{224, 224, 255};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGround{239, 228, 176};
constexpr Rgb kGroundLit{224, 204, 121};
constexpr Rgb kBrown{155, 97, 64};
constexpr Rgb kMagenta{224, 0, 128};

std::string resourcePath(const char* name) {
    return std::string(KORVANI_SOURCE_DIR) + "/win/resources/" + name;
}

BitmapFile load(const char* name) {
    BitmapFile bitmap;
    EXPECT_TRUE(parseBitmap(readBytes(resourcePath(name)), bitmap)) << name;
    return bitmap;
}

int luminance(Rgb p) {
    return (p.r * 299 + p.g * 587 + p.b * 114) / 1000;
}

class ButtonStrip : public ::testing::Test {
  protected:
    BitmapFile strip = load("button_strip.bmp");
};

TEST_F(ButtonStrip, IsA900By30BottomUp24BitBitmap) {
    EXPECT_EQ(strip.width, 900);
    EXPECT_EQ(strip.height, 30);
    EXPECT_EQ(strip.bitCount, 24);
    EXPECT_TRUE(strip.bottomUp);
}

TEST_F(ButtonStrip, EveryImageHasBackgroundCornersAndItsGround) {
    ASSERT_EQ(strip.width, 900);
    for (int k = 0; k < 10; ++k) {
        const int x = 90 * k;
        SCOPED_TRACE(k);
        EXPECT_EQ(strip.at(x, 0), kBackground);
        EXPECT_EQ(strip.at(x + 89, 0), kBackground);
        EXPECT_EQ(strip.at(x, 29), kBackground);
        EXPECT_EQ(strip.at(x + 89, 29), kBackground);
        // Left of the label, inside the border: the plain ground of the button.
        EXPECT_EQ(strip.at(x + 3, 14), k < 5 ? kGround : kGroundLit);
    }
}

TEST_F(ButtonStrip, LabelsAreDarkAndCentredOnTheFace) {
    ASSERT_EQ(strip.width, 900);
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE(k);
        // Lettering: dark pixels well inside the border.
        int left = 90, right = -1, top = 30, bottom = -1, count = 0;
        for (int y = 4; y < 24; ++y) {
            for (int x = 4; x < 82; ++x) {
                if (luminance(strip.at(90 * k + x, y)) >= 100) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                ++count;
            }
        }
        ASSERT_GT(count, 60);
        // The face spans x 1..84 and y 2..25; its centre is (42.5, 13.5).
        EXPECT_LE(std::abs((left + right) - 85), 2) << left << ".." << right;
        EXPECT_LE(std::abs((top + bottom) - 27), 2) << top << ".." << bottom;
    }
}

TEST_F(ButtonStrip, HighlightedFormsAreTheSameLabelsOnAGoldenGroundWithADarkerShadow) {
    ASSERT_EQ(strip.width, 900);
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        int sameInk = 0, ink = 0;
        for (int y = 4; y < 24; ++y) {
            for (int x = 4; x < 82; ++x) {
                const bool dark = luminance(strip.at(90 * k + x, y)) < 60;
                const bool darkLit = luminance(strip.at(450 + 90 * k + x, y)) < 60;
                ink += dark;
                sameInk += dark && darkLit;
            }
        }
        EXPECT_GT(ink, 0);
        EXPECT_GE(sameInk * 10, ink * 9);
        // The shadow under the middle of the button: grey, darker when highlighted.
        const Rgb shadow = strip.at(90 * k + 45, 28);
        const Rgb shadowLit = strip.at(450 + 90 * k + 45, 28);
        EXPECT_NE(shadow, kBackground);
        EXPECT_LT(luminance(shadowLit), luminance(shadow));
        EXPECT_GT(luminance(shadow), 60);
    }
}

class TimerFont : public ::testing::Test {
  protected:
    BitmapFile font = load("timer_font.bmp");
};

TEST_F(TimerFont, IsA293By107BottomUp24BitBitmap) {
    EXPECT_EQ(font.width, 293);
    EXPECT_EQ(font.height, 107);
    EXPECT_EQ(font.bitCount, 24);
    EXPECT_TRUE(font.bottomUp);
}

TEST_F(TimerFont, ClockGlyphsSitOnBackgroundInsideTheirCells) {
    ASSERT_EQ(font.width, 293);
    // Each glyph's outer columns and the top and bottom rows are background, so that the five
    // copies of drawClock join without seams; nothing is drawn right of the colon.
    const int lefts[] = {0, 15, 30, 45, 60, 75, 90, 105, 120, 135, 165};
    for (int left : lefts) {
        const int right = left == 165 ? 172 : left + 14;
        for (int y = 0; y < 19; ++y) {
            EXPECT_EQ(font.at(left, y), kBackground) << left << "," << y;
            EXPECT_EQ(font.at(right, y), kBackground) << right << "," << y;
        }
        for (int x = left; x <= right; ++x) {
            EXPECT_EQ(font.at(x, 0), kBackground) << x;
            EXPECT_EQ(font.at(x, 18), kBackground) << x;
        }
    }
    for (int y = 0; y < 19; ++y) {
        for (int x = 150; x < 165; ++x) EXPECT_EQ(font.at(x, y), kBackground) << "blank " << x;
        for (int x = 173; x < 293; ++x) EXPECT_EQ(font.at(x, y), kBackground) << x << "," << y;
    }
}

TEST_F(TimerFont, EveryDigitAndTheColonIsBrownAndTheDigitsDiffer) {
    ASSERT_EQ(font.width, 293);
    auto brownIn = [&](int left, int width) {
        int n = 0;
        for (int y = 0; y < 19; ++y)
            for (int x = left; x < left + width; ++x) n += font.at(x, y) == kBrown;
        return n;
    };
    for (int d = 0; d < 10; ++d) EXPECT_GE(brownIn(15 * d, 15), 20) << d;
    EXPECT_GE(brownIn(165, 8), 4);
    // Only brown blended with the background: no other hue creeps in.
    for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 173; ++x) {
            const Rgb p = font.at(x, y);
            EXPECT_TRUE(p.r >= kBrown.r && p.r <= kBackground.r && p.b >= kBrown.b)
                << x << "," << y;
        }
    }
    for (int a = 0; a < 10; ++a) {
        for (int b = a + 1; b < 10; ++b) {
            int differing = 0;
            for (int y = 0; y < 19; ++y)
                for (int x = 0; x < 15; ++x)
                    differing += !(font.at(15 * a + x, y) == font.at(15 * b + x, y));
            EXPECT_GT(differing, 10) << a << " vs " << b;
        }
    }
}

TEST_F(TimerFont, BannerIsMagentaLetteringWithALightRimOnPureWhite) {
    ASSERT_EQ(font.width, 293);
    ASSERT_EQ(font.height, 107);
    constexpr int top = 19;
    int magenta = 0;
    int left = 293, right = -1, upper = 88, lower = -1;
    for (int y = 0; y < 88; ++y) {
        for (int x = 0; x < 293; ++x) {
            const Rgb p = font.at(x, top + y);
            if (p == kWhite) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            upper = std::min(upper, y);
            lower = std::max(lower, y);
            // No near-white fringe: it would show as a pale halo over the grey gaps.
            EXPECT_LT(std::min({p.r, p.g, p.b}), 220) << x << "," << y;
            if (!(p == kMagenta)) continue;
            ++magenta;
            // The solid letters are enclosed by their rim: never next to the transparent white.
            for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                const int nx = x + dx, ny = y + dy;
                if (nx < 0 || nx >= 293 || ny < 0 || ny >= 88) continue;
                EXPECT_NE(font.at(nx, top + ny), kWhite) << x << "," << y;
            }
        }
    }
    EXPECT_GT(magenta, 3000); // large lettering
    // A white frame around it, and centred.
    EXPECT_GT(left, 0);
    EXPECT_LT(right, 292);
    EXPECT_GT(upper, 0);
    EXPECT_LT(lower, 87);
    EXPECT_LE(std::abs(left + right - 292), 3);
    EXPECT_LE(std::abs(upper + lower - 87), 3);
    EXPECT_GT(right - left, 200);
    EXPECT_GT(lower - upper, 50);
}

std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

TEST(ProgramIcon, HoldsThe16To256PixelImages) {
    const std::vector<std::uint8_t> ico = readBytes(resourcePath("korvani.ico"));
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(ico[0] | ico[1] << 8, 0);
    EXPECT_EQ(ico[2] | ico[3] << 8, 1);
    const int count = ico[4] | ico[5] << 8;
    ASSERT_EQ(count, 4);
    ASSERT_GE(ico.size(), 6u + 16u * count);
    const int sides[] = {16, 32, 48, 256};
    for (int i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        EXPECT_EQ(ico[entry] == 0 ? 256 : ico[entry], sides[i]);
        const std::uint32_t size = read32(ico, entry + 8);
        const std::uint32_t offset = read32(ico, entry + 12);
        ASSERT_LE(std::size_t{offset} + size, ico.size());
        if (sides[i] == 256) {
            EXPECT_EQ(ico[offset + 1], 'P'); // PNG image
        } else {
            EXPECT_EQ(read32(ico, offset), 40u); // BITMAPINFOHEADER
            EXPECT_EQ(read32(ico, offset + 8),
                      static_cast<std::uint32_t>(2 * sides[i])); // with mask
        }
    }
}

TEST(BitmapTool, RedrawsTheCommittedFilesExactly) {
#ifndef KORVANI_BITMAPS_TOOL
    GTEST_SKIP() << "korvani-bitmaps is not built here (needs libfreetype-dev)";
#else
    std::string dir = ::testing::TempDir() + "korvani-bitmaps-XXXXXX";
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    const std::string command = std::string(KORVANI_BITMAPS_TOOL) + " '" + dir + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "the tool's fonts are not installed";
    ASSERT_EQ(WEXITSTATUS(status), 0);
    const std::vector<std::string> names = {"button_strip.bmp", "timer_font.bmp", "korvani.ico"};
    for (const std::string& name : names) {
        const std::vector<std::uint8_t> drawn = readBytes(dir + "/" + name);
        EXPECT_FALSE(drawn.empty()) << name;
        EXPECT_TRUE(drawn == readBytes(resourcePath(name.c_str())))
            << name << " differs from the tool's";
        std::remove((dir + "/" + name).c_str());
    }
    rmdir(dir.c_str());
#endif
}

} // namespace
} // namespace korvani::test
