#include "web/Web.h"

#include <algorithm>
#include <cmath>

#include "core/LGeom.h"
#include "web/BuilderState.h"
#include "web/WebMath.h"

using webmath::clampToSquare;
using webmath::roundCoord;
using webmath::truncCoord;

namespace {

constexpr size_t RESERVED_POINTS = 64;

// Appends (x, y) to a radius's attachment points unless it is already the last.
void addPoint(std::vector<SpiralPoint>& points, int32_t x, int32_t y) {
    if (!points.empty() && points.back().x == x && points.back().y == y)
        return;
    points.push_back(SpiralPoint{x, y});
}

bool sameThread(const SpiralThread& a, const SpiralThread& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

bool reversedThread(const SpiralThread& a, const SpiralThread& b) {
    return a.x1 == b.x2 && a.y1 == b.y2 && a.x2 == b.x1 && a.y2 == b.y1;
}

} // namespace

int Web::addRadius(int kind, double angle, double length) {
    double x = 0.0;
    double y = 0.0;
    LGeom::translatePoint(x, y, angle, length);
    x = clampToSquare(x);
    y = clampToSquare(y);
    lastX = truncCoord(x);
    lastY = truncCoord(y);

    Radius radius;
    // Room for the attachment points of a typical web at once, rather than
    // growing the list point by point.
    radius.points.reserve(RESERVED_POINTS);
    radius.endX = roundCoord(x);
    radius.endY = roundCoord(y);
    radius.angle = angle;
    radius.dirAngle = angle;
    radius.dirX = std::cos(angle);
    radius.dirY = std::sin(angle);
    radius.kind = kind;
    const int32_t squared = radius.endX * radius.endX + radius.endY * radius.endY;
    radius.length = static_cast<int32_t>(std::sqrt(static_cast<double>(squared)) + 0.5);

    // Before the first radius whose angle is strictly greater: equal angles
    // keep their laying order.
    auto place = std::upper_bound(radii.begin(), radii.end(), angle,
                                  [](double a, const Radius& r) { return a < r.angle; });
    const int index = static_cast<int>(place - radii.begin());
    radii.insert(place, std::move(radius));

    radiusSilk += webmath::dist(0.0, 0.0, x, y);
    return index;
}

bool Web::addSpiralThread(int fromRadius, int toRadius, double x, double y) {
    return addSpiralThread(fromRadius, toRadius, builder.spiralPrevX, builder.spiralPrevY, x, y);
}

bool Web::addSpiralThread(int fromRadius, int toRadius, double x0, double y0, double x, double y) {
    SpiralThread thread;
    thread.x1 = roundCoord(clampToSquare(x0));
    thread.y1 = roundCoord(clampToSquare(y0));
    thread.x2 = roundCoord(clampToSquare(x));
    thread.y2 = roundCoord(clampToSquare(y));
    if (!spiralThreads.empty()) {
        const SpiralThread& last = spiralThreads.back();
        if (sameThread(thread, last) || reversedThread(thread, last))
            return false;
    }
    spiralThreads.push_back(thread);
    lastX = thread.x2;
    lastY = thread.y2;
    spiralSilk += webmath::dist(thread.x1, thread.y1, thread.x2, thread.y2);

    const int numRadii = static_cast<int>(radii.size());
    if (fromRadius >= 0 && fromRadius < numRadii)
        addPoint(radii[fromRadius].points, thread.x1, thread.y1);
    if (toRadius >= 0 && toRadius < numRadii)
        addPoint(radii[toRadius].points, thread.x2, thread.y2);
    return true;
}
