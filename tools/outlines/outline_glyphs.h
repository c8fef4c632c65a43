// The thirteen glyphs, described as a type designer draws them: stroke centre lines (lines and
// arcs), one stroke width, round stroke ends and round outer corners, turned into the closed
// contours of their outlines.
#pragma once

#include "tools/outlines/outline_builder.h"

#include <string>
#include <vector>

namespace korvani::outlines {

// Glyph 0 (dotted frame), 1 (solid frame), the digits 9 down to 0, then the clock's colon.
std::vector<GlyphDesign> glyphDesigns();

// Builds and checks every glyph and returns the text of render/glyph_outlines_data.cpp; false
// (with the reason on stderr) when a glyph cannot be built or breaks a rule. With report, one
// line per glyph on stderr tells how far the box fit had to move it. A draft is written even
// when a glyph breaks a rule, to look at while drawing; it is never the data to commit.
bool generateOutlineSource(std::string& text, bool report, bool draft = false);

} // namespace korvani::outlines
