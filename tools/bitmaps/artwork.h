// The pictures the bitmap tool draws, their fonts and the colours they share with the board
// (the window background, the cream and golden button grounds, the clock brown, the banner).
#pragma once

#include "raster.h"
#include "text.h"

#include <vector>

namespace korvani::bitmaps {

// The window background (backgroundBrush): every bitmap is drawn on it so it blends in.
inline constexpr Rgb kBackground{224, 224, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kButtonGround{239, 228, 176};
inline constexpr Rgb kButtonGroundLit{224, 204, 121};
inline constexpr Rgb kClockBrown{155, 97, 64};
inline constexpr Rgb kBannerMagenta{224, 0, 128};
// Board colours, for the icon.
inline constexpr Rgb kBoardGap{128, 128, 128};
inline constexpr Rgb kGivenDigit{38, 38, 38};
inline constexpr Rgb kMatchRed{255, 38, 38};

struct Fonts {
    Font japanese; // button labels
    Font digits;   // clock digits and icon digits
    Font banner;   // "clear!"
};

inline constexpr int kButtonWidth = 90;
inline constexpr int kButtonHeight = 30;
inline constexpr int kStripWidth = 900;
inline constexpr int kTimerWidth = 293;
inline constexpr int kTimerHeight = 107;
inline constexpr int kGlyphHeight = 19;
inline constexpr int kBannerHeight = 88;

// Bitmap 113: ten 90 x 30 buttons, the five labels normal then highlighted (the game shows
// the first two).
bool drawButtonStrip(const Fonts& fonts, Image& out);

// Bitmap 115: clock digits, blank and colon in rows 0-18, the "clear!" banner below on white.
bool drawTimerFont(const Fonts& fonts, Image& out);

// Icon 103 at 16, 32, 48 and 256 pixels, with alpha.
bool drawIcons(const Fonts& fonts, std::vector<Image>& out);

// A magnified sheet of everything above for reviewers, with the banner shown as the game
// blits it (white transparent) over a piece of board.
Image drawPreview(const Image& strip, const Image& timer, const std::vector<Image>& icons);

} // namespace korvani::bitmaps
