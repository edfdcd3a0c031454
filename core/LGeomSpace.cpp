// Space geometry, vectors and hulls of LGeom.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

#include "core/GeomConstants.h"
#include "core/LGeom.h"

namespace {

const double MIN_NORMAL_LENGTH_SQ = 1e-8;
const int MISUSE_STATUS = -1;

double toRadians(double deg) {
    return deg * GeomConstants::PI / GeomConstants::HALF_TURN_DEG;
}

void requireSameLength(const char* who, size_t a, size_t b) {
    if (a == b)
        return;
    std::printf("%s: vectors of different length (%zu and %zu)\n", who, a, b);
    std::fflush(stdout);
    std::exit(MISUSE_STATUS);
}

// Rotation within one coordinate plane: u' = u cos + v sin, v' = v cos - u sin.
void rotatePair(double& u, double& v, double deg) {
    const double a = toRadians(deg);
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double nu = u * c + v * s;
    const double nv = v * c - u * s;
    u = nu;
    v = nv;
}

// > 0 when o -> a -> b turns counter-clockwise (y growing upwards)
double cross(double ox, double oy, double ax, double ay, double bx, double by) {
    return (ax - ox) * (by - oy) - (ay - oy) * (bx - ox);
}

} // namespace

double LGeom::pointDist(const SVector3D& a, const SVector3D& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double dz = b.z - a.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void LGeom::rotate_3d_x(double& x, double& y, double& z, double deg) {
    (void)x;
    rotatePair(y, z, deg);
}

void LGeom::rotate_3d_y(double& x, double& y, double& z, double deg) {
    (void)y;
    // z' = x sin + z cos, x' = x cos - z sin
    rotatePair(z, x, deg);
}

void LGeom::rotate_3d_z(double& x, double& y, double& z, double deg) {
    (void)z;
    rotatePair(x, y, deg);
}

void LGeom::translate3D_xz(double& x, double& y, double& z, double angle, double dist) {
    (void)y;
    x += std::cos(angle) * dist;
    z += std::sin(angle) * dist;
}

double LGeom::nDimVectorDist(const std::vector<double>& a, const std::vector<double>& b) {
    requireSameLength("LGeom::nDimVectorDist", a.size(), b.size());
    double sum = 0.0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += (b[i] - a[i]) * (b[i] - a[i]);
    return std::sqrt(sum);
}

SVector3D LGeom::calcNormal(const SVector3D& a, const SVector3D& b, const SVector3D& c) {
    const SVector3D u(b.x - a.x, b.y - a.y, b.z - a.z);
    const SVector3D v(c.x - a.x, c.y - a.y, c.z - a.z);
    SVector3D n(u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x);
    const double lengthSq = n.x * n.x + n.y * n.y + n.z * n.z;
    if (lengthSq < MIN_NORMAL_LENGTH_SQ)
        return n;
    const double length = std::sqrt(lengthSq);
    n.x /= length;
    n.y /= length;
    n.z /= length;
    return n;
}

std::vector<std::pair<int, int>> LGeom::getConvexLines(const std::vector<double>& xs,
                                                       const std::vector<double>& ys) {
    requireSameLength("LGeom::getConvexLines", xs.size(), ys.size());
    // Monotone chain over the points sorted by x, then y
    std::vector<int> order(xs.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int i, int j) { return xs[i] < xs[j] || (xs[i] == xs[j] && ys[i] < ys[j]); });
    // Repeated points would give lines of zero length
    order.erase(std::unique(order.begin(), order.end(),
                            [&](int i, int j) { return xs[i] == xs[j] && ys[i] == ys[j]; }),
                order.end());

    std::vector<int> hull(2 * order.size() + 1);
    size_t k = 0;
    auto addPoint = [&](int p, size_t floor) {
        while (k >= floor + 2 && cross(xs[hull[k - 2]], ys[hull[k - 2]], xs[hull[k - 1]],
                                       ys[hull[k - 1]], xs[p], ys[p]) <= 0.0)
            --k;
        hull[k++] = p;
    };
    for (size_t i = 0; i < order.size(); ++i)
        addPoint(order[i], 0);
    const size_t lowerEnd = k - 1;
    for (size_t i = order.size(); i-- > 1;)
        addPoint(order[i - 1], lowerEnd);

    std::vector<std::pair<int, int>> lines;
    if (k < 3)
        return lines; // fewer than two distinct points
    for (size_t i = 0; i + 1 < k; ++i)
        lines.emplace_back(hull[i], hull[i + 1]);
    return lines;
}
