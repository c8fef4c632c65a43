// Bitmap 113: the button bar's images. Each 90 x 30 image is a rounded button with a black
// border and a shadow below and to the right, on the window background, its label centred.
#include "artwork.h"

#include <algorithm>
#include <string_view>

namespace korvani::bitmaps {

namespace {

constexpr std::u32string_view kLabels[5] = {U"問題の選択", U"最初から", U"トライ", U"トライ決定",
                                            U"トライ消去"};

constexpr Rgb kShadow{150, 150, 166};
constexpr Rgb kShadowLit{96, 96, 112};

// Geometry of one image, in pixels: the body covers [0, 86) x [1, 27); the shadow is the same
// shape two pixels down and right, so two neighbouring images keep a 2-pixel gap. (The game
// draws the same shapes itself at other scales: render/band_art.)
struct ButtonShape {
    int width = kButtonWidth;
    int height = kButtonHeight;
    double left = 0, top = 1, right = 86, bottom = 27;
    double radius = 5.0;
    double line = 1; // border and sheen
    int shadowOffset = 2;
    TextStyle label = {.pixelSize = 14, .embolden = 16};
};

bool drawButton(const Font& font, const ButtonShape& b, std::u32string_view label, bool lit,
                int baseline, Image& out, int originX) {
    const Rgb ground = lit ? kButtonGroundLit : kButtonGround;
    const Mask outer = shapeMask(b.width, b.height, 16, [&b](double x, double y) {
        return insideRoundedRect(x, y, b.left, b.top, b.right, b.bottom, b.radius);
    });
    const Mask inner = shapeMask(b.width, b.height, 16, [&b](double x, double y) {
        return insideRoundedRect(x, y, b.left + b.line, b.top + b.line, b.right - b.line,
                                 b.bottom - b.line, b.radius - b.line);
    });
    // A one-pixel (at 96 DPI) lighter line under the top border gives the face a slight lift.
    const Mask sheen = shapeMask(b.width, b.height, 16, [&b](double x, double y) {
        return insideRoundedRect(x, y, b.left + b.line, b.top + b.line, b.right - b.line,
                                 b.bottom - b.line, b.radius - b.line) &&
               !insideRoundedRect(x, y, b.left + b.line, b.top + 2 * b.line, b.right - b.line,
                                  b.bottom - b.line, b.radius - b.line);
    });

    Image button(b.width, b.height, kBackground);
    paintMask(button, outer, b.shadowOffset, b.shadowOffset, lit ? kShadowLit : kShadow);
    paintMask(button, outer, 0, 0, kBlack);
    paintMask(button, inner, 0, 0, ground);
    paintMask(button, sheen, 0, 0, mix(ground, kWhite, lit ? 90 : 130));

    TextImage text;
    if (!renderText(font, label, b.label, text)) return false;
    // Centre the ink horizontally on the face; all labels share one baseline.
    const int faceCentre2 = static_cast<int>(b.left + b.right); // twice the centre
    const int x = (faceCentre2 - text.mask.width + 1) / 2;
    paintMask(button, text.mask, x, baseline + text.top, kBlack);

    blit(out, button, originX, 0);
    return true;
}

} // namespace

bool drawButtonStrip(const Fonts& fonts, Image& out) {
    const ButtonShape shape;
    // One baseline for every label, chosen so that the ink of all five labels together sits
    // centred on the face.
    const TextStyle& style = shape.label;
    int top = 1000, bottom = -1000;
    for (std::u32string_view label : kLabels) {
        TextImage text;
        if (!renderText(fonts.japanese, label, style, text)) return false;
        top = std::min(top, text.top);
        bottom = std::max(bottom, text.top + text.mask.height);
    }
    const int faceMiddle2 = static_cast<int>(shape.top + shape.bottom);
    const int baseline = (faceMiddle2 - (top + bottom) + 1) / 2;

    out = Image(10 * shape.width, shape.height, kBackground);
    for (int k = 0; k < 10; ++k)
        if (!drawButton(fonts.japanese, shape, kLabels[k % 5], k >= 5, baseline, out,
                        shape.width * k))
            return false;
    return true;
}

} // namespace korvani::bitmaps
