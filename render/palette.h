// The colours of everything the renderer draws: the band and the board's lines, the buttons,
// the clock and the "clear!" banner, and the cells with their digits, notes and frames. A theme
// hands the renderer one of these; the light one is the game's own look, which bitmaps 113 and
// 115 are drawn in.
#pragma once

#include "render/glyph_rasterizer.h"

namespace korvani {

struct Palette {
    BgrColour band;        // the window's background, behind the buttons and the clock
    BgrColour boardGap;    // grey between the cells
    BgrColour boardBorder; // the board's outline
    BgrColour buttonFace;
    BgrColour buttonFaceLit; // the button under the mouse
    BgrColour buttonSheen;   // the thin light line under a button's top border
    BgrColour buttonSheenLit;
    BgrColour buttonBorder;
    BgrColour buttonShadow;
    BgrColour buttonShadowLit;
    BgrColour buttonLabel;
    BgrColour clockInk;
    BgrColour bannerLetters;
    BgrColour bannerRim;
    BgrColour bannerKey; // the banner's transparent colour: none of its pixels take it
    // The cells, which buildTiles and the notes paint in these: the grounds, the digits, the
    // selection's dotted frame (also the selected digit's notes), the other notes, a hint's
    // frames and the keyboard cursor.
    BgrColour cellPaper;
    BgrColour cellHover;
    BgrColour givenInk;
    BgrColour enteredInk;
    BgrColour matchFrame;
    BgrColour noteInk;
    BgrColour hintTarget;
    BgrColour hintPattern;
    BgrColour mistakeFrame;
    BgrColour cursor;
    // The pause panel over the board: its ground and its lettering.
    BgrColour pauseGround;
    BgrColour pauseText;
    bool operator==(const Palette&) const = default;
};

inline constexpr Palette lightPalette = {
    .band = {0xFF, 0xE0, 0xE0},
    .boardGap = {0x80, 0x80, 0x80},
    .boardBorder = {0x00, 0x00, 0x00},
    .buttonFace = {176, 228, 239},
    .buttonFaceLit = {121, 204, 224},
    .buttonSheen = {216, 242, 247},
    .buttonSheenLit = {168, 222, 235},
    .buttonBorder = {0, 0, 0},
    .buttonShadow = {166, 150, 150},
    .buttonShadowLit = {112, 96, 96},
    .buttonLabel = {0, 0, 0},
    .clockInk = {64, 97, 155},
    .bannerLetters = {128, 0, 224},
    .bannerRim = {218, 178, 255},
    .bannerKey = {0xFF, 0xFF, 0xFF},
    .cellPaper = {0xFF, 0xFF, 0xFF},
    .cellHover = {0xB0, 0xE4, 0xEF},
    .givenInk = {0x26, 0x26, 0x26},
    .enteredInk = {0x80, 0x80, 0x80},
    .matchFrame = {0x26, 0x26, 0xFF},
    .noteInk = {0xAA, 0x7F, 0x6A},
    .hintTarget = {0, 176, 0},
    .hintPattern = {255, 96, 0},
    .mistakeFrame = {0, 0, 224},
    .cursor = {200, 40, 120},
    .pauseGround = {240, 230, 226},
    .pauseText = {120, 96, 84},
};

// The dark theme's twins, written as (blue, green, red) like every BgrColour. Chosen by the
// WCAG contrast ratio: the digits reach at least 7:1 and the notes at least 4.5:1 against both
// cell grounds (given 14.8 and 12.0, placed 9.9 and 8.0, a wrong digit in the mistake colour
// 9.3 and 7.6, notes 7.2 and 5.8, the selected digit's notes 6.1 and 5.0).
inline constexpr Palette darkPalette = {
    .band = {36, 28, 28},
    .boardGap = {88, 78, 78},
    .boardBorder = {180, 170, 170},
    .buttonFace = {70, 58, 58},
    .buttonFaceLit = {60, 90, 96},
    .buttonSheen = {100, 84, 84},
    .buttonSheenLit = {84, 122, 130},
    .buttonBorder = {180, 170, 170},
    .buttonShadow = {14, 10, 10},
    .buttonShadowLit = {0, 0, 0},
    .buttonLabel = {240, 236, 236},
    .clockInk = {150, 190, 240},
    .bannerLetters = {190, 100, 255},
    .bannerRim = {80, 20, 110},
    .bannerKey = {255, 255, 255},
    .cellPaper = {34, 30, 30},
    .cellHover = {32, 46, 52},
    .givenInk = {242, 242, 242},
    .enteredInk = {255, 205, 150},
    .matchFrame = {110, 110, 255},
    .noteInk = {200, 170, 160},
    .hintTarget = {120, 220, 90},
    .hintPattern = {255, 170, 110},
    .mistakeFrame = {170, 170, 255},
    .cursor = {255, 140, 190},
    .pauseGround = {56, 44, 40},
    .pauseText = {220, 200, 190},
};

} // namespace korvani
