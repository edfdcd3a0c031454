#pragma once
// Little-endian encoding of the population file's fields, byte by byte, so
// that files are the same on every host.

#include <cstdint>
#include <cstring>

namespace little_endian {

inline void putUInt32(uint8_t* p, uint32_t v) {
    for (int k = 0; k < 4; ++k)
        p[k] = static_cast<uint8_t>(v >> (8 * k));
}

inline uint32_t getUInt32(const uint8_t* p) {
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k)
        v |= static_cast<uint32_t>(p[k]) << (8 * k);
    return v;
}

inline void putInt32(uint8_t* p, int32_t v) {
    putUInt32(p, static_cast<uint32_t>(v));
}

inline int32_t getInt32(const uint8_t* p) {
    // Two's complement, without relying on an implementation-defined cast.
    const uint32_t u = getUInt32(p);
    return u <= 0x7FFFFFFFu ? static_cast<int32_t>(u) : -static_cast<int32_t>(~u) - 1;
}

inline void putDouble(uint8_t* p, double v) {
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    for (int k = 0; k < 8; ++k)
        p[k] = static_cast<uint8_t>(bits >> (8 * k));
}

inline double getDouble(const uint8_t* p) {
    uint64_t bits = 0;
    for (int k = 0; k < 8; ++k)
        bits |= static_cast<uint64_t>(p[k]) << (8 * k);
    double v = 0.0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

} // namespace little_endian
