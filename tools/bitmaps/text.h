// Lettering for the bitmap tool: a FreeType face and the rendering of a line of text into a
// coverage mask with its position relative to the pen origin on the baseline.
#pragma once

#include "raster.h"

#include <string_view>

namespace korvani::bitmaps {

class Font {
  public:
    Font() = default;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font();

    // Opens the font file; false when it is missing or unreadable.
    bool open(const char* path);

    void* face() const { return face_; }

  private:
    void* library_ = nullptr;
    void* face_ = nullptr;
};

struct TextStyle {
    int pixelSize = 16;   // em size in pixels
    int embolden = 0;     // stroke growth in 1/64 pixel (both sides together)
    double slant = 0.0;   // horizontal shear: x += slant * height above the baseline
    bool hinted = true;   // light (vertical-only) hinting for small sizes
    int extraSpacing = 0; // pixels added after every character but the last
};

// A rendered line: `mask` covers all ink; its top-left pixel lies at (left, top) from the pen
// origin, y growing downward (so top is negative above the baseline).
struct TextImage {
    Mask mask;
    int left = 0;
    int top = 0;
};

// Renders `text` on one baseline; false when a character cannot be loaded or rendered.
bool renderText(const Font& font, std::u32string_view text, const TextStyle& style, TextImage& out);

} // namespace korvani::bitmaps
