// The band's lettering at run time through GDI: the button labels in the system's UI font at
// the display scale, and the "clear!" banner's letters from the outline of that font, bold and
// slanted, rasterised by the game's own rasteriser. With them, the complete button strip and
// clock font of any scale and palette.
#pragma once

#include "render/band_art.h"

#include <windows.h>

namespace korvani {

// The button strip: paintButtonShapes with the labels 問題の選択 and 最初から centred on the
// faces, two buttons then the same two lit.
Picture drawButtonStrip(const LayoutMetrics& metrics, const Palette& palette, HDC referenceDC);

// The clock font: paintClockFont with the banner painted below the glyph rows.
Picture drawClockFont(GlyphCoverage& coverage, const LayoutMetrics& metrics, const Palette& palette,
                      HDC referenceDC);

} // namespace korvani
