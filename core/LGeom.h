#ifndef OVLIB_CORE_LGEOM_H
#define OVLIB_CORE_LGEOM_H

#include <cstdint>
#include <utility>
#include <vector>

#include "core/CoreApi.h"
#include "core/SVector3D.h"

// A screen rectangle: first corner (x1, y1), opposite corner (x2, y2).
struct tRect {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
};

// Plane and space geometry. Angles are radians, growing from +x towards +y,
// except in the rotations and getRelativeAngleDEG, which take degrees.
class OVLIB_CORE_API LGeom {
  public:
    static double pointDist(double x1, double y1, double x2, double y2);
    static double pointDist(const SVector3D& a, const SVector3D& b);

    // Direction from point 1 to point 2 in [0, 2 pi); 0 for equal points.
    static double angleBetween(int x1, int y1, int x2, int y2);
    static double angleBetween_double(double x1, double y1, double x2, double y2);
    // Direction of the vector (x, y) by the same rule (no zero shortcut).
    static double polarAngle(double x, double y);

    static void translatePoint(double& x, double& y, double angle, double dist);

    // Distance from P to the segment P1-P2 (not a number when P1 == P2).
    static double distPtToLine(double px, double py, double x1, double y1, double x2, double y2);
    // Whether the circle touches the segment; a tangent does not touch.
    static bool circleInLine(double cx, double cy, double r, double x1, double y1, double x2,
                             double y2);

    static double getRelativeAngle(double a, double b);    // into [-pi, pi]
    static double getRelativeAngleDEG(double a, double b); // into [-180, 180]
    // Logistic curve rescaled so that 0 maps to 0 and 1 to 1.
    static double sigmoid(double x);

    static void setRect(tRect& r, int x1, int y1, int x2, int y2);
    static void setRectExt(tRect& r, int x, int y, int w, int h);
    static void moveRect(tRect& r, int dx, int dy);
    // All four borders count as inside.
    static bool pointInRect(int x, int y, tRect r);

    // Rotations about the axes, angle in degrees.
    static void rotate_3d_x(double& x, double& y, double& z, double deg);
    static void rotate_3d_y(double& x, double& y, double& z, double deg);
    static void rotate_3d_z(double& x, double& y, double& z, double deg);

    // Moves a point within the horizontal xz plane: x += cos(angle) * dist,
    // z += sin(angle) * dist (angle in radians); y stays.
    static void translate3D_xz(double& x, double& y, double& z, double angle, double dist);
    // Euclidean distance of two equally long vectors; vectors of different
    // length are a misuse that ends the process.
    static double nDimVectorDist(const std::vector<double>& a, const std::vector<double>& b);
    // Unit normal of the triangle (a, b, c), (b - a) x (c - a); left
    // unnormalised when its squared length is below 1e-8.
    static SVector3D calcNormal(const SVector3D& a, const SVector3D& b, const SVector3D& c);
    // The outline of the convex hull of the points (xs[i], ys[i]): the lines
    // (index pairs from, to) in counter-clockwise order for y growing
    // upwards, each line ending where the next begins. Fewer than two
    // distinct points give no lines; collinear points on the hull are left out.
    static std::vector<std::pair<int, int>> getConvexLines(const std::vector<double>& xs,
                                                           const std::vector<double>& ys);
};

#endif
