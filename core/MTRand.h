#ifndef OVLIB_CORE_MTRAND_H
#define OVLIB_CORE_MTRAND_H

#include <cstdint>

#include "core/CoreApi.h"
#include "core/RandomWord.h"

class LRandom;

// Mersenne Twister MT19937: 624-word state, 32-bit tempered output.
// Every value the generator handles is a 32-bit word, also where the
// interface carries it in an unsigned long (64 bits on Linux x86-64).
class OVLIB_CORE_API MTRand {
    friend class LRandom;

  public:
    typedef uint32_t uint32;

    enum { N = 624 };      // length of the state vector
    enum { SAVE = N + 1 }; // length of a saved-state array

  protected:
    enum { M = 397 }; // period parameter

    uint32 stateWords[N]; // internal state
    uint32* nextWord;     // next word to temper and return
    int32_t wordsLeft;    // words left before the state must be regenerated

  public:
    MTRand(const unsigned long& oneSeed); // seeding from one value
    MTRand(unsigned long* const bigSeed); // 624 state words from an array
    MTRand();                             // automatic seeding
    MTRand(const MTRand& other);
    MTRand& operator=(const MTRand& other);

    // Real numbers from one word
    double rand();                      // [0, 1]
    double rand(const double& n);       // [0, n]
    double randExc();                   // [0, 1)
    double randExc(const double& n);    // [0, n)
    double randDblExc();                // (0, 1)
    double randDblExc(const double& n); // (0, n)
    double operator()();                // same as rand()

    // Integers
    uint32 randInt();                       // [0, 2^32 - 1]
    uint32 randInt(const unsigned long& n); // [0, n], n included

    // Re-seeding
    void seed(unsigned long oneSeed);
    void seed(unsigned long* const bigSeed);
    void seed();

    // Saving and loading the sequence position (SAVE words)
    void save(unsigned long* saveArray) const;
    void load(unsigned long* const loadArray);

  protected:
    void reload();
    static uint32 hash(int64_t t, long c);

    static uint32 hiBit(const uint32& u) { return u & 0x80000000UL; }
    static uint32 loBit(const uint32& u) { return u & 0x00000001UL; }
    static uint32 loBits(const uint32& u) { return u & 0x7FFFFFFFUL; }
    static uint32 mixBits(const uint32& u, const uint32& v) { return hiBit(u) | loBits(v); }
    static uint32 twist(const uint32& m, const uint32& s0, const uint32& s1) {
        return m ^ (mixBits(s0, s1) >> 1) ^ (loBit(s1) ? 0x9908B0DFUL : 0UL);
    }

    // One tempered word, regenerating the state when it is used up.
    uint32 nextTempered() {
        if (wordsLeft == 0)
            reload();
        --wordsLeft;
        return RandomWord::temper(*nextWord++);
    }
};

inline MTRand::uint32 MTRand::randInt() {
    return nextTempered();
}
inline double MTRand::rand() {
    return RandomWord::toClosedUnit(randInt());
}
inline double MTRand::rand(const double& n) {
    return rand() * n;
}
inline double MTRand::randExc() {
    return RandomWord::toHalfOpenUnit(randInt());
}
inline double MTRand::randExc(const double& n) {
    return randExc() * n;
}
inline double MTRand::randDblExc() {
    return RandomWord::toOpenUnit(randInt());
}
inline double MTRand::randDblExc(const double& n) {
    return randDblExc() * n;
}
inline double MTRand::operator()() {
    return rand();
}

#endif
