// Flattening, edge budgets, box fit, quantisation, checks and the source text of the outlines.
#include "tools/outlines/outline_builder.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace korvani::outlines {

namespace {

constexpr int fineSteps = 1024;
// A straight stretch costs as much per unit length as a curve of this radius, so long gentle
// curves still get chords.
constexpr double gentleRadius = 3000.0;
// No chord next to a horizontal tangent may lie flatter than this (degrees): the stored slopes
// must stay within -97684 .. 224037 (about 2.4 degrees from horizontal).
constexpr double flattestChord = 3.0;
constexpr std::int32_t slopeMin = -97684;
constexpr std::int32_t slopeMax = 224037;

// A piece cut at the points where it turns in x or y, with its cost table for flattening.
struct Stretch {
    const Curve* curve = nullptr;
    double t0 = 0, t1 = 0;
    bool straight = false;
    bool flat = false;           // one horizontal chord across a horizontal tangent
    std::vector<double> t, cost; // fineSteps + 1 samples: parameter and cumulative cost
    double weight = 0;
    int chords = 1;
};

double coordinate(const Curve& c, double t, bool useY) {
    return useY ? c(t).y : c(t).x;
}

// Parameters strictly inside t0..t1 where x or y of the curve has a turning point: x turning
// points (vertical tangents) become vertices, y turning points (horizontal tangents) are
// returned separately.
void turningPoints(const Curve& c, double t0, double t1, std::vector<double>& xTurns,
                   std::vector<double>& yTurns) {
    const int n = 2000;
    for (int axis = 0; axis < 2; ++axis) {
        const bool useY = axis == 1;
        std::vector<double>& found = useY ? yTurns : xTurns;
        double prev = coordinate(c, t0, useY);
        double prevDelta = 0;
        for (int i = 1; i <= n; ++i) {
            const double t = t0 + (t1 - t0) * i / n;
            const double v = coordinate(c, t, useY);
            const double delta = v - prev;
            if (i > 1 && std::fabs(delta) > 1e-12 && std::fabs(prevDelta) > 1e-12 &&
                (delta > 0) != (prevDelta > 0)) {
                // Golden-section search for the extreme between the two previous steps.
                double a = t0 + (t1 - t0) * (i - 2) / n;
                double b = t;
                const double sign = prevDelta > 0 ? -1.0 : 1.0; // minimise sign * v
                const double g = (std::sqrt(5.0) - 1) / 2;
                for (int k = 0; k < 100; ++k) {
                    const double m1 = b - g * (b - a);
                    const double m2 = a + g * (b - a);
                    if (sign * coordinate(c, m1, useY) < sign * coordinate(c, m2, useY))
                        b = m2;
                    else
                        a = m1;
                }
                const double at = 0.5 * (a + b);
                const double minGap = 1e-6 * std::fabs(t1 - t0);
                if (std::fabs(at - t0) > minGap && std::fabs(at - t1) > minGap) found.push_back(at);
            }
            if (std::fabs(delta) > 1e-12) prevDelta = delta;
            prev = v;
        }
    }
}

// Degrees between the curve's tangent and the horizontal.
double tangentSlant(const Curve& c, double t) {
    const Vec2 d = c.tangent(t);
    return std::atan2(std::fabs(d.y), std::fabs(d.x)) * 180.0 / 3.14159265358979323846;
}

// Across a horizontal tangent at tTurn the outline gets one horizontal chord, from where the
// tangent leans flatChord degrees on one side to the point of equal height on the other; the
// chords beyond it then all lean more than that. False where the piece is too short for it.
constexpr double flatChord = 2.6;

bool flatAcross(const Curve& c, double t0, double t1, double tTurn, double& a, double& b) {
    auto lean = [&](double t) { return tangentSlant(c, t) - flatChord; };
    if (lean(t0) <= 0 || lean(t1) <= 0) return false;
    a = solve(lean, tTurn, t0);
    const double y = c(a).y;
    auto level = [&](double t) { return c(t).y - y; };
    if ((level(tTurn) < 0) == (level(t1) < 0)) return false;
    b = solve(level, tTurn, t1);
    return true;
}

void prepareStretch(Stretch& s) {
    if (s.straight) return;
    s.t.resize(fineSteps + 1);
    s.cost.resize(fineSteps + 1);
    const double gentle = std::sqrt(1.0 / gentleRadius);
    Vec2 prevPoint = (*s.curve)(s.t0);
    Vec2 prevTangent = s.curve->tangent(s.t0);
    s.t[0] = s.t0;
    s.cost[0] = 0;
    for (int j = 1; j <= fineSteps; ++j) {
        const double t = s.t0 + (s.t1 - s.t0) * j / fineSteps;
        const Vec2 p = (*s.curve)(t);
        const Vec2 tangent = s.curve->tangent(t);
        const double ds = length(p - prevPoint);
        const double turnAngle =
            std::fabs(std::atan2(cross(prevTangent, tangent), dot(prevTangent, tangent)));
        // Chords placed by equal shares of the integral of sqrt(curvature) have equal sag.
        s.t[j] = t;
        s.cost[j] = s.cost[j - 1] + std::sqrt(turnAngle * ds) + gentle * ds;
        prevPoint = p;
        prevTangent = tangent;
    }
    s.weight = s.cost[fineSteps];
}

double parameterAtCost(const Stretch& s, double c) {
    const auto it = std::lower_bound(s.cost.begin(), s.cost.end(), c);
    std::size_t j = static_cast<std::size_t>(it - s.cost.begin());
    if (j == 0) return s.t[0];
    if (j >= s.cost.size()) return s.t.back();
    const double span = s.cost[j] - s.cost[j - 1];
    const double f = span > 0 ? (c - s.cost[j - 1]) / span : 0;
    return s.t[j - 1] + f * (s.t[j] - s.t[j - 1]);
}

double costAtParameter(const Stretch& s, double t) {
    const double f = (t - s.t0) / (s.t1 - s.t0) * fineSteps;
    const int j = std::clamp(static_cast<int>(f), 0, fineSteps - 1);
    return s.cost[j] + (f - j) * (s.cost[j + 1] - s.cost[j]);
}

bool horizontalTangent(const Curve& c, double t) {
    return std::fabs(c.tangent(t).y) < 0.02;
}

// The angle (degrees) between the horizontal and the chord from c(from) to c(to).
double chordAngle(const Curve& c, double from, double to) {
    const Vec2 d = c(to) - c(from);
    return std::atan2(std::fabs(d.y), std::fabs(d.x)) * 180.0 / 3.14159265358979323846;
}

// The points of a stretch without its last one (the next stretch starts there).
void flattenStretch(const Stretch& s, std::vector<Vec2>& points) {
    if (s.straight || s.chords <= 1) {
        points.push_back((*s.curve)(s.t0));
        return;
    }
    std::vector<double> params(s.chords + 1);
    for (int k = 0; k <= s.chords; ++k) params[k] = parameterAtCost(s, s.weight * k / s.chords);
    params.front() = s.t0;
    params.back() = s.t1;
    // A chord that leaves a horizontal tangent too flatly is lengthened; the others share the
    // rest of the stretch by cost again.
    double lo = s.t0, hi = s.t1;
    if (horizontalTangent(*s.curve, s.t0) && chordAngle(*s.curve, s.t0, params[1]) < flattestChord)
        lo = solve([&](double t) { return chordAngle(*s.curve, s.t0, t) - flattestChord; }, s.t0,
                   s.t1);
    if (horizontalTangent(*s.curve, s.t1) &&
        chordAngle(*s.curve, params[s.chords - 1], s.t1) < flattestChord)
        hi = solve([&](double t) { return chordAngle(*s.curve, t, s.t1) - flattestChord; }, s.t1,
                   s.t0);
    if (lo != s.t0 || hi != s.t1) {
        const int first = lo != s.t0 ? 1 : 0;
        const int last = hi != s.t1 ? s.chords - 1 : s.chords;
        const double c0 = costAtParameter(s, lo);
        const double c1 = costAtParameter(s, hi);
        for (int k = first; k <= last; ++k)
            params[k] =
                parameterAtCost(s, c0 + (c1 - c0) * (k - first) / std::max(1, last - first));
        params.front() = s.t0;
        params.back() = s.t1;
    }
    for (int k = 0; k < s.chords; ++k) points.push_back((*s.curve)(params[k]));
}

struct IntPoint {
    std::int64_t x, y;
};

std::int64_t fixed(double v) {
    return static_cast<std::int64_t>(std::llround(v * 4096.0));
}

// Slope dx/dy in 20.12, rounded to nearest.
std::int32_t slopeOf(std::int64_t dx, std::int64_t dy) {
    const std::int64_t num = dx * 4096;
    const std::int64_t q = num >= 0 ? (num + dy / 2) / dy : -((-num + dy / 2) / dy);
    return static_cast<std::int32_t>(q);
}

double signedArea(const std::vector<IntPoint>& p) {
    double a = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const IntPoint& u = p[i];
        const IntPoint& v = p[(i + 1) % p.size()];
        a += static_cast<double>(u.x) * static_cast<double>(v.y) -
             static_cast<double>(v.x) * static_cast<double>(u.y);
    }
    return a / 2;
}

bool inside(const std::vector<IntPoint>& poly, double x, double y) {
    bool in = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const double xi = static_cast<double>(poly[i].x), yi = static_cast<double>(poly[i].y);
        const double xj = static_cast<double>(poly[j].x), yj = static_cast<double>(poly[j].y);
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
}

// Where two edges of a contour end at one vertex from above, the rasteriser computes their
// crossings just above it from different upper ends and rounded slopes, and may swap them by a
// few hundredths of a unit; inside a counter or a notch that would briefly count the winding
// twice. A flat of half a unit between their lower ends keeps them apart at every scale.
constexpr std::int64_t bottomFlat = 2048; // half a unit in 20.12, centred on the vertex

void flattenBottoms(std::vector<IntPoint>& p) {
    std::vector<IntPoint> out;
    const std::size_t n = p.size();
    for (std::size_t i = 0; i < n; ++i) {
        const IntPoint& prev = p[(i + n - 1) % n];
        const IntPoint& v = p[i];
        const IntPoint& next = p[(i + 1) % n];
        if (!(prev.y < v.y && next.y < v.y)) {
            out.push_back(v);
            continue;
        }
        // The edge that lies further left just above the vertex gets the left end of the flat.
        const double prevRun =
            static_cast<double>(prev.x - v.x) / static_cast<double>(v.y - prev.y);
        const double nextRun =
            static_cast<double>(next.x - v.x) / static_cast<double>(v.y - next.y);
        const std::int64_t half = bottomFlat / 2;
        const bool prevLeft = prevRun < nextRun;
        out.push_back({v.x + (prevLeft ? -half : half), v.y});
        out.push_back({v.x + (prevLeft ? half : -half), v.y});
    }
    p = out;
}

int countEdges(const std::vector<std::vector<IntPoint>>& polys) {
    int n = 0;
    for (const auto& p : polys)
        for (std::size_t i = 0; i < p.size(); ++i)
            if (p[i].y != p[(i + 1) % p.size()].y) ++n;
    return n;
}

// Spreads the chords over the curved stretches in proportion to their cost.
void allocate(std::vector<Stretch>& stretches, int budget) {
    double total = 0;
    int curved = 0;
    for (const Stretch& s : stretches)
        if (!s.straight) {
            total += s.weight;
            ++curved;
        }
    if (curved == 0) return;
    budget = std::max(budget, curved);
    std::vector<std::pair<double, std::size_t>> remainders;
    int used = 0;
    for (std::size_t i = 0; i < stretches.size(); ++i) {
        Stretch& s = stretches[i];
        if (s.straight) continue;
        const double share = budget * s.weight / total;
        s.chords = std::max(1, static_cast<int>(std::floor(share)));
        used += s.chords;
        remainders.emplace_back(share - std::floor(share), i);
    }
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t k = 0; used < budget; k = (k + 1) % remainders.size()) {
        ++stretches[remainders[k].second].chords;
        ++used;
    }
    // Too many chords after the minimum of one each: take them from the cheapest per chord.
    while (used > budget) {
        std::size_t best = stretches.size();
        for (std::size_t i = 0; i < stretches.size(); ++i) {
            const Stretch& s = stretches[i];
            if (s.straight || s.chords <= 1) continue;
            if (best == stretches.size() ||
                s.weight / s.chords < stretches[best].weight / stretches[best].chords)
                best = i;
        }
        if (best == stretches.size()) break;
        --stretches[best].chords;
        --used;
    }
}

} // namespace

bool buildGlyph(const GlyphDesign& design, StoredGlyph& out) {
    // Check that the contours close and cut the pieces where they turn.
    std::vector<Stretch> stretches;
    std::vector<std::size_t> contourStart;
    for (std::size_t c = 0; c < design.contours.size(); ++c) {
        const Contour& contour = design.contours[c];
        contourStart.push_back(stretches.size());
        for (std::size_t i = 0; i < contour.size(); ++i) {
            const Piece& p = contour[i];
            const Piece& next = contour[(i + 1) % contour.size()];
            const double gap = length(p.curve(p.t1) - next.curve(next.t0));
            if (gap > 1e-3) {
                std::fprintf(stderr, "%s: contour %zu piece %zu ends %.6f away from the next\n",
                             design.name, c, i, gap);
                return false;
            }
            if (length(p.curve(p.t1) - p.curve(p.t0)) < 1e-6 && !p.curve.straight &&
                std::fabs(p.t1 - p.t0) < 1e-9)
                continue;
            // Cut points along the piece, each with whether the stretch after it is flat.
            std::vector<std::pair<double, bool>> cuts = {{p.t0, false}};
            if (!p.curve.straight) {
                std::vector<double> xTurns, yTurns;
                turningPoints(p.curve, p.t0, p.t1, xTurns, yTurns);
                for (double t : xTurns) cuts.push_back({t, false});
                for (double t : yTurns) {
                    double a, b;
                    if (flatAcross(p.curve, p.t0, p.t1, t, a, b)) {
                        cuts.push_back({a, true});
                        cuts.push_back({b, false});
                    } else {
                        cuts.push_back({t, false});
                    }
                }
                const bool forward = p.t1 > p.t0;
                std::sort(cuts.begin() + 1, cuts.end(), [forward](const auto& u, const auto& v) {
                    return forward ? u.first < v.first : u.first > v.first;
                });
            }
            cuts.push_back({p.t1, false});
            for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
                Stretch s;
                s.curve = &p.curve;
                s.t0 = cuts[k].first;
                s.t1 = cuts[k + 1].first;
                s.straight = p.curve.straight || cuts[k].second;
                s.flat = cuts[k].second;
                if (length(p.curve(s.t1) - p.curve(s.t0)) < 1e-6) continue;
                stretches.push_back(std::move(s));
            }
        }
    }
    contourStart.push_back(stretches.size());
    for (Stretch& s : stretches) prepareStretch(s);

    int straightEdges = 0;
    for (const Stretch& s : stretches)
        if (s.straight && std::fabs((*s.curve)(s.t0).y - (*s.curve)(s.t1).y) > 1e-9)
            ++straightEdges;

    std::vector<std::vector<IntPoint>> polys;
    double fitCorrection = 0;
    auto flatten = [&]() {
        std::vector<std::vector<Vec2>> points(design.contours.size());
        std::vector<std::vector<bool>> flatFrom(design.contours.size());
        double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
        for (std::size_t c = 0; c < design.contours.size(); ++c) {
            for (std::size_t i = contourStart[c]; i < contourStart[c + 1]; ++i) {
                const std::size_t first = points[c].size();
                flattenStretch(stretches[i], points[c]);
                flatFrom[c].resize(points[c].size(), false);
                if (stretches[i].flat) flatFrom[c][first] = true;
            }
            for (const Vec2& v : points[c]) {
                x0 = std::min(x0, v.x);
                x1 = std::max(x1, v.x);
                y0 = std::min(y0, v.y);
                y1 = std::max(y1, v.y);
            }
        }
        // Fit the box exactly; the design is drawn to it, so this moves points by hairs only.
        const double ax = (design.xMax - design.xMin) / (x1 - x0);
        const double ay = (design.yMax - design.yMin) / (y1 - y0);
        out.drawnBox[0] = x0;
        out.drawnBox[1] = x1;
        out.drawnBox[2] = y0;
        out.drawnBox[3] = y1;
        fitCorrection = 0;
        polys.assign(points.size(), {});
        for (std::size_t c = 0; c < points.size(); ++c) {
            std::int64_t flatY = 0;
            bool snap = false;
            for (std::size_t i = 0; i < points[c].size(); ++i) {
                const Vec2 v = points[c][i];
                const Vec2 f = {design.xMin + (v.x - x0) * ax, design.yMin + (v.y - y0) * ay};
                fitCorrection = std::max(fitCorrection, length(f - v));
                IntPoint q = {fixed(f.x), fixed(f.y)};
                // The far end of a flat chord lies exactly level with its near end.
                if (snap) q.y = flatY;
                snap = flatFrom[c][i];
                flatY = q.y;
                if (!polys[c].empty() && polys[c].back().x == q.x && polys[c].back().y == q.y)
                    continue;
                polys[c].push_back(q);
            }
            while (polys[c].size() > 1 && polys[c].front().x == polys[c].back().x &&
                   polys[c].front().y == polys[c].back().y)
                polys[c].pop_back();
            flattenBottoms(polys[c]);
        }
    };

    int budget = design.edges - straightEdges;
    int count = 0;
    for (int attempt = 0; attempt < 40; ++attempt) {
        allocate(stretches, budget);
        flatten();
        count = countEdges(polys);
        if (count == design.edges) break;
        budget += design.edges - count;
    }
    if (count != design.edges) {
        std::fprintf(stderr, "%s: %d edges instead of %d\n", design.name, count, design.edges);
        return false;
    }

    // Orientation: outer contours of the digits run down their left side (winding +1 there),
    // holes the other way; the frames the opposite.
    out.edges.clear();
    out.largestFitCorrection = fitCorrection;
    for (std::size_t c = 0; c < polys.size(); ++c) {
        std::vector<IntPoint> p = polys[c];
        int depth = 0;
        for (std::size_t o = 0; o < polys.size(); ++o)
            if (o != c && inside(polys[o], static_cast<double>(p[0].x) + 0.5,
                                 static_cast<double>(p[0].y) + 0.5))
                ++depth;
        const bool outer = depth % 2 == 0;
        const bool wantNegative = outer != design.frame;
        if ((signedArea(p) < 0) != wantNegative) std::reverse(p.begin(), p.end());
        // Start at the topmost vertex (leftmost of those).
        std::size_t start = 0;
        for (std::size_t i = 1; i < p.size(); ++i)
            if (p[i].y < p[start].y || (p[i].y == p[start].y && p[i].x < p[start].x)) start = i;
        std::rotate(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(start), p.end());
        for (std::size_t i = 0; i < p.size(); ++i) {
            const IntPoint& a = p[i];
            const IntPoint& b = p[(i + 1) % p.size()];
            if (a.y == b.y) continue;
            const IntPoint& top = a.y < b.y ? a : b;
            const IntPoint& bottom = a.y < b.y ? b : a;
            StoredEdge e;
            e.xAtTop = static_cast<std::int32_t>(top.x);
            e.top = static_cast<std::int32_t>(top.y);
            e.bottom = static_cast<std::int32_t>(bottom.y);
            e.slope = slopeOf(bottom.x - top.x, bottom.y - top.y);
            e.winding = static_cast<std::int8_t>(b.y > a.y ? 1 : -1);
            if (e.slope < slopeMin || e.slope > slopeMax) {
                std::fprintf(stderr, "%s: contour %zu edge at (%.2f, %.2f) too flat, slope %d\n",
                             design.name, c, top.x / 4096.0, top.y / 4096.0, e.slope);
                return false;
            }
            out.edges.push_back(e);
        }
    }
    return true;
}

bool checkGlyph(const GlyphDesign& design, const StoredGlyph& glyph) {
    const auto& edges = glyph.edges;
    for (int cellSize = 1; cellSize <= 256; ++cellSize) {
        const std::int64_t s = cellSize * 32768 / 1511;
        struct Scaled {
            std::int32_t top, bottom, x;
            std::size_t index;
        };
        std::vector<Scaled> scaled;
        for (std::size_t i = 0; i < edges.size(); ++i)
            scaled.push_back({static_cast<std::int32_t>((s * edges[i].top) >> 12),
                              static_cast<std::int32_t>((s * edges[i].bottom) >> 12),
                              static_cast<std::int32_t>((s * edges[i].xAtTop) >> 12), i});
        for (int k = 0; k < cellSize * 8; ++k) {
            const std::int32_t y = 4096 * k + 2048;
            std::vector<std::pair<std::int32_t, int>> crossings;
            for (const Scaled& e : scaled) {
                if (!(e.top <= y && y < e.bottom)) continue;
                const auto x = static_cast<std::int32_t>(
                    e.x + ((static_cast<std::int64_t>(y - e.top) * edges[e.index].slope) >> 12));
                crossings.emplace_back(x, edges[e.index].winding);
            }
            std::stable_sort(crossings.begin(), crossings.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            if (static_cast<int>(crossings.size()) > design.maxCrossings) {
                std::fprintf(stderr, "%s: %zu crossings at cell size %d row %d\n", design.name,
                             crossings.size(), cellSize, k);
                return false;
            }
            int sum = 0;
            for (const auto& c : crossings) {
                sum += c.second;
                if (sum < -1 || sum > 1) {
                    std::fprintf(stderr, "%s: winding %d at cell size %d row %d\n", design.name,
                                 sum, cellSize, k);
                    return false;
                }
            }
        }
    }
    return true;
}

std::string outlineSource(const std::vector<GlyphDesign>& designs,
                          const std::vector<StoredGlyph>& glyphs) {
    std::string s;
    char buffer[64];
    s += "// Generated by korvani-outlines (tools/outlines) from the glyph descriptions there; do "
         "not\n"
         "// edit. The thirteen glyphs as straight y-monotone edges in 20.12 fixed point.\n"
         "#include \"render/glyph_outlines.h\"\n\n"
         "namespace korvani {\n\n"
         "const std::int32_t glyphFirstEdge[glyphCount + 1] = {";
    std::size_t first = 0;
    for (std::size_t g = 0; g <= glyphs.size(); ++g) {
        std::snprintf(buffer, sizeof buffer, "%s%zu", g == 0 ? "" : ", ", first);
        s += buffer;
        if (g < glyphs.size()) first += glyphs[g].edges.size();
    }
    s += "};\n";
    auto column = [&](const char* type, const char* name, auto value) {
        s += "\nconst ";
        s += type;
        s += " ";
        s += name;
        s += "[glyphEdgeTotal] = {\n";
        for (std::size_t g = 0; g < glyphs.size(); ++g) {
            s += "    // ";
            s += designs[g].name;
            s += "\n";
            const auto& edges = glyphs[g].edges;
            for (std::size_t i = 0; i < edges.size(); i += 8) {
                s += "   ";
                for (std::size_t j = i; j < std::min(edges.size(), i + 8); ++j) {
                    std::snprintf(buffer, sizeof buffer, " %" PRId32 ",", value(edges[j]));
                    s += buffer;
                }
                s += "\n";
            }
        }
        s += "};\n";
    };
    column("std::int32_t", "edgeXAtTop", [](const StoredEdge& e) { return e.xAtTop; });
    column("std::int32_t", "edgeTop", [](const StoredEdge& e) { return e.top; });
    column("std::int32_t", "edgeBottom", [](const StoredEdge& e) { return e.bottom; });
    column("std::int32_t", "edgeSlope", [](const StoredEdge& e) { return e.slope; });
    column("std::int8_t", "edgeWinding",
           [](const StoredEdge& e) { return static_cast<std::int32_t>(e.winding); });
    s += "\n} // namespace korvani\n";
    return s;
}

} // namespace korvani::outlines
