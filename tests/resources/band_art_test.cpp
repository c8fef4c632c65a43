// The band drawn at run time against bitmaps 113 and 115 at 100 % in the light palette: the
// same sizes, grounds and shadows, and clock glyphs whose ink sits where the bitmap's does; and
// at other scales and palettes, the pictures follow the palette they are given.
#include "bitmap_file.h"
#include "render/band_art.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace korvani::test {
namespace {

BitmapFile load(const char* name) {
    BitmapFile bitmap;
    EXPECT_TRUE(
        parseBitmap(readBytes(std::string(KORVANI_SOURCE_DIR) + "/win/resources/" + name), bitmap));
    return bitmap;
}

Rgb at(const Picture& picture, int x, int y) {
    const std::uint8_t* p = picture.pixel(x, y);
    return {p[2], p[1], p[0]};
}

Rgb rgb(BgrColour c) {
    return {c.red, c.green, c.blue};
}

// The box of the pixels that differ from the ground within columns left..left + width - 1 of
// rows 0..height - 1, as twice its centre and its height.
struct Ink {
    int centreX2 = 0, centreY2 = 0, height = 0, count = 0;
};
template <class PixelAt> Ink inkOf(PixelAt pixel, Rgb ground, int left, int width, int height) {
    int x0 = 1 << 20, x1 = -1, y0 = 1 << 20, y1 = -1, count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = left; x < left + width; ++x) {
            if (pixel(x, y) == ground) continue;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
            ++count;
        }
    return {x0 + x1, y0 + y1, y1 - y0 + 1, count};
}

TEST(RunTimeBand, At100PercentTheButtonsKeepTheBitmapsSizesGroundsAndShadows) {
    const BitmapFile bitmap = load("button_strip.bmp");
    const LayoutMetrics m = layoutMetrics(baseDpi);
    const Picture strip = paintButtonShapes(m, lightPalette);
    ASSERT_EQ(strip.width, 4 * 90);
    ASSERT_EQ(strip.height, bitmap.height);
    for (int image = 0; image < 4; ++image) {
        SCOPED_TRACE(image);
        const int x = 90 * image;
        const int source = 90 * (image % 2 + (image >= 2 ? 5 : 0));
        for (const auto& [dx, dy] : {std::pair{0, 0},
                                     {89, 0},
                                     {0, 29},
                                     {89, 29},
                                     {3, 14},
                                     {45, 28},
                                     {45, 1},
                                     {0, 14},
                                     {85, 14}})
            EXPECT_EQ(at(strip, x + dx, dy), bitmap.at(source + dx, dy)) << dx << "," << dy;
    }
}

TEST(RunTimeBand, At100PercentTheClockGlyphsSitWhereTheBitmapsDo) {
    const BitmapFile bitmap = load("timer_font.bmp");
    GlyphCoverage coverage;
    const LayoutMetrics m = layoutMetrics(baseDpi);
    const Picture font = paintClockFont(coverage, m, lightPalette);
    ASSERT_EQ(font.width, bitmap.width);
    ASSERT_EQ(font.height, bitmap.height);
    const Rgb band = rgb(lightPalette.band);
    auto drawn = [&](int x, int y) { return at(font, x, y); };
    auto drawnBefore = [&](int x, int y) { return bitmap.at(x, y); };
    // Digits 0-9, the blank and the colon, each in its cell of the glyph rows.
    for (int g = 0; g < 12; ++g) {
        SCOPED_TRACE(g);
        const int left = 15 * g;
        const int width = g == 11 ? 8 : 15;
        const Ink now = inkOf(drawn, band, left, width, 19);
        const Ink before = inkOf(drawnBefore, band, left, width, 19);
        EXPECT_EQ(now.count == 0, g == 10) << "only the blank is empty";
        if (g == 10) continue;
        // Within two pixels: the outlines' 1 stands right of centre as on the board.
        EXPECT_LE(std::abs(now.centreX2 - before.centreX2), 4);
        EXPECT_LE(std::abs(now.centreY2 - before.centreY2), 3);
        EXPECT_LE(std::abs(now.height - before.height), 2);
        // Only blends of the band and the clock's ink.
        for (int y = 0; y < 19; ++y)
            for (int x = left; x < left + width; ++x) {
                const Rgb p = drawn(x, y);
                EXPECT_TRUE(p.r <= band.r && p.r >= lightPalette.clockInk.red && p.b <= band.b &&
                            p.b >= lightPalette.clockInk.blue);
            }
    }
    // Nothing between the colon and the banner, and the banner's area is its key colour.
    for (int x = 173; x < 293; ++x) EXPECT_EQ(drawn(x, 9), band) << x;
    EXPECT_EQ(drawn(0, 19), rgb(lightPalette.bannerKey));
}

TEST(RunTimeBand, PicturesTakeTheirColoursFromThePaletteAtEveryScale) {
    Palette dark = lightPalette;
    dark.band = {0x30, 0x20, 0x20};
    dark.buttonFace = {0x50, 0x50, 0x40};
    dark.buttonFaceLit = {0x70, 0x70, 0x60};
    dark.clockInk = {0xE0, 0xF0, 0xF0};
    dark.bannerKey = {0x00, 0xFF, 0x00};
    GlyphCoverage coverage;
    for (const int dpi : {96, 120, 144, 168, 192, 240, 288, 131}) {
        SCOPED_TRACE(dpi);
        const LayoutMetrics m = layoutMetrics(dpi);
        const Picture strip = paintButtonShapes(m, dark);
        ASSERT_EQ(strip.width, 4 * m.buttonWidth);
        ASSERT_EQ(strip.height, m.buttonHeight);
        for (int image = 0; image < 4; ++image) {
            const int x = image * m.buttonWidth;
            EXPECT_EQ(at(strip, x, 0), rgb(dark.band));
            EXPECT_EQ(at(strip, x + m.buttonWidth - 1, 0), rgb(dark.band));
            EXPECT_EQ(at(strip, x + scalePixels(3, dpi), m.buttonHeight / 2),
                      rgb(image < 2 ? dark.buttonFace : dark.buttonFaceLit));
        }
        const Picture font = paintClockFont(coverage, m, dark);
        ASSERT_EQ(font.width, m.bannerWidth);
        ASSERT_EQ(font.height, m.clockGlyphHeight + m.bannerHeight);
        // Every digit has ink that reaches the full ink colour at the larger scales.
        for (int d = 0; d <= 9; ++d) {
            int inked = 0, full = 0;
            for (int y = 0; y < m.clockGlyphHeight; ++y)
                for (int x = d * m.clockDigitWidth; x < (d + 1) * m.clockDigitWidth; ++x) {
                    inked += !(at(font, x, y) == rgb(dark.band));
                    full += at(font, x, y) == rgb(dark.clockInk);
                }
            EXPECT_GT(inked, 10) << d;
            if (dpi >= 192) {
                EXPECT_GT(full, 0) << d;
            }
        }
        EXPECT_EQ(at(font, 0, m.clockGlyphHeight), rgb(dark.bannerKey));
    }
}

TEST(RunTimeBand, BannerLettersFillTheAreaCentredWithARimAndAHardEdge) {
    const LayoutMetrics m = layoutMetrics(144);
    // An "l" and a "!" as two rectangles, in font units of any size.
    const std::vector<std::vector<double>> letters = {{100, 0, 300, 0, 300, 1000, 100, 1000},
                                                      {500, 0, 700, 0, 700, 700, 500, 700},
                                                      {500, 800, 700, 800, 700, 1000, 500, 1000}};
    const ShapeEdges placed = placeBannerLetters(letters, m);
    Picture font(m.bannerWidth, m.clockGlyphHeight + m.bannerHeight, lightPalette.band);
    for (int y = m.clockGlyphHeight; y < font.height; ++y)
        for (int x = 0; x < font.width; ++x)
            std::memcpy(font.pixel(x, y), &lightPalette.bannerKey, 3);
    paintBanner(font, placed, m, lightPalette);
    const Rgb key = rgb(lightPalette.bannerKey);
    auto pixel = [&](int x, int y) { return at(font, x, m.clockGlyphHeight + y); };
    const Ink ink = inkOf(pixel, key, 0, m.bannerWidth, m.bannerHeight);
    EXPECT_LE(std::abs(ink.centreX2 - (m.bannerWidth - 1)), 2);
    EXPECT_LE(std::abs(ink.centreY2 - (m.bannerHeight - 1)), 2);
    // The rimmed letters reach the margin on the height, which limits these tall shapes.
    EXPECT_GE(ink.height, m.bannerHeight - 2 * scalePixels(2, 144) - 2);
    int letterPixels = 0;
    for (int y = 0; y < m.bannerHeight; ++y)
        for (int x = 0; x < m.bannerWidth; ++x) {
            const Rgb p = pixel(x, y);
            if (p == key) continue;
            // Opaque pixels blend letters and rim only: never halfway to the key colour.
            EXPECT_LE(p.g, lightPalette.bannerRim.green);
            if (!(p == rgb(lightPalette.bannerLetters))) continue;
            ++letterPixels;
            for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
                EXPECT_FALSE(pixel(x + dx, y + dy) == key) << "letter next to the key colour";
        }
    EXPECT_GT(letterPixels, 1000);
}

} // namespace
} // namespace korvani::test
