// Bitmap 113: the button bar's images. Each 90 x 30 image is a rounded button with a black
// border and a shadow below and to the right, on the window background, its label centred.
#include "artwork.h"

#include <algorithm>
#include <string_view>

namespace korvani::bitmaps {

namespace {

constexpr std::u32string_view kLabels[5] = {U"問題の選択", U"最初から", U"トライ", U"トライ決定",
                                            U"トライ消去"};

// Geometry of one image, in pixels: the body covers [0, 86) x [1, 27); the shadow is the same
// shape two pixels down and right, so two neighbouring images keep a 2-pixel gap.
constexpr double kBodyLeft = 0, kBodyTop = 1, kBodyRight = 86, kBodyBottom = 27;
constexpr double kRadius = 5.0;
constexpr int kShadowOffset = 2;

constexpr Rgb kShadow{150, 150, 166};
constexpr Rgb kShadowLit{96, 96, 112};

bool drawButton(const Font& font, std::u32string_view label, bool lit, int baseline, Image& out,
                int originX) {
    const Rgb ground = lit ? kButtonGroundLit : kButtonGround;
    const Mask outer = shapeMask(kButtonWidth, kButtonHeight, 16, [](double x, double y) {
        return insideRoundedRect(x, y, kBodyLeft, kBodyTop, kBodyRight, kBodyBottom, kRadius);
    });
    const Mask inner = shapeMask(kButtonWidth, kButtonHeight, 16, [](double x, double y) {
        return insideRoundedRect(x, y, kBodyLeft + 1, kBodyTop + 1, kBodyRight - 1, kBodyBottom - 1,
                                 kRadius - 1);
    });
    // A one-pixel lighter line under the top border gives the face a slight lift.
    const Mask sheen = shapeMask(kButtonWidth, kButtonHeight, 16, [](double x, double y) {
        return insideRoundedRect(x, y, kBodyLeft + 1, kBodyTop + 1, kBodyRight - 1, kBodyBottom - 1,
                                 kRadius - 1) &&
               !insideRoundedRect(x, y, kBodyLeft + 1, kBodyTop + 2, kBodyRight - 1,
                                  kBodyBottom - 1, kRadius - 1);
    });

    Image button(kButtonWidth, kButtonHeight, kBackground);
    paintMask(button, outer, kShadowOffset, kShadowOffset, lit ? kShadowLit : kShadow);
    paintMask(button, outer, 0, 0, kBlack);
    paintMask(button, inner, 0, 0, ground);
    paintMask(button, sheen, 0, 0, mix(ground, kWhite, lit ? 90 : 130));

    TextStyle style;
    style.pixelSize = 14;
    style.embolden = 16;
    TextImage text;
    if (!renderText(font, label, style, text)) return false;
    // Centre the ink horizontally on the face; all labels share one baseline.
    const int faceCentre2 = static_cast<int>(kBodyLeft + kBodyRight); // twice the centre
    const int x = (faceCentre2 - text.mask.width + 1) / 2;
    paintMask(button, text.mask, x, baseline + text.top, kBlack);

    blit(out, button, originX, 0);
    return true;
}

} // namespace

bool drawButtonStrip(const Fonts& fonts, Image& out) {
    // One baseline for every label, chosen so that the ink of all five labels together sits
    // centred on the face.
    TextStyle style;
    style.pixelSize = 14;
    style.embolden = 16;
    int top = 1000, bottom = -1000;
    for (std::u32string_view label : kLabels) {
        TextImage text;
        if (!renderText(fonts.japanese, label, style, text)) return false;
        top = std::min(top, text.top);
        bottom = std::max(bottom, text.top + text.mask.height);
    }
    const int faceMiddle2 = static_cast<int>(kBodyTop + kBodyBottom);
    const int baseline = (faceMiddle2 - (top + bottom) + 1) / 2;

    out = Image(kStripWidth, kButtonHeight, kBackground);
    for (int k = 0; k < 10; ++k)
        if (!drawButton(fonts.japanese, kLabels[k % 5], k >= 5, baseline, out, kButtonWidth * k))
            return false;
    return true;
}

} // namespace korvani::bitmaps
