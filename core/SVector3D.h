#ifndef OVLIB_CORE_SVECTOR3D_H
#define OVLIB_CORE_SVECTOR3D_H

// A point or direction in space.
struct SVector3D {
    double x;
    double y;
    double z;

    SVector3D() : x(0.0), y(0.0), z(0.0) {}
    SVector3D(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
};

#endif
