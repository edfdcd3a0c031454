#pragma once
// Rules that change with direction: the four quarter turns of the web and the
// interpolation of a quarter's start value towards the next quarter's.

namespace quarters {

enum Quarter { RIGHT = 0, BOTTOM = 1, LEFT = 2, TOP = 3, COUNT = 4 };

// The quarter in which direction a (radians) lies: a negative angle is in
// Right, an angle of a full turn or more in Top.
Quarter quarterOf(double a);

// The value at direction a, where atStart[q] holds at the start of quarter q:
// A + 0.7 (B - A) (a - q0) / (q1 - q0), with A the value of a's quarter and
// B that of the next quarter. It reaches only 70 % of the way to B, so the
// value jumps at each quarter bound.
double interpolate(double a, const double atStart[COUNT]);

} // namespace quarters
