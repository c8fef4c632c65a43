// Icon 103: one 3 x 3 box of the board in the board's own colours (black outline, grey gaps,
// white cells, a cream cell under the mouse, given digits dark and a player's digit grey),
// drawn separately for every size so that each one falls on whole pixels.
#include "artwork.h"

#include <algorithm>

namespace korvani::bitmaps {

namespace {

struct IconGeometry {
    int size;    // image side
    int margin;  // transparent pixels around the box
    int outline; // black outline width
    int cell;    // cell side
    int gap;     // grey between cells
    int digitPx; // em size of the digits, 0 for marks instead of digits
};

// Which cell shows what: 0 empty, otherwise a digit; the centre cell is the hovered one.
constexpr int kDigits[9] = {5, 0, 3, 0, 7, 0, 0, 0, 9};
constexpr bool kPlayerDigit[9] = {false, false, false, false, false, false, false, false, true};
constexpr int kHovered = 4;
constexpr Rgb kPaper{255, 255, 255};
constexpr Rgb kEntered{128, 128, 128};

bool drawIcon(const Font& font, const IconGeometry& g, Image& out) {
    out = Image(g.size, g.size, kBlack);
    std::fill(out.alpha.begin(), out.alpha.end(), 0);
    const int side = 2 * g.outline + 3 * g.cell + 2 * g.gap;
    const int x0 = g.margin;
    const int y0 = g.margin;
    for (int y = y0; y < y0 + side; ++y)
        for (int x = x0; x < x0 + side; ++x)
            out.alpha[static_cast<std::size_t>(y) * g.size + x] = 255;
    fillRect(out, x0, y0, side, side, kBlack);
    fillRect(out, x0 + g.outline, y0 + g.outline, side - 2 * g.outline, side - 2 * g.outline,
             kBoardGap);
    for (int i = 0; i < 9; ++i) {
        const int cx = x0 + g.outline + (i % 3) * (g.cell + g.gap);
        const int cy = y0 + g.outline + (i / 3) * (g.cell + g.gap);
        fillRect(out, cx, cy, g.cell, g.cell, i == kHovered ? kButtonGround : kPaper);
        if (kDigits[i] == 0) continue;
        const Rgb ink = kPlayerDigit[i] ? kEntered : kGivenDigit;
        if (g.digitPx == 0) {
            // Too small for a legible digit: a mark of the digit's colour.
            const int mark = g.cell / 2;
            fillRect(out, cx + (g.cell - mark) / 2, cy + (g.cell - mark) / 2, mark, mark, ink);
            continue;
        }
        TextStyle style;
        style.pixelSize = g.digitPx;
        style.hinted = g.digitPx < 40;
        const char32_t text[1] = {static_cast<char32_t>(U'0' + kDigits[i])};
        TextImage digit;
        if (!renderText(font, std::u32string_view(text, 1), style, digit)) return false;
        paintMask(out, digit.mask, cx + (g.cell - digit.mask.width + 1) / 2,
                  cy + (g.cell - digit.mask.height + 1) / 2, ink);
    }
    return true;
}

} // namespace

bool drawIcons(const Fonts& fonts, std::vector<Image>& out) {
    const IconGeometry sizes[4] = {
        {16, 0, 1, 4, 1, 0},
        {32, 1, 2, 8, 1, 9},
        {48, 1, 3, 12, 2, 13},
        {256, 4, 8, 72, 8, 72},
    };
    out.clear();
    for (const IconGeometry& g : sizes) {
        Image image;
        if (!drawIcon(fonts.digits, g, image)) return false;
        out.push_back(std::move(image));
    }
    return true;
}

} // namespace korvani::bitmaps
