// The glyph descriptions. All digits are upright monoline numerals drawn with one round pen:
// strokes 91.52 units wide, round ends, round outer corners, sharp inner corners; they share
// the height 286.08 .. 1225.60 and each fills the width of its row in the glyph table.
#include "tools/outlines/outline_glyphs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace korvani::outlines {

namespace {

constexpr double stroke = 91.52;
constexpr double h = stroke / 2;   // half the stroke: centre line to edge
constexpr double top = 286.08;     // top of every digit
constexpr double bottom = 1225.60; // baseline of every digit
constexpr double yTop = top + h;   // centre line of a stroke that touches the top
constexpr double yBottom = bottom - h;
constexpr double yMiddle = (top + bottom) / 2;

Piece whole(const Curve& c) {
    return {c, 0, 1};
}
Piece part(const Curve& c, double t0, double t1) {
    return {c, t0, t1};
}

// A crossing that the design relies on; the tool stops if the shapes no longer meet.
void meet(const char* what, const Curve& a, double a0, double a1, const Curve& b, double b0,
          double b1, double& ta, double& tb) {
    if (!intersect(a, a0, a1, b, b0, b1, ta, tb)) {
        std::fprintf(stderr, "outlines: %s do not meet\n", what);
        std::exit(1);
    }
}

// The smallest x that a curve reaches (sampled finely; the caps are half circles).
double leftmost(const Curve& c) {
    double x = c(0).x;
    for (int i = 1; i <= 4000; ++i) x = std::min(x, c(i / 4000.0).x);
    return x;
}

Contour polygon(const std::vector<Vec2>& points) {
    Contour c;
    for (std::size_t i = 0; i < points.size(); ++i)
        c.push_back(whole(line(points[i], points[(i + 1) % points.size()])));
    return c;
}

Contour mappedContour(const Contour& contour, double ax, double bx, double ay, double by) {
    Contour c;
    for (const Piece& p : contour) c.push_back({mapped(p.curve, ax, bx, ay, by), p.t0, p.t1});
    return c;
}

GlyphDesign digit(const char* name, int edges, double xMin, double xMax) {
    GlyphDesign g;
    g.name = name;
    g.edges = edges;
    g.maxCrossings = 6;
    g.xMin = xMin;
    g.xMax = xMax;
    g.yMin = top;
    g.yMax = bottom;
    return g;
}

// ---------------------------------------------------------------------------------------------
// Glyph 0: the dotted frame drawn around digits equal to the selected one. A square band 68.48
// thick from 82.56 to 1428.48, cut into an L-shaped piece at each corner (outer corner rounded
// on the band's full thickness) and seven dashes along each side.
GlyphDesign dottedFrame() {
    GlyphDesign g;
    g.name = "glyph 0: dotted frame";
    g.edges = 107;
    g.maxCrossings = 18;
    g.frame = true;
    const double o = 82.56, far = 1428.48, t = 68.48;
    const double dash = 87.68;
    const double arm = 112.0; // each arm of a corner piece, measured from the outer edge
    const double gap = ((far - o) - 2 * arm - 7 * dash) / 8;
    g.xMin = g.yMin = o;
    g.xMax = g.yMax = far;

    // The top-left corner piece; the other three are its mirror images.
    Contour corner;
    corner.push_back(whole(line({o + t, o}, {o + arm, o})));
    corner.push_back(whole(line({o + arm, o}, {o + arm, o + t})));
    corner.push_back(whole(line({o + arm, o + t}, {o + t, o + t})));
    corner.push_back(whole(line({o + t, o + t}, {o + t, o + arm})));
    corner.push_back(whole(line({o + t, o + arm}, {o, o + arm})));
    corner.push_back(whole(line({o, o + arm}, {o, o + t})));
    corner.push_back(whole(circleArc({o + t, o + t}, t, 180, 90)));
    const double mirror = o + far;
    g.contours.push_back(corner);
    g.contours.push_back(mappedContour(corner, -1, mirror, 1, 0));
    g.contours.push_back(mappedContour(corner, 1, 0, -1, mirror));
    g.contours.push_back(mappedContour(corner, -1, mirror, -1, mirror));

    for (int k = 0; k < 7; ++k) {
        const double a = o + arm + gap + k * (dash + gap);
        const double b = a + dash;
        g.contours.push_back(polygon({{a, o}, {b, o}, {b, o + t}, {a, o + t}}));         // top
        g.contours.push_back(polygon({{a, far - t}, {b, far - t}, {b, far}, {a, far}})); // bottom
        g.contours.push_back(polygon({{o, a}, {o + t, a}, {o + t, b}, {o, b}}));         // left
        g.contours.push_back(polygon({{far - t, a}, {far, a}, {far, b}, {far - t, b}})); // right
    }
    return g;
}

// Glyph 1: a thin solid ring along the cell's border, 30.08 thick, corners bevelled.
GlyphDesign solidFrame() {
    GlyphDesign g;
    g.name = "glyph 1: solid frame";
    g.edges = 12;
    g.maxCrossings = 4;
    g.frame = true;
    const double s = 1511.68, t = 30.08, b = 6.4, bi = 3.2;
    g.xMin = g.yMin = 0;
    g.xMax = g.yMax = s;
    g.contours.push_back(
        polygon({{b, 0}, {s - b, 0}, {s, b}, {s, s - b}, {s - b, s}, {b, s}, {0, s - b}, {0, b}}));
    const double i0 = t, i1 = s - t;
    g.contours.push_back(polygon({{i0 + bi, i0},
                                  {i1 - bi, i0},
                                  {i1, i0 + bi},
                                  {i1, i1 - bi},
                                  {i1 - bi, i1},
                                  {i0 + bi, i1},
                                  {i0, i1 - bi},
                                  {i0, i0 + bi}}));
    return g;
}

// ---------------------------------------------------------------------------------------------
// The bowls are superellipses rather than ellipses: in these wide figures a plain oval looks
// pinched at its ends, a slightly squared one keeps the stroke's colour even all round.
constexpr double squareness = 2.2;

// Digit 9: a closed bowl in the upper part; from the bowl's right side the tail runs down the
// lower right quarter of a tall oval round to a round terminal on the lower left.
struct NineShape {
    Contour outer;
    Contour counter;
};

NineShape nineShape() {
    const double xMin = 357.12, xMax = 1144.96;
    const double cx = (xMin + xMax) / 2;
    const double rx = (xMax - xMin) / 2 - h;
    const double bowlRy = 236.0; // the bowl: centre-line half height
    const Vec2 bowlCentre = {cx, yTop + bowlRy};
    // The tail runs straight down from the bowl's right side to tailTop, then follows the
    // lower right quarter of an oval as wide as the bowl down to the baseline and round to a
    // terminal at polar angle tailEnd.
    const double tailTop = 640.0;
    const double tailEnd = -128.0;

    const Curve bowl = superArc(bowlCentre, rx, bowlRy, squareness, 0, -360); // clockwise
    const Curve drop = line({cx + rx, bowlCentre.y}, {cx + rx, tailTop});
    const Curve tail = superArc({cx, tailTop}, rx, yBottom - tailTop, squareness, 0, tailEnd);
    const Curve bowlOuter = offset(bowl, h), bowlInner = offset(bowl, -h);
    const Curve dropOuter = offset(drop, h), dropInner = offset(drop, -h);
    const Curve tailOuter = offset(tail, h), tailInner = offset(tail, -h);

    NineShape s;
    // Where the bowl's outline runs into the inner side of the tail.
    double tb, tt;
    const bool onDrop = intersect(bowlOuter, 0, 0.25, dropInner, 0, 1, tb, tt);
    if (!onDrop) meet("bowl and tail of the 9", bowlOuter, 0, 0.25, tailInner, 0, 0.6, tb, tt);
    s.outer.push_back(part(bowlOuter, tb, 1));
    s.outer.push_back(whole(dropOuter));
    s.outer.push_back(whole(tailOuter));
    s.outer.push_back(whole(roundCap(tail.end(), tail.headingAt(1), h)));
    if (onDrop) {
        s.outer.push_back(part(tailInner, 1, 0));
        s.outer.push_back(part(dropInner, 1, tt));
    } else {
        s.outer.push_back(part(tailInner, 1, tt));
    }
    s.counter.push_back(whole(bowlInner));
    return s;
}

GlyphDesign digitNine() {
    GlyphDesign g = digit("glyph 2: digit 9", 231, 357.12, 1144.96);
    const NineShape s = nineShape();
    g.contours = {s.outer, s.counter};
    return g;
}

// Digit 6: the 9 turned half round.
GlyphDesign digitSix() {
    GlyphDesign g = digit("glyph 5: digit 6", 227, 357.12, 1144.96);
    const NineShape s = nineShape();
    const double bx = 357.12 + 1144.96, by = top + bottom;
    g.contours = {mappedContour(s.outer, -1, bx, -1, by), mappedContour(s.counter, -1, bx, -1, by)};
    return g;
}

// ---------------------------------------------------------------------------------------------
// Digit 8: two closed bowls stacked, touching at the waist, the lower one wider and taller.
GlyphDesign digitEight() {
    GlyphDesign g = digit("glyph 3: digit 8", 261, 352.00, 1149.44);
    const double cx = (352.00 + 1149.44) / 2;
    const double lowerRx = (1149.44 - 352.00) / 2 - h;
    const double upperRx = lowerRx - 52.0;
    const double waist = 732.0; // centre line where the bowls touch
    const double upperRy = (waist - yTop) / 2, lowerRy = (yBottom - waist) / 2;
    // Both run clockwise: the upper from its bottom, the lower from its top.
    const Curve upper = superArc({cx, waist - upperRy}, upperRx, upperRy, squareness, -90, -450);
    const Curve lower = superArc({cx, waist + lowerRy}, lowerRx, lowerRy, squareness, 90, -270);
    const Curve upperOuter = offset(upper, h), lowerOuter = offset(lower, h);
    double ul, ll, ur, lr;
    meet("left of the 8's waist", upperOuter, 0, 0.25, lowerOuter, 0.75, 1, ul, ll);
    meet("right of the 8's waist", upperOuter, 0.75, 1, lowerOuter, 0, 0.25, ur, lr);
    g.contours.push_back({part(upperOuter, ul, ur), part(lowerOuter, lr, ll)});
    // The counters start away from their flat top and bottom, which get level chords.
    const Curve upperLoop =
        superArc({cx, waist - upperRy}, upperRx, upperRy, squareness, -45, -405);
    const Curve lowerLoop = superArc({cx, waist + lowerRy}, lowerRx, lowerRy, squareness, 45, -315);
    g.contours.push_back({whole(offset(upperLoop, -h))});
    g.contours.push_back({whole(offset(lowerLoop, -h))});
    return g;
}

// ---------------------------------------------------------------------------------------------
// Digit 7: a straight top bar with a round left end; from its right end, round on the outside,
// the stem sweeps down to the left on a wide arc that grows steeper towards its round foot.
GlyphDesign digitSeven() {
    GlyphDesign g = digit("glyph 4: digit 7", 80, 343.04, 1160.64);
    const Vec2 barLeft = {343.04 + h, yTop};
    const Vec2 corner = {1160.64 - h, yTop};
    const Vec2 foot = {590.0, yBottom};
    const Curve bar = line(barLeft, corner);
    const Curve stem = arcToWithEndHeading(corner, foot, 254.0);
    const Curve barTop = offset(bar, h), barUnder = offset(bar, -h);
    const Curve stemOuter = offset(stem, h), stemInner = offset(stem, -h);
    double tb, ts;
    meet("bar and stem of the 7", barUnder, 0, 1, stemInner, 0, 0.5, tb, ts);
    Contour c;
    c.push_back(whole(barTop));
    c.push_back(whole(roundJoin(corner, h, barTop.end(), stemOuter.start(), -1.0 * bar.tangent(1),
                                stem.tangent(0))));
    c.push_back(whole(stemOuter));
    c.push_back(whole(roundCap(stem.end(), stem.headingAt(1), h)));
    c.push_back(part(stemInner, 1, ts));
    c.push_back(part(barUnder, tb, 0));
    c.push_back(whole(roundCap(barLeft, 180, h)));
    g.contours.push_back(c);
    return g;
}

// ---------------------------------------------------------------------------------------------
// Digit 4: a vertical stem from the top to the baseline, a diagonal from the top of the stem
// down to the left end of the crossbar, and the crossbar reaching past the stem to a round end.
GlyphDesign digitFour() {
    GlyphDesign g = digit("glyph 7: digit 4", 44, 343.04, 1160.64);
    const double stemX = 930.0;
    const double barY = 940.0;
    const Vec2 apex = {stemX, yTop};
    const Vec2 barLeft = {343.04 + h, barY};
    const Vec2 barRight = {1160.64 - h, barY};
    const Curve stem = line(apex, {stemX, yBottom});
    const Curve bar = line(barLeft, barRight);
    const Curve diagonal = line(apex, barLeft);
    const Curve stemRight = offset(stem, h), stemLeft = offset(stem, -h);
    const Curve barTop = offset(bar, h), barUnder = offset(bar, -h);
    const Curve diagonalOuter = offset(diagonal, -h), diagonalInner = offset(diagonal, h);

    double s1, b1, s2, b2, s3, b3;
    meet("stem and bar top of the 4", stemRight, 0, 1, barTop, 0, 1, s1, b1);
    meet("stem and bar underside of the 4", stemRight, 0, 1, barUnder, 0, 1, s2, b2);
    meet("stem and bar underside left of the 4", stemLeft, 0, 1, barUnder, 0, 1, s3, b3);
    Contour outer;
    outer.push_back(whole(roundJoin(apex, h, diagonalOuter.start(), stemRight.start(),
                                    diagonal.tangent(0), stem.tangent(0))));
    outer.push_back(part(stemRight, 0, s1));
    outer.push_back(part(barTop, b1, 1));
    outer.push_back(whole(roundCap(barRight, 0, h)));
    outer.push_back(part(barUnder, 1, b2));
    outer.push_back(part(stemRight, s2, 1));
    outer.push_back(whole(roundCap(stem.end(), 270, h)));
    outer.push_back(part(stemLeft, 1, s3));
    outer.push_back(part(barUnder, b3, 0));
    outer.push_back(whole(roundJoin(barLeft, h, barUnder.start(), diagonalOuter.end(),
                                    bar.tangent(0), -1.0 * diagonal.tangent(1))));
    outer.push_back(part(diagonalOuter, 1, 0));
    g.contours.push_back(outer);

    // The triangular counter between diagonal, crossbar and stem.
    double d4, s4, d5, b5, b6, s6;
    meet("diagonal and stem of the 4", diagonalInner, 0, 1, stemLeft, 0, 1, d4, s4);
    meet("diagonal and bar of the 4", diagonalInner, 0, 1, barTop, 0, 1, d5, b5);
    meet("bar and stem inside the 4", barTop, 0, 1, stemLeft, 0, 1, b6, s6);
    g.contours.push_back(
        {part(diagonalInner, d4, d5), part(barTop, b5, b6), part(stemLeft, s6, s4)});
    return g;
}

// ---------------------------------------------------------------------------------------------
// Digit 2: an arc from a round terminal on the left over the top and down the right side,
// running on tangentially into a straight diagonal to the lower left, then a flat base bar
// with a round right end.
GlyphDesign digitTwo() {
    GlyphDesign g = digit("glyph 9: digit 2", 137, 361.60, 1144.96);
    const double rx = 336.0, ry = 266.0;
    const Vec2 centre = {1144.96 - h - 6.0 - rx, yTop + ry};
    const double terminal = 158.0;
    const Vec2 corner = {361.60 + h, yBottom};
    const Vec2 barRight = {1144.96 - h, yBottom};
    const Curve full = superArc(centre, rx, ry, squareness, terminal, -90);
    // Where the tangent of the arc passes through the corner of the base.
    const double t =
        solve([&](double u) { return cross(full.tangent(u), corner - full(u)); }, 0.5, 0.99);
    const double leave = terminal + t * (-90 - terminal);
    const Curve arc = superArc(centre, rx, ry, squareness, terminal, leave);
    const Curve diagonal = line(arc.end(), corner);
    const Curve bar = line(corner, barRight);
    const Curve arcOuter = offset(arc, h), arcInner = offset(arc, -h);
    const Curve diagonalOuter = offset(diagonal, h), diagonalInner = offset(diagonal, -h);
    const Curve barTop = offset(bar, h), barUnder = offset(bar, -h);
    double td, tb;
    meet("diagonal and base of the 2", diagonalOuter, 0, 1, barTop, 0, 1, td, tb);
    Contour c;
    c.push_back(whole(roundCap(arc.start(), arc.headingAt(0) + 180, h)));
    c.push_back(whole(arcOuter));
    c.push_back(part(diagonalOuter, 0, td));
    c.push_back(part(barTop, tb, 1));
    c.push_back(whole(roundCap(barRight, 0, h)));
    c.push_back(part(barUnder, 1, 0));
    c.push_back(whole(roundJoin(corner, h, barUnder.start(), diagonalInner.end(), bar.tangent(0),
                                -1.0 * diagonal.tangent(1))));
    c.push_back(part(diagonalInner, 1, 0));
    c.push_back(part(arcInner, 1, 0));
    g.contours.push_back(c);
    return g;
}

// ---------------------------------------------------------------------------------------------
// Digit 3: two bowls open to the left, the upper one smaller, meeting in a short middle bar
// that ends round on the left; round terminals at both ends.
GlyphDesign digitThree() {
    GlyphDesign g = digit("glyph 8: digit 3", 235, 362.88, 1127.04);
    const double middle = 726.0; // centre line of the middle bar
    const double lowerRy = (yBottom - middle) / 2, upperRy = (middle - yTop) / 2;
    const double lowerEnd = -148.0, upperStart = 156.0;
    // The lower bowl is as wide as it must be for its terminal to reach the left edge.
    auto lowerBowl = [&](double rx) {
        return superArc({1127.04 - h - rx, middle + lowerRy}, rx, lowerRy, squareness, 90,
                        lowerEnd);
    };
    const double lowerRx = solve(
        [&](double rx) {
            const Curve l = lowerBowl(rx);
            return leftmost(roundCap(l.end(), l.headingAt(1), h)) - 362.88;
        },
        200.0, 500.0);
    const Curve lower = lowerBowl(lowerRx);
    const double upperRx = 300.0;
    const Vec2 upperCentre = {1127.04 - 40.0 - h - upperRx, middle - upperRy};
    const double middleLeft = 580.0;
    const Curve upper = superArc(upperCentre, upperRx, upperRy, squareness, upperStart, -90);
    const Curve upperOuter = offset(upper, h), upperInner = offset(upper, -h);
    const Curve lowerOuter = offset(lower, h), lowerInner = offset(lower, -h);
    double tu, tl;
    meet("the bowls of the 3", upperOuter, 0.5, 1, lowerOuter, 0, 0.5, tu, tl);
    Contour c;
    c.push_back(whole(roundCap(upper.start(), upper.headingAt(0) + 180, h)));
    c.push_back(part(upperOuter, 0, tu));
    c.push_back(part(lowerOuter, tl, 1));
    c.push_back(whole(roundCap(lower.end(), lower.headingAt(1), h)));
    c.push_back(part(lowerInner, 1, 0));
    c.push_back(whole(line(lowerInner.start(), {middleLeft, middle + h})));
    c.push_back(whole(roundCap({middleLeft, middle}, 180, h)));
    c.push_back(whole(line({middleLeft, middle - h}, upperInner.end())));
    c.push_back(part(upperInner, 1, 0));
    g.contours.push_back(c);
    return g;
}

// ---------------------------------------------------------------------------------------------
// Digit 5: a top bar with a round right end, a short upright on the left, and from the foot of
// the upright a bowl that swings out to the right and round to a terminal on the lower left.
GlyphDesign digitFive() {
    GlyphDesign g = digit("glyph 6: digit 5", 192, 353.76, 1144.96);
    // The bowl leaves the foot of the upright at this angle on its oval; its width puts the
    // foot's round corner on the left edge and its right side on the right edge.
    const double join = 148.0;
    const double bowlRy = 262.0;
    const double footX = 353.76 + h;
    auto bowlOf = [&](double rx) {
        return superArc({1144.96 - h - rx, yBottom - bowlRy}, rx, bowlRy, squareness, join, -136);
    };
    const double bowlRx = solve([&](double rx) { return bowlOf(rx).start().x - footX; }, 250, 600);
    const Curve bowl = bowlOf(bowlRx);
    const double uprightX = footX;
    const Vec2 foot = bowl.start();
    const Vec2 topLeft = {uprightX + 6.0, yTop};
    const Vec2 barRight = {1080.0, yTop};
    const Curve bar = line(topLeft, barRight);
    const Curve upright = line(topLeft, foot);
    const Curve barTop = offset(bar, h), barUnder = offset(bar, -h);
    const Curve uprightLeft = offset(upright, -h), uprightRight = offset(upright, h);
    const Curve bowlOuter = offset(bowl, h), bowlInner = offset(bowl, -h);
    double tb, tu1, tu2, to;
    meet("bar and upright of the 5", barUnder, 0, 1, uprightRight, 0, 1, tb, tu1);
    meet("upright and bowl of the 5", uprightRight, 0, 1, bowlOuter, 0, 0.5, tu2, to);
    Contour c;
    c.push_back(whole(roundJoin(topLeft, h, uprightLeft.start(), barTop.start(), upright.tangent(0),
                                bar.tangent(0))));
    c.push_back(whole(barTop));
    c.push_back(whole(roundCap(barRight, 0, h)));
    c.push_back(part(barUnder, 1, tb));
    c.push_back(part(uprightRight, tu1, tu2));
    c.push_back(part(bowlOuter, to, 1));
    c.push_back(whole(roundCap(bowl.end(), bowl.headingAt(1), h)));
    c.push_back(part(bowlInner, 1, 0));
    c.push_back(whole(roundJoin(foot, h, bowlInner.start(), uprightLeft.end(), bowl.tangent(0),
                                -1.0 * upright.tangent(1))));
    c.push_back(part(uprightLeft, 1, 0));
    g.contours.push_back(c);
    return g;
}

// ---------------------------------------------------------------------------------------------
// Digit 1: a vertical stem with a round foot and, from its top, a short flag curving down to
// the left to a round end. No foot serif, so it never reads as a 7.
GlyphDesign digitOne() {
    GlyphDesign g = digit("glyph 10: digit 1", 52, 479.04, 851.84);
    const double stemX = 851.84 - h; // the stem spans 760.32 .. 851.84
    const Vec2 apex = {stemX, yTop};
    const double startHeading = 204.0, bend = 22.0;
    // The flag's radius puts its round end's leftmost point on 479.04.
    const double radius =
        solve([&](double r) { return turn(apex, startHeading, r, bend).end().x - h - 479.04; },
              50.0, 5000.0);
    const Curve flag = turn(apex, startHeading, radius, bend);
    const Curve stem = line(apex, {stemX, yBottom});
    const Curve stemRight = offset(stem, h), stemLeft = offset(stem, -h);
    const Curve flagUnder = offset(flag, h), flagOver = offset(flag, -h);
    double ts, tf;
    meet("stem and flag of the 1", stemLeft, 0, 1, flagUnder, 0, 1, ts, tf);
    Contour c;
    c.push_back(whole(stemRight));
    c.push_back(whole(roundCap(stem.end(), 270, h)));
    c.push_back(part(stemLeft, 1, ts));
    c.push_back(part(flagUnder, tf, 1));
    c.push_back(whole(roundCap(flag.end(), flag.headingAt(1), h)));
    c.push_back(part(flagOver, 1, 0));
    c.push_back(whole(
        roundJoin(apex, h, flagOver.start(), stemRight.start(), flag.tangent(0), stem.tangent(0))));
    g.contours.push_back(c);
    return g;
}

// ---------------------------------------------------------------------------------------------
// Digit 0, for the clock: one squared oval as wide as the 9, its counter the same oval inside.
GlyphDesign digitZero() {
    GlyphDesign g = digit("glyph 11: digit 0", 120, 357.12, 1144.96);
    const double cx = (357.12 + 1144.96) / 2;
    const double rx = (1144.96 - 357.12) / 2 - h;
    const double ry = (yBottom - yTop) / 2;
    // Clockwise from away from the flat top and bottom, which get level chords.
    const Curve loop = superArc({cx, yMiddle}, rx, ry, squareness, 45, -315);
    g.contours.push_back({whole(offset(loop, h))});
    g.contours.push_back({whole(offset(loop, -h))});
    return g;
}

// The clock's colon: two round dots, a little wider than the stroke, centred on the digits'
// middle and set apart by about half the digits' height.
GlyphDesign colon() {
    GlyphDesign g;
    g.name = "glyph 12: colon";
    g.edges = 48;
    g.maxCrossings = 4;
    const double radius = 80.0, apart = 220.0;
    const double cx = 1511.68 / 2;
    g.xMin = cx - radius;
    g.xMax = cx + radius;
    g.yMin = yMiddle - apart - radius;
    g.yMax = yMiddle + apart + radius;
    for (const double cy : {yMiddle - apart, yMiddle + apart})
        g.contours.push_back({whole(circleArc({cx, cy}, radius, 45, -315))});
    return g;
}

} // namespace

std::vector<GlyphDesign> glyphDesigns() {
    return {dottedFrame(), solidFrame(), digitNine(), digitEight(), digitSeven(),
            digitSix(),    digitFive(),  digitFour(), digitThree(), digitTwo(),
            digitOne(),    digitZero(),  colon()};
}

} // namespace korvani::outlines
