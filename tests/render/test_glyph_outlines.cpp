// The outline set's invariants: edge counts per glyph, well-formed edges, and at every cell size
// from 1 to 256 no scanline that leaves the winding range -1..+1 or meets more edges than the
// crossing scratch is meant to hold for that glyph.
#include "render/glyph_outlines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace korvani {
namespace {

TEST(GlyphOutlines, GlyphsOwnTheirFixedEdgeRanges) {
    const std::int32_t expected[14] = {0,    107,  119,  350,  611,  691,  918,
                                       1110, 1154, 1389, 1526, 1578, 1698, 1746};
    for (int g = 0; g <= glyphCount; ++g) EXPECT_EQ(glyphFirstEdge[g], expected[g]) << g;
}

TEST(GlyphOutlines, EveryEdgeIsWellFormed) {
    for (int i = 0; i < glyphEdgeTotal; ++i) {
        EXPECT_LT(edgeTop[i], edgeBottom[i]) << i;
        EXPECT_TRUE(edgeWinding[i] == 1 || edgeWinding[i] == -1) << i;
        EXPECT_GE(edgeSlope[i], -97684) << i;
        EXPECT_LE(edgeSlope[i], 224037) << i;
        EXPECT_GE(edgeTop[i], 0) << i;
        EXPECT_LE(edgeBottom[i], 6191841) << i;
    }
}

struct ScanlineLimits {
    int maxCrossings = 0;
    int minSum = 0;
    int maxSum = 0;
    int firstWindingSeen = 0; // the winding of the leftmost crossing, 0 if it varies
    bool firstWindingVaries = false;
};

// Every scanline that the fill visits at this cell size, with the crossings taken exactly as
// the fill takes them (stored order for equal x).
void scanGlyph(int glyph, int cellSize, ScanlineLimits& limits) {
    const std::int64_t s = cellSize * 32768 / 1511;
    struct Edge {
        std::int32_t top, bottom, x;
        int index;
    };
    std::vector<Edge> edges;
    for (int i = glyphFirstEdge[glyph]; i < glyphFirstEdge[glyph + 1]; ++i)
        edges.push_back({static_cast<std::int32_t>((s * edgeTop[i]) >> 12),
                         static_cast<std::int32_t>((s * edgeBottom[i]) >> 12),
                         static_cast<std::int32_t>((s * edgeXAtTop[i]) >> 12), i});
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) {
        return a.top != b.top ? a.top < b.top : a.index < b.index;
    });
    std::vector<Edge> active;
    std::size_t next = 0;
    std::vector<std::pair<std::int32_t, int>> crossings;
    for (int k = 0; k < cellSize * 8; ++k) {
        const std::int32_t y = 4096 * k + 2048;
        std::erase_if(active, [y](const Edge& e) { return e.bottom <= y; });
        for (; next < edges.size() && edges[next].top <= y; ++next)
            if (edges[next].bottom > y) active.push_back(edges[next]);
        std::sort(active.begin(), active.end(),
                  [](const Edge& a, const Edge& b) { return a.index < b.index; });
        crossings.clear();
        for (const Edge& e : active) {
            const auto x = static_cast<std::int32_t>(
                e.x + ((static_cast<std::int64_t>(y - e.top) * edgeSlope[e.index]) >> 12));
            crossings.emplace_back(x, edgeWinding[e.index]);
        }
        std::stable_sort(crossings.begin(), crossings.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        limits.maxCrossings = std::max(limits.maxCrossings, static_cast<int>(crossings.size()));
        int sum = 0;
        for (const auto& c : crossings) {
            sum += c.second;
            limits.minSum = std::min(limits.minSum, sum);
            limits.maxSum = std::max(limits.maxSum, sum);
        }
        // Where two crossings share the leftmost x their order is the stored one, which only
        // the tie rule fixes; elsewhere the leftmost edge always runs the same way.
        if (crossings.size() >= 2 && crossings[0].first != crossings[1].first) {
            if (limits.firstWindingSeen == 0) limits.firstWindingSeen = crossings[0].second;
            if (crossings[0].second != limits.firstWindingSeen) limits.firstWindingVaries = true;
        }
    }
}

TEST(GlyphOutlines, NoScanlineOverlapsOrOverflowsAtAnyCellSize) {
    for (int glyph = 0; glyph < glyphCount; ++glyph) {
        const int allowed = glyph == GlyphDottedFrame                         ? 18
                            : glyph == GlyphSolidFrame || glyph == GlyphColon ? 4
                                                                              : 6;
        ScanlineLimits limits;
        for (int cellSize = 1; cellSize <= 256; ++cellSize) scanGlyph(glyph, cellSize, limits);
        EXPECT_LE(limits.maxCrossings, allowed) << "glyph " << glyph;
        EXPECT_GE(limits.minSum, -1) << "glyph " << glyph;
        EXPECT_LE(limits.maxSum, 1) << "glyph " << glyph;
        // The frames' outer contours run the other way round from the digits'.
        EXPECT_FALSE(limits.firstWindingVaries) << "glyph " << glyph;
        EXPECT_EQ(limits.firstWindingSeen, glyph <= GlyphSolidFrame ? -1 : 1) << "glyph " << glyph;
    }
}

} // namespace
} // namespace korvani

namespace korvani {
namespace {

struct Box {
    double xMin, xMax, yMin, yMax;
};

Box extent(int glyph) {
    Box b = {1e9, -1e9, 1e9, -1e9};
    for (int i = glyphFirstEdge[glyph]; i < glyphFirstEdge[glyph + 1]; ++i) {
        const double xTop = edgeXAtTop[i] / 4096.0;
        const double xBottom = (edgeXAtTop[i] + static_cast<double>(edgeBottom[i] - edgeTop[i]) *
                                                    edgeSlope[i] / 4096.0) /
                               4096.0;
        b.xMin = std::min({b.xMin, xTop, xBottom});
        b.xMax = std::max({b.xMax, xTop, xBottom});
        b.yMin = std::min(b.yMin, edgeTop[i] / 4096.0);
        b.yMax = std::max(b.yMax, edgeBottom[i] / 4096.0);
    }
    return b;
}

TEST(GlyphOutlines, EachGlyphFillsItsBoxWithinOneUnit) {
    const Box expected[glyphCount] = {
        {82.56, 1428.48, 82.56, 1428.48},   {0, 1511.68, 0, 1511.68},
        {357.12, 1144.96, 286.08, 1225.60}, {352.00, 1149.44, 286.08, 1225.60},
        {343.04, 1160.64, 286.08, 1225.60}, {357.12, 1144.96, 286.08, 1225.60},
        {353.76, 1144.96, 286.08, 1225.60}, {343.04, 1160.64, 286.08, 1225.60},
        {362.88, 1127.04, 286.08, 1225.60}, {361.60, 1144.96, 286.08, 1225.60},
        {479.04, 851.84, 286.08, 1225.60},  {357.12, 1144.96, 286.08, 1225.60},
        {675.84, 835.84, 455.84, 1055.84}};
    for (int g = 0; g < glyphCount; ++g) {
        const Box b = extent(g);
        EXPECT_NEAR(b.xMin, expected[g].xMin, 1.0) << "glyph " << g;
        EXPECT_NEAR(b.xMax, expected[g].xMax, 1.0) << "glyph " << g;
        EXPECT_NEAR(b.yMin, expected[g].yMin, 1.0) << "glyph " << g;
        EXPECT_NEAR(b.yMax, expected[g].yMax, 1.0) << "glyph " << g;
    }
}

TEST(GlyphOutlines, TheStemOfTheOneIsAStrokeWide) {
    // Both sides of the stem are long vertical edges at 760.32 and 851.84.
    double longestLeft = 0, longestRight = 0;
    for (int i = glyphFirstEdge[digitGlyph(1)]; i < glyphFirstEdge[digitGlyph(1) + 1]; ++i) {
        if (edgeSlope[i] != 0) continue;
        const double x = edgeXAtTop[i] / 4096.0;
        const double run = (edgeBottom[i] - edgeTop[i]) / 4096.0;
        if (std::abs(x - 760.32) < 0.5) longestLeft = std::max(longestLeft, run);
        if (std::abs(x - 851.84) < 0.5) longestRight = std::max(longestRight, run);
    }
    EXPECT_GT(longestLeft, 500.0);
    EXPECT_GT(longestRight, 800.0);
}

} // namespace
} // namespace korvani
