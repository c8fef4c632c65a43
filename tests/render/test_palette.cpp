// The dark theme's colours against the WCAG 2 contrast ratio: every digit at least 7:1 and
// every note at least 4.5:1 against both grounds a cell can have. The light theme is the game's
// look as it always was and is not held to these figures.
#include "render/palette.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvani {
namespace {

double channel(std::uint8_t value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(BgrColour colour) {
    return 0.2126 * channel(colour.red) + 0.7152 * channel(colour.green) +
           0.0722 * channel(colour.blue);
}

double contrast(BgrColour a, BgrColour b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(Palette, WcagContrastOfKnownColours) {
    EXPECT_NEAR(contrast({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(contrast({0x77, 0x77, 0x77}, {255, 255, 255}), 4.48, 0.01);
}

TEST(Palette, DarkDigitsAndNotesStandOutFromBothGrounds) {
    const Palette& p = darkPalette;
    for (BgrColour ground : {p.cellPaper, p.cellHover}) {
        EXPECT_GE(contrast(p.givenInk, ground), 7.0);
        EXPECT_GE(contrast(p.enteredInk, ground), 7.0);
        EXPECT_GE(contrast(p.mistakeFrame, ground), 7.0) << "a wrong digit is drawn in it";
        EXPECT_GE(contrast(p.noteInk, ground), 4.5);
        EXPECT_GE(contrast(p.matchFrame, ground), 4.5) << "the selected digit's notes";
    }
    EXPECT_NE(p.givenInk, p.enteredInk) << "given and placed digits must differ";
    EXPECT_NE(p.cellPaper, p.cellHover);
}

} // namespace
} // namespace korvani
