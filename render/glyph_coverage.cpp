// The glyph coverage cache: the outline set scaled to a size and rasterised glyph by glyph.
#include "render/glyph_coverage.h"

#include "render/glyph_outlines.h"

namespace korvani {

std::int32_t outlineScale(int size) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(size) * 32768 / 1511);
}

void GlyphCoverage::scaleTo(int size) {
    if (scaledSize_ == size) return;
    const std::int64_t scale = outlineScale(size);
    top_.resize(glyphEdgeTotal);
    bottom_.resize(glyphEdgeTotal);
    xAtTop_.resize(glyphEdgeTotal);
    for (int i = 0; i < glyphEdgeTotal; ++i) {
        top_[i] = static_cast<std::int32_t>((scale * edgeTop[i]) >> 12);
        bottom_[i] = static_cast<std::int32_t>((scale * edgeBottom[i]) >> 12);
        xAtTop_[i] = static_cast<std::int32_t>((scale * edgeXAtTop[i]) >> 12);
    }
    scaledSize_ = size;
}

const CoverageMap& GlyphCoverage::of(int glyph, int size) {
    const auto key = std::make_pair(glyph, size);
    const auto found = maps_.find(key);
    if (found != maps_.end()) return found->second;
    scaleTo(size);
    const EdgeSet edges = {top_.data(), bottom_.data(), xAtTop_.data(), edgeSlope, edgeWinding};
    CoverageMap& map = maps_[key];
    computeCoverage(edges, glyphFirstEdge[glyph], glyphFirstEdge[glyph + 1] - glyphFirstEdge[glyph],
                    size, size, map);
    return map;
}

} // namespace korvani
