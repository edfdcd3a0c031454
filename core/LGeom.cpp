#include "core/LGeom.h"

#include <cmath>
#include <cstdint>

#include "core/GeomConstants.h"

using GeomConstants::PI;
using GeomConstants::TWO_PI;

namespace {

// Stands in for a zero x difference so that the arc tangent is defined.
const double TINY_DX = 0.0001;

// Logistic steepness and the rescaling that maps 0 to 0 and 1 to 1.
const double SIGMOID_STEEPNESS = 4.0;
const double SIGMOID_OFFSET = 0.0179862103338;
const double SIGMOID_SCALE = 0.9640277896662001;

// Quadrant rule shared by every direction function.
double directionOf(double dx, double dy) {
    if (dx == 0.0)
        dx = TINY_DX;
    const double a = std::atan(dy / dx);
    if (dx >= 0.0 && dy >= 0.0)
        return a;
    if (dx < 0.0)
        return a + PI;
    return a + TWO_PI;
}

double relativeAngle(double a, double b, double half, double full) {
    double d = a - b;
    if (d > half)
        d = d - full;
    else if (d < -half)
        d = d + full;
    return d;
}

} // namespace

double LGeom::pointDist(double x1, double y1, double x2, double y2) {
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

double LGeom::angleBetween(int x1, int y1, int x2, int y2) {
    // Differences in 64 bits: extreme coordinates cannot overflow.
    const int64_t dx = int64_t(x2) - int64_t(x1);
    const int64_t dy = int64_t(y2) - int64_t(y1);
    if (dx == 0 && dy == 0)
        return 0.0;
    return directionOf(double(dx), double(dy));
}

double LGeom::angleBetween_double(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (dx == 0.0 && dy == 0.0)
        return 0.0;
    return directionOf(dx, dy);
}

double LGeom::polarAngle(double x, double y) {
    return directionOf(x, y);
}

void LGeom::translatePoint(double& x, double& y, double angle, double dist) {
    x += std::cos(angle) * dist;
    y += std::sin(angle) * dist;
}

double LGeom::distPtToLine(double px, double py, double x1, double y1, double x2, double y2) {
    const double L = pointDist(x1, y1, x2, y2);
    const double d2 = pointDist(px, py, x2, y2);
    const double d1 = pointDist(px, py, x1, y1);

    // Heron's formula for the triangle P P1 P2
    const double s = (d2 + L + d1) / 2.0;
    const double t = s * (s - L) * (s - d2) * (s - d1);
    const double area = t > 0.0 ? std::sqrt(t) : 0.0;

    // The foot of the perpendicular lies outside the segment
    if (std::fabs(d2 * d2 - d1 * d1) > L * L)
        return d2 < d1 ? d2 : d1;
    return 2.0 * area / L;
}

bool LGeom::circleInLine(double cx, double cy, double r, double x1, double y1, double x2,
                         double y2) {
    if (x1 > cx + r && x2 > cx + r)
        return false;
    if (x1 < cx - r && x2 < cx - r)
        return false;
    if (y1 > cy + r && y2 > cy + r)
        return false;
    if (y1 < cy - r && y2 < cy - r)
        return false;
    return r > distPtToLine(cx, cy, x1, y1, x2, y2);
}

double LGeom::getRelativeAngle(double a, double b) {
    return relativeAngle(a, b, PI, TWO_PI);
}

double LGeom::getRelativeAngleDEG(double a, double b) {
    return relativeAngle(a, b, GeomConstants::HALF_TURN_DEG, GeomConstants::FULL_TURN_DEG);
}

double LGeom::sigmoid(double x) {
    if (x == 0.0)
        return 0.0;
    return (1.0 / (std::exp(-SIGMOID_STEEPNESS * (2.0 * x - 1.0)) + 1.0) - SIGMOID_OFFSET) /
           SIGMOID_SCALE;
}

void LGeom::setRect(tRect& r, int x1, int y1, int x2, int y2) {
    r.x1 = x1;
    r.y1 = y1;
    r.x2 = x2;
    r.y2 = y2;
}

void LGeom::setRectExt(tRect& r, int x, int y, int w, int h) {
    setRect(r, x, y, x + w, y + h);
}

void LGeom::moveRect(tRect& r, int dx, int dy) {
    r.x1 += dx;
    r.x2 += dx;
    r.y1 += dy;
    r.y2 += dy;
}

bool LGeom::pointInRect(int x, int y, tRect r) {
    return r.x1 <= x && x <= r.x2 && r.y1 <= y && y <= r.y2;
}
