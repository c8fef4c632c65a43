// The rasteriser: crossings of a scanline into covered spans, and the spans of every scanline
// counted into pixel coverage.
#include "render/glyph_rasterizer.h"

#include <algorithm>
#include <cstring>

namespace korvani {

int scanlineSpans(const EdgeSet& edges, const std::int32_t* reaching, int reachingCount,
                  std::int32_t y, int maskWidth, CoveredSpan* spans) {
    std::int32_t crossingX[crossingCapacity];
    std::int8_t crossingWinding[crossingCapacity];
    // The crossings in ascending x, each inserted behind those of equal x.
    int crossings = 0;
    for (int n = 0; n < reachingCount && crossings < crossingCapacity; ++n) {
        const std::int32_t i = reaching[n];
        const std::int64_t dy = static_cast<std::int64_t>(y) - edges.top[i];
        const auto x = static_cast<std::int32_t>(edges.xAtTop[i] + ((dy * edges.slope[i]) >> 12));
        int j = crossings;
        while (j > 0 && crossingX[j - 1] > x) {
            crossingX[j] = crossingX[j - 1];
            crossingWinding[j] = crossingWinding[j - 1];
            --j;
        }
        crossingX[j] = x;
        crossingWinding[j] = edges.winding[i];
        ++crossings;
    }
    // The non-zero spans, clamped to the row and made disjoint.
    int count = 0;
    int sum = 0;
    int spanStart = 0;
    std::int32_t lastRight = -1;
    for (int j = 0; j < crossings; ++j) {
        sum += crossingWinding[j];
        if (sum != 0) continue;
        // The first and last columns whose centres lie on or between the two crossings.
        std::int32_t left = (crossingX[spanStart] + 2047) >> 12;
        std::int32_t right = (crossingX[j] - 2048) >> 12;
        spanStart = j + 1;
        left = std::max(left, lastRight + 1); // also keeps it at 0 or right of it
        right = std::min(right, maskWidth - 1);
        if (left > right) continue;
        spans[count++] = {left, right};
        lastRight = right;
    }
    return count;
}

namespace {

// Adds subsample columns left..right of one subsample row to the coverage of their pixels.
void addSpan(std::uint8_t* coverageRow, int left, int right) {
    const int firstPixel = left >> 3;
    const int lastPixel = right >> 3;
    if (firstPixel == lastPixel) {
        coverageRow[firstPixel] =
            static_cast<std::uint8_t>(coverageRow[firstPixel] + right - left + 1);
        return;
    }
    coverageRow[firstPixel] = static_cast<std::uint8_t>(coverageRow[firstPixel] + 8 - (left & 7));
    for (int p = firstPixel + 1; p < lastPixel; ++p)
        coverageRow[p] = static_cast<std::uint8_t>(coverageRow[p] + 8);
    coverageRow[lastPixel] = static_cast<std::uint8_t>(coverageRow[lastPixel] + (right & 7) + 1);
}

} // namespace

// Only the edges that reach a scanline are offered (they enter in order of their top and leave
// at their bottom), kept in stored order, so the crossings, their order and the spans are the
// same as when every edge is tested on every scanline.
void computeCoverage(const EdgeSet& edges, int first, int count, int width, int height,
                     CoverageMap& map) {
    map.width = std::max(width, 0);
    map.height = std::max(height, 0);
    map.level.assign(static_cast<std::size_t>(map.width) * map.height, 0);
    map.rowFirst.assign(static_cast<std::size_t>(map.height), map.width);
    map.rowLast.assign(static_cast<std::size_t>(map.height), -1);
    if (map.width == 0 || map.height == 0) return;

    std::vector<std::int32_t> order(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) order[n] = first + n;
    std::sort(order.begin(), order.end(), [&edges](std::int32_t a, std::int32_t b) {
        return edges.top[a] != edges.top[b] ? edges.top[a] < edges.top[b] : a < b;
    });
    std::vector<std::int32_t> active;
    active.reserve(static_cast<std::size_t>(count));

    CoveredSpan spans[spanCapacity];
    std::size_t nextEdge = 0;
    for (int k = 0; k < map.height * 8; ++k) {
        const std::int32_t y = scanlineY(k);
        std::erase_if(active, [&edges, y](std::int32_t e) { return edges.bottom[e] <= y; });
        // Take in the edges that begin at or above this scanline, in stored order.
        while (nextEdge < order.size() && edges.top[order[nextEdge]] <= y) {
            const std::int32_t e = order[nextEdge++];
            if (edges.bottom[e] <= y) continue;
            active.insert(std::upper_bound(active.begin(), active.end(), e), e);
        }
        if (active.empty()) {
            if (nextEdge == order.size()) break;
            continue;
        }
        const int spanCount = scanlineSpans(edges, active.data(), static_cast<int>(active.size()),
                                            y, map.width * 8, spans);
        const int py = k >> 3;
        std::uint8_t* coverageRow = map.level.data() + static_cast<std::size_t>(py) * map.width;
        for (int n = 0; n < spanCount; ++n) {
            addSpan(coverageRow, spans[n].left, spans[n].right);
            map.rowFirst[py] = std::min(map.rowFirst[py], spans[n].left >> 3);
            map.rowLast[py] = std::max(map.rowLast[py], spans[n].right >> 3);
        }
    }
}

} // namespace korvani
