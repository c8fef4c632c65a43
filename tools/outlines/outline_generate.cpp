// Builds all thirteen glyphs, checks them and produces the source text of the outline data.
#include "tools/outlines/outline_glyphs.h"

#include <cstdio>

namespace korvani::outlines {

bool generateOutlineSource(std::string& text, bool report, bool draft) {
    const std::vector<GlyphDesign> designs = glyphDesigns();
    std::vector<StoredGlyph> glyphs(designs.size());
    for (std::size_t g = 0; g < designs.size(); ++g) {
        if (!buildGlyph(designs[g], glyphs[g])) return false;
        if (!checkGlyph(designs[g], glyphs[g]) && !draft) return false;
        // The descriptions are drawn to their boxes; the fit may only absorb flattening.
        if (glyphs[g].largestFitCorrection > 1.5 && !draft) {
            const double* b = glyphs[g].drawnBox;
            std::fprintf(stderr, "%s: drawn %.3f units off its box: x %.2f..%.2f y %.2f..%.2f\n",
                         designs[g].name, glyphs[g].largestFitCorrection, b[0], b[1], b[2], b[3]);
            return false;
        }
        if (report)
            std::fprintf(stderr, "%-24s %3zu edges, box fit moved points by up to %.3f\n",
                         designs[g].name, glyphs[g].edges.size(), glyphs[g].largestFitCorrection);
    }
    text = outlineSource(designs, glyphs);
    return true;
}

} // namespace korvani::outlines
