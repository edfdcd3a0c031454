#pragma once
// Distances along a radius that the capture-spiral stages read.

#include "web/Web.h"

namespace radiusgeom {

// Distance from the hub to the radius's last attachment point; 0 without points.
double reach(const Radius& r);

// Distance from the radius's end to its last attachment point; 0 without points.
double room(const Radius& r);

// The point at distance dist from the hub along the radius (not rounded).
void pointAt(const Radius& r, double dist, double& x, double& y);

// Index i kept inside 0 ... m - 1: 0 above the range, m - 1 below it.
int wrap(int i, int m);

} // namespace radiusgeom
