// Bitmap 115: the clock's glyphs (digits, a blank and a colon, 19 pixels high, brown on the
// window background) and below them the "clear!" banner, magenta letters with a lighter rim on
// white. White is the banner's transparent colour, so the rim's outer edge is left hard: an
// anti-aliased edge would blend towards white and show as a pale fringe over the board.
#include "artwork.h"

#include <algorithm>
#include <cmath>

namespace korvani::bitmaps {

namespace {

// Digits 15 px wide (blank at 150, colon of 8 px at 165), drawn at 20 px with the baseline on
// row 17 (digits cover rows 2 to 16).
constexpr int kDigitPixelSize = 20;
constexpr int kDigitBaseline = 17;
constexpr int kDigitWidth = 15;
constexpr int kColonWidth = 8;

bool drawClockGlyphs(const Font& font, Image& out) {
    const int digitWidth = kDigitWidth;
    const int colonCellX = 11 * digitWidth;
    const int colonWidth = kColonWidth;
    TextStyle style;
    style.pixelSize = kDigitPixelSize;
    // Every digit gets the pen position that centres the zero, so that the digits keep the
    // font's own spacing and a changing clock does not jitter.
    TextImage zero;
    if (!renderText(font, U"0", style, zero)) return false;
    const int pen = (digitWidth - zero.mask.width + 1) / 2 - zero.left;
    const int baseline = kDigitBaseline;
    for (int d = 0; d < 10; ++d) {
        TextImage digit;
        const char32_t text[1] = {static_cast<char32_t>(U'0' + d)};
        if (!renderText(font, std::u32string_view(text, 1), style, digit)) return false;
        paintMask(out, digit.mask, digitWidth * d + pen + digit.left, baseline + digit.top,
                  kClockBrown);
    }
    // The colon's dots are centred on the digits' height, not on the font's x-height.
    TextImage colon;
    if (!renderText(font, U":", style, colon)) return false;
    const int digitTop = baseline + zero.top;
    const int digitMiddle2 = 2 * digitTop + zero.mask.height;
    const int colonY = (digitMiddle2 - colon.mask.height + 1) / 2;
    const int colonX = colonCellX + (colonWidth - colon.mask.width + 1) / 2;
    paintMask(out, colon.mask, colonX, colonY, kClockBrown); // the blank is plain background
    return true;
}

constexpr std::u32string_view kBannerText = U"clear!";
constexpr int kSuper = 8;       // subsamples per pixel side for the banner
constexpr double kSlant = 0.18; // a light forward lean
constexpr Rgb kRim{255, 178, 218};

// The banner's lengths: 293 x 88 with a rim of 3 px and 2 px of white kept around it; the
// largest size that fits is searched below 160 px.
struct BannerFrame {
    int width = kTimerWidth;
    int height = kBannerHeight;
    double rimWidth = 3.0;
    int margin = 2;
    int sizeLimit = 160;
};

struct BannerShape {
    std::vector<std::uint8_t> fill; // subsample grid: 1 inside a letter
    std::vector<std::int64_t> distance2;
    int width = 0;
    int height = 0;
    int inkLeft = 0, inkTop = 0, inkRight = 0, inkBottom = 0; // rim's extent, subsamples
};

bool shapeBanner(const Font& font, int pixelSize, double rimWidth, BannerShape& shape) {
    TextStyle style;
    style.pixelSize = pixelSize * kSuper;
    style.hinted = false;
    style.slant = kSlant;
    TextImage text;
    if (!renderText(font, kBannerText, style, text)) return false;
    const int rim = static_cast<int>(std::ceil(rimWidth * kSuper)) + 2;
    shape.width = text.mask.width + 2 * rim;
    shape.height = text.mask.height + 2 * rim;
    shape.fill.assign(static_cast<std::size_t>(shape.width) * shape.height, 0);
    for (int y = 0; y < text.mask.height; ++y)
        for (int x = 0; x < text.mask.width; ++x)
            if (text.mask.at(x, y) >= 128)
                shape.fill[static_cast<std::size_t>(y + rim) * shape.width + x + rim] = 1;
    shape.distance2 = squaredDistanceToSet(shape.fill, shape.width, shape.height);
    const double limit = rimWidth * kSuper;
    shape.inkLeft = shape.width;
    shape.inkTop = shape.height;
    shape.inkRight = 0;
    shape.inkBottom = 0;
    for (int y = 0; y < shape.height; ++y) {
        for (int x = 0; x < shape.width; ++x) {
            if (static_cast<double>(
                    shape.distance2[static_cast<std::size_t>(y) * shape.width + x]) > limit * limit)
                continue;
            shape.inkLeft = std::min(shape.inkLeft, x);
            shape.inkTop = std::min(shape.inkTop, y);
            shape.inkRight = std::max(shape.inkRight, x + 1);
            shape.inkBottom = std::max(shape.inkBottom, y + 1);
        }
    }
    return true;
}

bool drawBanner(const Font& font, Image& out, int top) {
    const BannerFrame frame;
    const int width = frame.width;
    const int height = frame.height;
    const int margin = frame.margin;
    const double rimWidth = frame.rimWidth;
    // The largest size whose rimmed lettering fits the banner with its margin, by bisection
    // (the extent grows with the size): `fits` holds a size that fits, `tooBig` one that does not.
    BannerShape shape;
    int fits = 0;
    int tooBig = frame.sizeLimit;
    while (tooBig - fits > 1) {
        const int candidate = (fits + tooBig) / 2;
        BannerShape trial;
        if (!shapeBanner(font, candidate, rimWidth, trial)) return false;
        const int w = trial.inkRight - trial.inkLeft;
        const int h = trial.inkBottom - trial.inkTop;
        if (w > (width - 2 * margin) * kSuper || h > (height - 2 * margin) * kSuper) {
            tooBig = candidate;
            continue;
        }
        fits = candidate;
        shape = std::move(trial);
    }
    const int size = fits;
    if (size == 0) return false;

    // Centre the rim's extent, on whole pixels.
    const int w = (shape.inkRight - shape.inkLeft + kSuper - 1) / kSuper;
    const int h = (shape.inkBottom - shape.inkTop + kSuper - 1) / kSuper;
    const int originX = (width - w) / 2;
    const int originY = (height - h) / 2;
    const double limit2 = rimWidth * kSuper * rimWidth * kSuper;
    const int samples = kSuper * kSuper;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int inFill = 0, inRim = 0;
            for (int sy = 0; sy < kSuper; ++sy) {
                const int gy = shape.inkTop + (y - originY) * kSuper + sy;
                if (gy < 0 || gy >= shape.height) continue;
                for (int sx = 0; sx < kSuper; ++sx) {
                    const int gx = shape.inkLeft + (x - originX) * kSuper + sx;
                    if (gx < 0 || gx >= shape.width) continue;
                    const std::int64_t d2 =
                        shape.distance2[static_cast<std::size_t>(gy) * shape.width + gx];
                    if (d2 == 0) ++inFill;
                    if (static_cast<double>(d2) <= limit2) ++inRim;
                }
            }
            Rgb& pixel = out.at(x, top + y);
            // Opaque where the rim covers at least half the pixel; inside, letter and rim
            // blend smoothly, and no blend of the two is white.
            if (2 * inRim < samples) {
                pixel = kWhite;
                continue;
            }
            pixel = mix(kRim, kBannerMagenta, (inFill * 255 + samples / 2) / samples);
        }
    }
    return true;
}

} // namespace

bool drawTimerFont(const Fonts& fonts, Image& out) {
    // The banner is the widest part; the glyph rows lie above it.
    out = Image(kTimerWidth, kTimerHeight, kBackground);
    fillRect(out, 0, kGlyphHeight, kTimerWidth, kBannerHeight, kWhite);
    if (!drawClockGlyphs(fonts.digits, out)) return false;
    return drawBanner(fonts.banner, out, kGlyphHeight);
}

} // namespace korvani::bitmaps
