// Renders text with FreeType into coverage masks: each glyph outline is loaded (lightly hinted
// for the small button and clock sizes), optionally emboldened and slanted, rasterised with
// anti-aliasing and added into one mask for the line.
#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <climits>
#include <vector>

namespace korvani::bitmaps {

Font::~Font() {
    if (face_ != nullptr) FT_Done_Face(static_cast<FT_Face>(face_));
    if (library_ != nullptr) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

bool Font::open(const char* path) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return false;
    library_ = library;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path, 0, &face) != 0) return false;
    face_ = face;
    return true;
}

namespace {

struct PlacedGlyph {
    int x = 0; // left of the bitmap from the line's origin
    int y = 0; // top of the bitmap from the baseline, downward
    Mask bitmap;
};

} // namespace

bool renderText(const Font& font, std::u32string_view text, const TextStyle& style,
                TextImage& out) {
    FT_Face face = static_cast<FT_Face>(font.face());
    if (face == nullptr) return false;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(style.pixelSize)) != 0) return false;

    const FT_Int32 flags =
        FT_LOAD_NO_BITMAP | (style.hinted ? FT_LOAD_TARGET_LIGHT : FT_LOAD_NO_HINTING);
    std::vector<PlacedGlyph> glyphs;
    long pen = 0; // 26.6
    for (std::size_t n = 0; n < text.size(); ++n) {
        const FT_UInt index = FT_Get_Char_Index(face, text[n]);
        if (index == 0) return false;
        if (FT_Load_Glyph(face, index, flags) != 0) return false;
        FT_GlyphSlot slot = face->glyph;
        if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
        if (style.embolden != 0) {
            // Grows every stroke by half the strength on each side, keeping it centred.
            FT_Outline_Embolden(&slot->outline, style.embolden);
        }
        if (style.slant != 0.0) {
            FT_Matrix shear{0x10000, static_cast<FT_Fixed>(style.slant * 0x10000), 0, 0x10000};
            FT_Outline_Transform(&slot->outline, &shear);
        }
        // Glyphs start on whole pixels so that hinted stems stay sharp.
        const long origin = (pen + 32) & ~63L;
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return false;
        PlacedGlyph g;
        g.x = static_cast<int>(origin / 64) + slot->bitmap_left;
        g.y = -slot->bitmap_top;
        g.bitmap = Mask(static_cast<int>(slot->bitmap.width), static_cast<int>(slot->bitmap.rows));
        for (int j = 0; j < g.bitmap.height; ++j)
            for (int i = 0; i < g.bitmap.width; ++i)
                g.bitmap.at(i, j) = slot->bitmap.buffer[j * slot->bitmap.pitch + i];
        glyphs.push_back(std::move(g));
        pen = origin + slot->advance.x;
        if (n + 1 < text.size()) pen += style.extraSpacing * 64L;
    }

    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const PlacedGlyph& g : glyphs) {
        if (g.bitmap.width == 0 || g.bitmap.height == 0) continue;
        left = std::min(left, g.x);
        top = std::min(top, g.y);
        right = std::max(right, g.x + g.bitmap.width);
        bottom = std::max(bottom, g.y + g.bitmap.height);
    }
    if (left == INT_MAX) {
        out = TextImage{};
        return true;
    }
    out.left = left;
    out.top = top;
    out.mask = Mask(right - left, bottom - top);
    for (const PlacedGlyph& g : glyphs) {
        for (int j = 0; j < g.bitmap.height; ++j) {
            for (int i = 0; i < g.bitmap.width; ++i) {
                std::uint8_t& c = out.mask.at(g.x - left + i, g.y - top + j);
                c = static_cast<std::uint8_t>(std::min(255, c + g.bitmap.at(i, j)));
            }
        }
    }
    return true;
}

} // namespace korvani::bitmaps
