// Curves, offsets, intersections and the turtle helpers of the outline generator.
#include "tools/outlines/outline_geometry.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace korvani::outlines {

namespace {

constexpr double degree = std::numbers::pi / 180.0;
constexpr double tangentStep = 1e-5;

} // namespace

Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
Vec2 operator*(double s, Vec2 a) {
    return {s * a.x, s * a.y};
}
double dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}
double cross(Vec2 a, Vec2 b) {
    return a.x * b.y - a.y * b.x;
}
double length(Vec2 a) {
    return std::sqrt(dot(a, a));
}
Vec2 unit(Vec2 a) {
    return (1.0 / length(a)) * a;
}
Vec2 direction(double heading) {
    return {std::cos(heading * degree), -std::sin(heading * degree)};
}
double headingOf(Vec2 v) {
    return std::atan2(-v.y, v.x) / degree;
}

Vec2 Curve::tangent(double t) const {
    return unit(at(t + tangentStep) - at(t - tangentStep));
}

Vec2 Curve::leftNormal(double t) const {
    const Vec2 d = tangent(t);
    return {d.y, -d.x};
}

Curve line(Vec2 from, Vec2 to) {
    Curve c{[from, to](double t) { return from + t * (to - from); }};
    c.straight = true;
    return c;
}

Curve ellipseArc(Vec2 centre, double rx, double ry, double a0, double a1) {
    return {[=](double t) {
        const double a = (a0 + t * (a1 - a0)) * degree;
        return Vec2{centre.x + rx * std::cos(a), centre.y - ry * std::sin(a)};
    }};
}

Curve superArc(Vec2 centre, double rx, double ry, double n, double a0, double a1) {
    return {[=](double t) {
        const double a = (a0 + t * (a1 - a0)) * degree;
        const double c = std::cos(a), s = std::sin(a);
        const double r =
            std::pow(std::pow(std::fabs(c / rx), n) + std::pow(std::fabs(s / ry), n), -1.0 / n);
        return Vec2{centre.x + r * c, centre.y - r * s};
    }};
}

Curve circleArc(Vec2 centre, double radius, double a0, double a1) {
    return ellipseArc(centre, radius, radius, a0, a1);
}

Curve offset(const Curve& base, double distance) {
    if (base.straight) {
        const Vec2 shift = distance * base.leftNormal(0.5);
        return line(base(0) + shift, base(1) + shift);
    }
    return {[base, distance](double t) { return base(t) + distance * base.leftNormal(t); }};
}

Curve mapped(const Curve& base, double ax, double bx, double ay, double by) {
    Curve c{[=](double t) {
        const Vec2 p = base(t);
        return Vec2{ax * p.x + bx, ay * p.y + by};
    }};
    c.straight = base.straight;
    return c;
}

Curve turn(Vec2 start, double heading, double radius, double turnDegrees) {
    // The centre lies to the left of travel for a left turn, to the right for a right turn.
    const double side = turnDegrees >= 0 ? 90.0 : -90.0;
    const Vec2 centre = start + radius * direction(heading + side);
    const double a0 = heading - side;
    return circleArc(centre, radius, a0, a0 + turnDegrees);
}

Curve arcToWithEndHeading(Vec2 start, Vec2 end, double endHeading) {
    // The centre lies on the normal of the end direction, equally far from both ends.
    const Vec2 n = direction(endHeading + 90.0);
    const Vec2 chord = start - end;
    const double s = dot(chord, chord) / (2.0 * dot(chord, n)); // signed radius along n
    const Vec2 centre = end + s * n;
    const double radius = std::fabs(s);
    const double a0 = headingOf(start - centre);
    double a1 = headingOf(end - centre);
    // Travel direction at the end decides the sense of rotation.
    const bool leftTurn = s > 0;
    if (leftTurn) {
        while (a1 < a0) a1 += 360.0;
    } else {
        while (a1 > a0) a1 -= 360.0;
    }
    return circleArc(centre, radius, a0, a1);
}

Curve roundCap(Vec2 p, double heading, double h) {
    const double a0 = heading + 90.0;
    return circleArc(p, h, a0, a0 - 180.0);
}

Curve roundJoin(Vec2 p, double h, Vec2 from, Vec2 to, Vec2 awayA, Vec2 awayB) {
    const Vec2 outward = -1.0 * (unit(awayA) + unit(awayB));
    const double a0 = headingOf(from - p);
    double a1 = headingOf(to - p);
    const double mid = headingOf(outward);
    // Try the counterclockwise sweep; keep it if it passes through the outward direction.
    double ccw = a1;
    while (ccw < a0) ccw += 360.0;
    double m = mid;
    while (m < a0) m += 360.0;
    if (m <= ccw) return circleArc(p, h, a0, ccw);
    while (a1 > a0) a1 -= 360.0;
    return circleArc(p, h, a0, a1);
}

bool intersect(const Curve& a, double a0, double a1, const Curve& b, double b0, double b1,
               double& ta, double& tb) {
    constexpr int samples = 600;
    std::vector<Vec2> pa(samples + 1), pb(samples + 1);
    for (int i = 0; i <= samples; ++i) {
        pa[i] = a(a0 + (a1 - a0) * i / samples);
        pb[i] = b(b0 + (b1 - b0) * i / samples);
    }
    for (int i = 0; i < samples; ++i) {
        const Vec2 r = pa[i + 1] - pa[i];
        for (int j = 0; j < samples; ++j) {
            const Vec2 s = pb[j + 1] - pb[j];
            const double den = cross(r, s);
            if (den == 0) continue;
            const Vec2 q = pb[j] - pa[i];
            const double u = cross(q, s) / den;
            const double v = cross(q, r) / den;
            if (u < 0 || u > 1 || v < 0 || v > 1) continue;
            ta = a0 + (a1 - a0) * (i + u) / samples;
            tb = b0 + (b1 - b0) * (j + v) / samples;
            // Newton steps on a(ta) - b(tb) = 0.
            for (int step = 0; step < 30; ++step) {
                const Vec2 f = a(ta) - b(tb);
                const double e = 1e-7;
                const Vec2 da = (1.0 / (2 * e)) * (a(ta + e) - a(ta - e));
                const Vec2 db = (1.0 / (2 * e)) * (b(tb + e) - b(tb - e));
                // Solve da*x - db*y = -f.
                const double det = cross(da, -1.0 * db);
                if (det == 0) break;
                const Vec2 g = -1.0 * f;
                const double x = cross(g, -1.0 * db) / det;
                const double y = cross(da, g) / det;
                ta += x;
                tb += y;
                if (std::fabs(x) < 1e-15 && std::fabs(y) < 1e-15) break;
            }
            return true;
        }
    }
    return false;
}

double solve(const std::function<double(double)>& f, double lo, double hi) {
    double flo = f(lo);
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        const double fm = f(mid);
        if ((fm < 0) == (flo < 0)) {
            lo = mid;
            flo = fm;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
}

} // namespace korvani::outlines
