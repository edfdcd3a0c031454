#include "web/RadiusGeometry.h"

#include <cmath>

#include "web/WebMath.h"

namespace radiusgeom {

double reach(const Radius& r) {
    if (r.points.empty())
        return 0.0;
    const SpiralPoint& last = r.points.back();
    return webmath::dist(0.0, 0.0, last.x, last.y);
}

double room(const Radius& r) {
    if (r.points.empty())
        return 0.0;
    const SpiralPoint& last = r.points.back();
    return webmath::dist(r.endX, r.endY, last.x, last.y);
}

void pointAt(const Radius& r, double dist, double& x, double& y) {
    const bool cached = r.dirAngle == r.angle;
    x = (cached ? r.dirX : std::cos(r.angle)) * dist + r.hubX;
    y = (cached ? r.dirY : std::sin(r.angle)) * dist + r.hubY;
}

int wrap(int i, int m) {
    if (i > m - 1)
        return 0;
    if (i < 0)
        return m - 1;
    return i;
}

} // namespace radiusgeom
