// Pixel and coverage buffers of the bitmap tool, and the few drawing primitives the resources
// are made of: blending a colour through a coverage mask, anti-aliased shapes, magnification.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace korvani::bitmaps {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// RGB pixels, rows top to bottom; alpha is kept only for the icon images.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    std::vector<std::uint8_t> alpha;

    Image() = default;
    Image(int w, int h, Rgb fill);
    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Coverage 0..255 per pixel, rows top to bottom.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> cover;

    Mask() = default;
    Mask(int w, int h) : width(w), height(h), cover(static_cast<std::size_t>(w) * h, 0) {}
    std::uint8_t& at(int x, int y) { return cover[static_cast<std::size_t>(y) * width + x]; }
    std::uint8_t at(int x, int y) const { return cover[static_cast<std::size_t>(y) * width + x]; }
};

// a + (b - a) * t / 255, rounded.
Rgb mix(Rgb a, Rgb b, int t);

// Blends `colour` into `image` through `mask` placed with its top-left corner at (x, y);
// parts outside the image are clipped.
void paintMask(Image& image, const Mask& mask, int x, int y, Rgb colour);

// Fills the rectangle [x, x + w) x [y, y + h), clipped.
void fillRect(Image& image, int x, int y, int w, int h, Rgb colour);

// Coverage of an arbitrary shape over a w x h grid, by `samples` x `samples` point sampling
// per pixel; `inside` takes pixel-space coordinates (pixel (i, j) spans [i, i+1) x [j, j+1)).
Mask shapeMask(int w, int h, int samples, const std::function<bool(double, double)>& inside);

// Rounded rectangle [x0, x1) x [y0, y1) with corner radius r, in pixel-space coordinates.
bool insideRoundedRect(double px, double py, double x0, double y0, double x1, double y1, double r);

// Pixel-for-pixel magnification by an integer factor.
Image magnify(const Image& image, int factor);

// Copies `src` into `dst` at (x, y), clipped.
void blit(Image& dst, const Image& src, int x, int y);

// Squared Euclidean distance from every cell of a w x h binary grid to the nearest set cell
// (exact, two-pass); unset grids give a very large distance.
std::vector<std::int64_t> squaredDistanceToSet(const std::vector<std::uint8_t>& set, int w, int h);

} // namespace korvani::bitmaps
