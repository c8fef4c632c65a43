// GDI lettering of the band: the system's message font scaled to the display, drawn into a DIB
// section for the labels and taken as a path for the banner's letters.
#include "render/band_text.h"

#include "render/surface.h"

#include <cstring>

namespace korvani {

namespace {

constexpr const wchar_t* buttonLabels[buttonCount] = {L"問題の選択", L"最初から"};
constexpr const wchar_t bannerText[] = L"clear!";

// The system's UI font (the message font) at a display scale. Its height is given at the
// system's own scale, which the screen reports.
LOGFONTW uiFont(int dpi) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font = {};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMessageFont;
    } else {
        font.lfHeight = -12;
        font.lfWeight = FW_NORMAL;
    }
    HDC screen = GetDC(nullptr);
    const int systemDpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : baseDpi;
    if (screen) ReleaseDC(nullptr, screen);
    font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi > 0 ? systemDpi : baseDpi);
    font.lfCharSet = DEFAULT_CHARSET;
    // Grey anti-aliasing: coloured fringes would bring colours of no palette into the band.
    font.lfQuality = ANTIALIASED_QUALITY;
    return font;
}

// Draws the labels onto the strip's pixels through a DIB section holding a copy of them.
void drawLabels(Picture& strip, const LayoutMetrics& metrics, const Palette& palette,
                HDC referenceDC) {
    const BITMAPINFO info = topDownInfo(strip.width, strip.height);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(referenceDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return;
    std::memcpy(bits, strip.bgr.data(), strip.bgr.size());
    HDC dc = CreateCompatibleDC(referenceDC);
    const LOGFONTW logFont = uiFont(metrics.dpi);
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ previousBitmap = SelectObject(dc, section);
    HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc,
                 RGB(palette.buttonLabel.red, palette.buttonLabel.green, palette.buttonLabel.blue));
    const ButtonShape b = buttonShape(metrics);
    for (int image = 0; image < 2 * buttonCount; ++image) {
        const int x = image * b.width;
        RECT face = {x + static_cast<LONG>(b.left + b.line), static_cast<LONG>(b.top + b.line),
                     x + static_cast<LONG>(b.right - b.line), static_cast<LONG>(b.bottom - b.line)};
        DrawTextW(dc, buttonLabels[image % buttonCount], -1, &face,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    GdiFlush();
    std::memcpy(strip.bgr.data(), bits, strip.bgr.size());
    SelectObject(dc, previousFont);
    SelectObject(dc, previousBitmap);
    DeleteObject(font);
    DeleteDC(dc);
    DeleteObject(section);
}

// The banner's letters as closed polygons in the units of a large bold slanted UI font: its
// path, flattened into straight lines.
std::vector<std::vector<double>> bannerPolygons(HDC referenceDC) {
    std::vector<std::vector<double>> polygons;
    LOGFONTW logFont = uiFont(baseDpi);
    logFont.lfHeight = -1024; // large, so that the path's integer points are fine enough
    logFont.lfWeight = FW_BOLD;
    logFont.lfItalic = TRUE;
    HFONT font = CreateFontIndirectW(&logFont);
    HDC dc = CreateCompatibleDC(referenceDC);
    HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    BeginPath(dc);
    TextOutW(dc, 0, 0, bannerText, static_cast<int>(std::size(bannerText)) - 1);
    EndPath(dc);
    FlattenPath(dc);
    const int count = GetPath(dc, nullptr, nullptr, 0);
    if (count > 0) {
        std::vector<POINT> points(static_cast<std::size_t>(count));
        std::vector<BYTE> types(static_cast<std::size_t>(count));
        GetPath(dc, points.data(), types.data(), count);
        for (int i = 0; i < count; ++i) {
            if ((types[i] & ~PT_CLOSEFIGURE) == PT_MOVETO || polygons.empty())
                polygons.emplace_back();
            polygons.back().push_back(points[i].x);
            polygons.back().push_back(points[i].y);
        }
    }
    SelectObject(dc, previousFont);
    DeleteDC(dc);
    DeleteObject(font);
    return polygons;
}

} // namespace

Picture drawButtonStrip(const LayoutMetrics& metrics, const Palette& palette, HDC referenceDC) {
    Picture strip = paintButtonShapes(metrics, palette);
    drawLabels(strip, metrics, palette, referenceDC);
    return strip;
}

Picture drawClockFont(GlyphCoverage& coverage, const LayoutMetrics& metrics, const Palette& palette,
                      HDC referenceDC) {
    Picture font = paintClockFont(coverage, metrics, palette);
    paintBanner(font, placeBannerLetters(bannerPolygons(referenceDC), metrics), metrics, palette);
    return font;
}

} // namespace korvani
