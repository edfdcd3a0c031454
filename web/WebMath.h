#pragma once
// Small numeric helpers and constants of web construction. The angle bounds
// are the literals the construction rules are written with, not full-precision
// multiples of pi: webs must come out identical to the recorded ones.

#include <cmath>
#include <cstdint>

namespace webmath {

constexpr double SQUARE_HALF = 100.0;                // the web lives in -100 ... 100
constexpr double QUARTER_TURN = 1.57079632679;       // pi / 2
constexpr double HALF_TURN = 3.14159265359;          // pi
constexpr double THREE_QUARTER_TURN = 4.71238898038; // 3 pi / 2
constexpr double FULL_TURN = 6.28318530718;          // 2 pi
constexpr double DEG_TO_RAD = 0.017453292519943295;

// Clamps a coordinate into the square. A coordinate that is not a number
// (an undefined length in a degenerate web) is taken as the hub's, 0.
inline double clampToSquare(double v) {
    if (std::isnan(v))
        return 0.0;
    if (v < -SQUARE_HALF)
        return -SQUARE_HALF;
    if (v > SQUARE_HALF)
        return SQUARE_HALF;
    return v;
}

// Rounds a clamped coordinate, halves away from zero: the result of
// std::round, without a library call. For |v| <= 100 the fraction v - t is
// exact, so the comparison with one half decides exactly as std::round does.
inline int32_t roundCoord(double v) {
    int32_t t = static_cast<int32_t>(v);
    const double fraction = v - t;
    if (fraction >= 0.5)
        ++t;
    else if (fraction <= -0.5)
        --t;
    return t;
}

// Distance between two points, as LGeom::pointDist computes it (the same
// expression, so the same bits), inlined for construction's inner loop.
inline double dist(double x1, double y1, double x2, double y2) {
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

// Truncates a clamped coordinate toward zero.
inline int32_t truncCoord(double v) {
    return static_cast<int32_t>(v);
}

} // namespace webmath
