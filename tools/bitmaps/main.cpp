// korvani-bitmaps: draws the game's bitmap resources and icon into a folder, and optionally a
// magnified preview sheet. Usage: korvani-bitmaps OUTPUT_DIR [PREVIEW.png]
// The fonts come from Debian's fonts-ipafont-gothic and fonts-dejavu-core.
#include "artwork.h"
#include "image_files.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* kJapaneseFont = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
constexpr const char* kLatinBoldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// Exit codes: 0 drawn, 1 a drawing or writing failure, 2 usage, 3 a font is not installed.
int fail(const char* what, int code = 1) {
    std::fprintf(stderr, "korvani-bitmaps: %s\n", what);
    return code;
}

int run(const std::string& dir, const char* previewPath) {
    using namespace korvani::bitmaps;
    Fonts fonts;
    if (!fonts.japanese.open(kJapaneseFont)) return fail("cannot open the IPA Gothic font", 3);
    if (!fonts.digits.open(kLatinBoldFont)) return fail("cannot open the DejaVu Sans Bold font", 3);
    if (!fonts.banner.open(kLatinBoldFont)) return fail("cannot open the DejaVu Sans Bold font", 3);

    Image strip;
    if (!drawButtonStrip(fonts, strip)) return fail("cannot draw the button strip");
    Image timer;
    if (!drawTimerFont(fonts, timer)) return fail("cannot draw the clock font");
    std::vector<Image> icons;
    if (!drawIcons(fonts, icons)) return fail("cannot draw the icon");

    if (!writeFile(dir + "/button_strip.bmp", encodeBmp(strip)) ||
        !writeFile(dir + "/timer_font.bmp", encodeBmp(timer)) ||
        !writeFile(dir + "/korvani.ico", encodeIco(icons)))
        return fail("cannot write into the output folder");
    if (previewPath != nullptr &&
        !writeFile(previewPath, encodePng(drawPreview(strip, timer, icons), false)))
        return fail("cannot write the preview");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: korvani-bitmaps OUTPUT_DIR [PREVIEW.png]\n");
        return 2;
    }
    return run(argv[1], argc == 3 ? argv[2] : nullptr);
}
