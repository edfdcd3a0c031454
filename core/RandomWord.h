#ifndef OVLIB_CORE_RANDOMWORD_H
#define OVLIB_CORE_RANDOMWORD_H

#include <cstdint>

// Conversions of one tempered 32-bit word of the Mersenne Twister into the
// values the generator hands out. Kept header-only and free of state so that
// the hot paths inline them and tests can drive them from a chosen word.
namespace RandomWord {

// 1 / (2^32 - 1), 1 / 2^32 and 1 / (2^32 + 1)
constexpr double CLOSED_SCALE = 1.0 / 4294967295.0;
constexpr double HALF_OPEN_SCALE = 1.0 / 4294967296.0;
constexpr double OPEN_SCALE = 1.0 / 4294967297.0;

// [0, 1], both ends included
inline double toClosedUnit(uint32_t w) {
    return double(w) * CLOSED_SCALE;
}

// [0, 1), 1 excluded
inline double toHalfOpenUnit(uint32_t w) {
    return double(w) * HALF_OPEN_SCALE;
}

// (0, 1), both ends excluded
inline double toOpenUnit(uint32_t w) {
    return (double(w) + 1.0) * OPEN_SCALE;
}

// The MT19937 output tempering.
inline uint32_t temper(uint32_t y) {
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680UL;
    y ^= (y << 15) & 0xEFC60000UL;
    return y ^ (y >> 18);
}

// Smallest all-ones value covering n (0 for n == 0).
inline uint32_t coveringMask(uint32_t n) {
    uint32_t used = n;
    used |= used >> 1;
    used |= used >> 2;
    used |= used >> 4;
    used |= used >> 8;
    used |= used >> 16;
    return used;
}

// Uniform real from [a, b] (or [b, a] when b < a).
inline double uniformReal(uint32_t w, double a, double b) {
    return toClosedUnit(w) * (b - a) + a;
}

// Uniform integer of [a, b]. The span is taken in 64 bits so that extreme
// bounds cannot overflow; a draw of exactly 1.0 is folded onto b so that b is
// not over-weighted.
inline int uniformInt(uint32_t w, int a, int b) {
    const double u = toClosedUnit(w);
    const int64_t span = int64_t(b) - int64_t(a);
    int64_t c = int64_t(u * double(span + 1));
    if (c > span)
        c = span;
    return int(int64_t(a) + c);
}

} // namespace RandomWord

#endif
