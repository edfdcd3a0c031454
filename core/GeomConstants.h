#ifndef OVLIB_CORE_GEOMCONSTANTS_H
#define OVLIB_CORE_GEOMCONSTANTS_H

// The angle constants of the geometry helpers, used as written rather than
// at full precision: results must match the recorded webs bit for bit.
namespace GeomConstants {
constexpr double PI = 3.14159265359;
constexpr double TWO_PI = 6.28318530718;
constexpr double HALF_TURN_DEG = 180.0;
constexpr double FULL_TURN_DEG = 360.0;
} // namespace GeomConstants

#endif
