#ifndef OVLIB_CORE_GEOMCONSTANTS_H
#define OVLIB_CORE_GEOMCONSTANTS_H

// The angle constants of the geometry helpers, used as written rather than
// at full precision: results must match the recorded webs bit for bit.
namespace GeomConstants {
constexpr double kPi = 3.14159265359;
constexpr double kTwoPi = 6.28318530718;
constexpr double kHalfTurnDeg = 180.0;
constexpr double kFullTurnDeg = 360.0;
}  // namespace GeomConstants

#endif
