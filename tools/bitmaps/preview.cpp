// The reviewers' sheet: every image magnified pixel for pixel, the band as the game composes it
// (a plain and a highlighted button, the clock at 09:59), and the banner blitted with white as
// the transparent colour over a piece of board, exactly as the game shows it.
#include "artwork.h"

namespace korvani::bitmaps {

namespace {

constexpr Rgb kSheet{96, 96, 104};

Image crop(const Image& image, int x, int y, int w, int h) {
    Image out(w, h, Rgb{});
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.at(i, j) = image.at(x + i, y + j);
    return out;
}

// A 293 x 88 piece of board: white cells of 52 pixels, 2 grey pixels within a box, 4 between.
Image boardPiece() {
    Image out(kTimerWidth, kBannerHeight, kBoardGap);
    const int starts[] = {-30, 24, 80, 134, 188, 244, 298};
    for (int sy : {-20, 34, 90})
        for (int sx : starts) fillRect(out, sx, sy, 52, 52, kWhite);
    return out;
}

Image composeBand(const Image& strip, const Image& timer) {
    Image band(300, 32, kBackground);
    blit(band, crop(strip, 0, 0, 90, 30), 0, 2);
    blit(band, crop(strip, 540, 0, 90, 30), 90, 2);
    const int clockX = 300 - 68;
    const int sources[5] = {150, 9 * 15, 165, 5 * 15, 9 * 15};
    const int offsets[5] = {0, 15, 30, 38, 53};
    const int widths[5] = {15, 15, 8, 15, 15};
    for (int i = 0; i < 5; ++i)
        blit(band, crop(timer, sources[i], 0, widths[i], kGlyphHeight), clockX + offsets[i], 11);
    return band;
}

} // namespace

Image drawPreview(const Image& strip, const Image& timer, const std::vector<Image>& icons) {
    constexpr int pad = 16;
    Image sheet(1350 + 2 * pad, 1020, kSheet);
    int y = pad;
    blit(sheet, magnify(crop(strip, 0, 0, 450, 30), 3), pad, y);
    y += 90 + pad;
    blit(sheet, magnify(crop(strip, 450, 0, 450, 30), 3), pad, y);
    y += 90 + pad;
    blit(sheet, magnify(crop(timer, 0, 0, kTimerWidth, kGlyphHeight), 4), pad, y);
    y += 76 + pad;
    blit(sheet, magnify(composeBand(strip, timer), 3), pad, y);
    y += 96 + pad;

    Image board = boardPiece();
    for (int j = 0; j < kBannerHeight; ++j)
        for (int i = 0; i < kTimerWidth; ++i)
            if (!(timer.at(i, kGlyphHeight + j) == kWhite))
                board.at(i, j) = timer.at(i, kGlyphHeight + j);
    blit(sheet, magnify(board, 3), pad, y);
    blit(sheet, crop(timer, 0, kGlyphHeight, kTimerWidth, kBannerHeight), pad + 879 + pad, y);
    blit(sheet, board, pad + 879 + pad, y + kBannerHeight + pad);
    y += 264 + pad;

    int x = pad;
    for (const Image& icon : icons) {
        const int factor = icon.width <= 48 ? 4 : 1;
        Image shown(icon.width, icon.height, kBackground);
        for (int j = 0; j < icon.height; ++j)
            for (int i = 0; i < icon.width; ++i)
                shown.at(i, j) = mix(kBackground, icon.at(i, j),
                                     icon.alpha[static_cast<std::size_t>(j) * icon.width + i]);
        blit(sheet, magnify(shown, factor), x, y);
        x += icon.width * factor + pad;
    }
    y += 256 + pad;
    (void)y;
    return sheet;
}

} // namespace korvani::bitmaps
