// Geometry of the outline generator: parametric curves (lines, elliptic and circular arcs,
// their offsets), turtle-style stroke helpers, curve intersections, and the flattening of a
// curve piece into a chosen number of chords spent where the curve bends.
#pragma once

#include <functional>
#include <vector>

namespace korvani::outlines {

// Outline units, y growing downwards. Angles and headings are in degrees, counterclockwise as
// seen on the screen (0 = east, 90 = north, 180 = west, 270 = south).
struct Vec2 {
    double x = 0;
    double y = 0;
};

Vec2 operator+(Vec2 a, Vec2 b);
Vec2 operator-(Vec2 a, Vec2 b);
Vec2 operator*(double s, Vec2 a);
double dot(Vec2 a, Vec2 b);
double cross(Vec2 a, Vec2 b);
double length(Vec2 a);
Vec2 unit(Vec2 a);
Vec2 direction(double headingDegrees); // unit vector of a heading
double headingOf(Vec2 v);              // heading of a vector, -180..180

// A smooth curve over t in [0, 1] (it may be evaluated a little beyond, for tangents).
struct Curve {
    std::function<Vec2(double)> at;
    bool straight = false;

    Vec2 operator()(double t) const { return at(t); }
    Vec2 tangent(double t) const; // unit
    // Unit normal to the left of the direction of travel, as seen on the screen.
    Vec2 leftNormal(double t) const;
    double headingAt(double t) const { return headingOf(tangent(t)); }
    Vec2 start() const { return at(0); }
    Vec2 end() const { return at(1); }
};

Curve line(Vec2 from, Vec2 to);
// Elliptic arc around centre from angle a0 to a1 (degrees, a1 < a0 runs clockwise).
Curve ellipseArc(Vec2 centre, double rx, double ry, double a0, double a1);
Curve circleArc(Vec2 centre, double radius, double a0, double a1);
// An arc of the superellipse |x/rx|^n + |y/ry|^n = 1 around centre, from polar angle a0 to a1
// (degrees as seen from the centre). n = 2 is an ellipse; larger n squares the oval off.
Curve superArc(Vec2 centre, double rx, double ry, double n, double a0, double a1);
// The curve shifted sideways by distance (positive: to the left of travel).
Curve offset(const Curve& base, double distance);
// The curve mapped through an affine map p -> (ax*x + bx, ay*y + by) (mirror or point
// reflection when the factors are -1).
Curve mapped(const Curve& base, double ax, double bx, double ay, double by);

// Turtle helpers: a circular arc that starts at start with the given heading and turns by
// turnDegrees (positive = to the left) on the given radius.
Curve turn(Vec2 start, double heading, double radius, double turnDegrees);
// The circular arc from start to end whose heading at end is endHeading.
Curve arcToWithEndHeading(Vec2 start, Vec2 end, double endHeading);

// The round end of a stroke: the half circle around the end point p of a stroke of half
// width h that runs with the given heading, from its left side round the tip to its right.
Curve roundCap(Vec2 p, double heading, double h);
// The round outer corner between two strokes meeting at p: the arc of radius h from point
// `from` to point `to` (both at distance h from p) that passes through the outward side,
// which lies opposite the mean of the two strokes' directions away from p.
Curve roundJoin(Vec2 p, double h, Vec2 from, Vec2 to, Vec2 awayA, Vec2 awayB);

// The crossing of curve a (t within a0..a1) with curve b (within b0..b1) that comes first
// along a. Fails loudly (returns false) when there is none.
bool intersect(const Curve& a, double a0, double a1, const Curve& b, double b0, double b1,
               double& ta, double& tb);

// The parameter in lo..hi at which f(t) = 0, f changing sign over the interval.
double solve(const std::function<double(double)>& f, double lo, double hi);

} // namespace korvani::outlines
