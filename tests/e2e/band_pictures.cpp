// Test helper for the end-to-end tests: "band_pictures DPI STRIP.bmp FONT.bmp" writes the button
// strip and the clock font that the game draws at that display scale in the light palette, with
// the same code and the same system font, so that the band on the screen can be compared with
// them pixel for pixel. Exit code 0 when both were written.
#include "render/band_text.h"
#include "tools/atlas/atlas_cli.h"
#include "win/display_scale.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool write(const korvani::Picture& picture, const char* path) {
    const std::vector<std::uint8_t> file =
        korvani::encodeBmp(picture.bgr.data(), picture.width, picture.height, picture.stride);
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: band_pictures DPI STRIP.bmp FONT.bmp\n");
        return 2;
    }
    // Aware as the game is, so that the system font is read at the system's scale as it reads it.
    korvani::requestPerMonitorAwareness();
    const korvani::LayoutMetrics metrics = korvani::layoutMetrics(std::atoi(argv[1]));
    HDC screen = GetDC(nullptr);
    korvani::GlyphCoverage coverage;
    const korvani::Picture strip = korvani::drawButtonStrip(metrics, korvani::lightPalette, screen);
    const korvani::Picture font =
        korvani::drawClockFont(coverage, metrics, korvani::lightPalette, screen);
    ReleaseDC(nullptr, screen);
    return write(strip, argv[2]) && write(font, argv[3]) ? 0 : 1;
}
