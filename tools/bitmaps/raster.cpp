// Drawing primitives of the bitmap tool: mask blending, supersampled shapes, magnification and
// an exact Euclidean distance transform (used to grow the banner's rim around its letters).
#include "raster.h"

#include <algorithm>
#include <limits>

namespace korvani::bitmaps {

Image::Image(int w, int h, Rgb fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill),
      alpha(static_cast<std::size_t>(w) * h, 255) {}

Rgb mix(Rgb a, Rgb b, int t) {
    auto one = [t](int from, int to) {
        return static_cast<std::uint8_t>((from * (255 - t) + to * t + 127) / 255);
    };
    return {one(a.r, b.r), one(a.g, b.g), one(a.b, b.b)};
}

void paintMask(Image& image, const Mask& mask, int x, int y, Rgb colour) {
    for (int j = 0; j < mask.height; ++j) {
        const int ty = y + j;
        if (ty < 0 || ty >= image.height) continue;
        for (int i = 0; i < mask.width; ++i) {
            const int tx = x + i;
            if (tx < 0 || tx >= image.width) continue;
            const int c = mask.at(i, j);
            if (c != 0) image.at(tx, ty) = mix(image.at(tx, ty), colour, c);
        }
    }
}

void fillRect(Image& image, int x, int y, int w, int h, Rgb colour) {
    for (int j = std::max(y, 0); j < std::min(y + h, image.height); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, image.width); ++i) image.at(i, j) = colour;
}

Mask shapeMask(int w, int h, int samples, const std::function<bool(double, double)>& inside) {
    Mask mask(w, h);
    const int total = samples * samples;
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            int hits = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx)
                    if (inside(i + (sx + 0.5) / samples, j + (sy + 0.5) / samples)) ++hits;
            mask.at(i, j) = static_cast<std::uint8_t>((hits * 255 + total / 2) / total);
        }
    }
    return mask;
}

bool insideRoundedRect(double px, double py, double x0, double y0, double x1, double y1, double r) {
    if (px < x0 || px >= x1 || py < y0 || py >= y1) return false;
    const double cx = std::clamp(px, x0 + r, x1 - r);
    const double cy = std::clamp(py, y0 + r, y1 - r);
    const double dx = px - cx;
    const double dy = py - cy;
    return dx * dx + dy * dy <= r * r;
}

Image magnify(const Image& image, int factor) {
    Image out(image.width * factor, image.height * factor, Rgb{});
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.at(x, y) = image.at(x / factor, y / factor);
    return out;
}

void blit(Image& dst, const Image& src, int x, int y) {
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i)
            if (x + i >= 0 && x + i < dst.width && y + j >= 0 && y + j < dst.height)
                dst.at(x + i, y + j) = src.at(i, j);
}

namespace {

// One dimension of the Felzenszwalb-Huttenlocher transform: f holds squared distances along a
// line; d receives the lower envelope of the parabolas rooted there.
void transformLine(const std::vector<std::int64_t>& f, std::vector<std::int64_t>& d) {
    const int n = static_cast<int>(f.size());
    std::vector<int> v(n);
    std::vector<double> z(n + 1);
    int k = 0;
    v[0] = 0;
    z[0] = -std::numeric_limits<double>::infinity();
    z[1] = std::numeric_limits<double>::infinity();
    for (int q = 1; q < n; ++q) {
        auto meet = [&](int p) {
            return (static_cast<double>(f[q] + std::int64_t{q} * q) -
                    static_cast<double>(f[p] + std::int64_t{p} * p)) /
                   (2.0 * (q - p));
        };
        double s = meet(v[k]);
        while (s <= z[k]) s = meet(v[--k]);
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = std::numeric_limits<double>::infinity();
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q) ++k;
        const std::int64_t dq = q - v[k];
        d[q] = dq * dq + f[v[k]];
    }
}

} // namespace

std::vector<std::int64_t> squaredDistanceToSet(const std::vector<std::uint8_t>& set, int w, int h) {
    const std::int64_t far = std::int64_t{1} << 40;
    std::vector<std::int64_t> grid(set.size());
    for (std::size_t i = 0; i < set.size(); ++i) grid[i] = set[i] ? 0 : far;
    std::vector<std::int64_t> f(static_cast<std::size_t>(std::max(w, h)));
    std::vector<std::int64_t> d(f.size());
    for (int x = 0; x < w; ++x) {
        f.resize(h);
        d.resize(h);
        for (int y = 0; y < h; ++y) f[y] = grid[static_cast<std::size_t>(y) * w + x];
        transformLine(f, d);
        for (int y = 0; y < h; ++y) grid[static_cast<std::size_t>(y) * w + x] = d[y];
    }
    for (int y = 0; y < h; ++y) {
        f.resize(w);
        d.resize(w);
        for (int x = 0; x < w; ++x) f[x] = grid[static_cast<std::size_t>(y) * w + x];
        transformLine(f, d);
        for (int x = 0; x < w; ++x) grid[static_cast<std::size_t>(y) * w + x] = d[x];
    }
    return grid;
}

} // namespace korvani::bitmaps
