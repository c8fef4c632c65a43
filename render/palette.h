// The colours of everything the renderer draws around the cells: the band and the board's
// lines, the buttons, the clock and the "clear!" banner. A theme hands the renderer one of
// these; the light one is the game's own look, which bitmaps 113 and 115 are drawn in.
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
};

} // namespace korvani
