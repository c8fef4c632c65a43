// Where everything goes in the client area: the cell edges of the board, the button bar and the
// clock, computed from the client size alone. Platform-free so it can be checked natively.
#pragma once

#include <cstdint>

namespace korvani {

inline constexpr int bandHeight = 32; // the strip above the board with buttons and clock
inline constexpr int buttonBarY = 2;  // top row of both buttons
inline constexpr int buttonWidth = 90;
inline constexpr int buttonHeight = 30;
inline constexpr int clockWidth = 68;

struct BoardGeometry {
    std::int32_t colX[10] = {}; // left edges of the nine columns, then the outline's right edge
    std::int32_t rowY[10] = {}; // top edges of the nine rows, then the outline's bottom edge
    std::int32_t cellSize = 0;
    std::int32_t boardSize = 0; // side of the black outline square
    std::int32_t buttonBarX = 0;
    std::int32_t clockX = 0;
};

BoardGeometry computeBoardGeometry(int width, int height);

// The clock: five glyphs copied from the clock font, all 19 px high at y 11.
inline constexpr int clockGlyphY = 11;
inline constexpr int clockGlyphHeight = 19;
inline constexpr int clockDigitWidth = 15;
inline constexpr int clockBlankX = 150;
inline constexpr int clockColonX = 165;
inline constexpr int clockColonWidth = 8;
inline constexpr int clockMaxSeconds = 3599;

struct ClockGlyph {
    std::int32_t destX = 0;   // client x in the back buffer
    std::int32_t width = 0;   // 15 for digits and the blank, 8 for the colon
    std::int32_t sourceX = 0; // x in the clock font strip
};

// Tens of minutes (blank below ten minutes), units of minutes, colon, tens and units of
// seconds. A count outside 0..3599 (only a damaged save file holds one) is shown clamped, so
// every source rectangle stays inside the font strip.
void clockGlyphs(int clockX, int seconds, ClockGlyph out[5]);

// The "clear!" banner: 293 x 88 from the clock font strip at (0, 19).
inline constexpr int bannerWidth = 293;
inline constexpr int bannerHeight = 88;
inline constexpr int bannerSourceY = 19;

// Centres the banner in a back buffer of the given size. The subtractions wrap as unsigned
// numbers, so a buffer narrower or lower than the banner puts it far outside; that case is
// reported as false so that nothing is drawn at all.
bool bannerPosition(int width, int height, int& x, int& y);

} // namespace korvani
