// Where everything goes in the client area: the cell edges of the board, the button bar and the
// clock, computed from the client size and the window's display scale alone. Platform-free so
// it can be checked natively.
#pragma once

#include <cstdint>

namespace korvani {

// The layout's pixel quantities at 96 DPI (100 %); every other scale multiplies them by
// dpi / 96 with scalePixels.
inline constexpr int baseDpi = 96;
inline constexpr int bandHeight = 32; // the strip above the board with buttons and clock
inline constexpr int buttonBarY = 2;  // top row of both buttons
inline constexpr int buttonWidth = 90;
inline constexpr int buttonHeight = 30;
inline constexpr int clockWidth = 68;

// The one rounding rule of every scaled length: px * dpi / 96 rounded to the nearest pixel,
// halves away from zero (what MulDiv does), so that 96 DPI gives px back.
int scalePixels(int px, int dpi);

// Every fixed pixel quantity of the layout at one display scale, each the 96-DPI length
// scaled with scalePixels: the board's lines and gaps, the band, the smallest window, and the
// button, clock and banner pictures, which are drawn at that scale.
struct LayoutMetrics {
    int dpi = baseDpi;
    int band = bandHeight;
    int outline = 2;     // the black outline's width
    int edgeGap = 2;     // grey between the outer cells and the outline
    int cellGap = 2;     // grey between two cells of one box
    int boxGap = 4;      // grey between two boxes
    int outlineLift = 2; // the outline sits this far left of and above the centred position
    int minimumClientWidth = 522;
    int minimumClientHeight = 554; // the board area plus the band
    int buttonY = buttonBarY;
    int buttonWidth = korvani::buttonWidth;
    int buttonHeight = korvani::buttonHeight;
    int clockGlyphY = 11;
    int clockGlyphHeight = 19;
    int clockDigitWidth = 15;
    int clockColonWidth = 8;
    int clockWidth = korvani::clockWidth; // four digits and the colon
    int bannerWidth = 293;
    int bannerHeight = 88;
};

LayoutMetrics layoutMetrics(int dpi);

struct BoardGeometry {
    std::int32_t colX[10] = {}; // left edges of the nine columns, then the outline's right edge
    std::int32_t rowY[10] = {}; // top edges of the nine rows, then the outline's bottom edge
    std::int32_t cellSize = 0;
    std::int32_t boardSize = 0; // side of the black outline square
    std::int32_t buttonBarX = 0;
    std::int32_t clockX = 0;
};

BoardGeometry computeBoardGeometry(int width, int height, const LayoutMetrics& metrics);
inline BoardGeometry computeBoardGeometry(int width, int height) {
    return computeBoardGeometry(width, height, LayoutMetrics{});
}

// The clock: five glyphs copied from the clock font, all 19 px high at y 11 (at 96 DPI).
inline constexpr int clockGlyphY = 11;
inline constexpr int clockGlyphHeight = 19;
inline constexpr int clockDigitWidth = 15;
inline constexpr int clockBlankX = 150;
inline constexpr int clockColonX = 165;
inline constexpr int clockColonWidth = 8;
inline constexpr int clockMaxSeconds = 3599;

struct ClockGlyph {
    std::int32_t destX = 0;   // client x in the back buffer
    std::int32_t width = 0;   // a digit's width for digits and the blank, the colon's for it
    std::int32_t sourceX = 0; // x in the clock font strip
};

// Tens of minutes (blank below ten minutes), units of minutes, colon, tens and units of
// seconds. In the font strip digit d lies at d digit widths, the blank at ten and the colon at
// eleven. A count outside 0..3599 (only a damaged save file holds one) is shown clamped, so
// every source rectangle stays inside the font strip.
void clockGlyphs(int clockX, int seconds, const LayoutMetrics& metrics, ClockGlyph out[5]);
inline void clockGlyphs(int clockX, int seconds, ClockGlyph out[5]) {
    clockGlyphs(clockX, seconds, LayoutMetrics{}, out);
}

// The "clear!" banner: 293 x 88 (at 96 DPI) from the clock font strip below the glyph rows.
inline constexpr int bannerWidth = 293;
inline constexpr int bannerHeight = 88;
inline constexpr int bannerSourceY = 19;

// Centres a banner of the given size in a back buffer of the given size. The subtractions wrap
// as unsigned numbers, so a buffer narrower or lower than the banner puts it far outside; that
// case is reported as false so that nothing is drawn at all.
bool bannerPosition(int width, int height, int bannerW, int bannerH, int& x, int& y);
inline bool bannerPosition(int width, int height, int& x, int& y) {
    return bannerPosition(width, height, bannerWidth, bannerHeight, x, y);
}

} // namespace korvani
