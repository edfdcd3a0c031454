#pragma once
// Internal helpers shared by the operators (not installed).

#include "core/LRandom.h"

// How many leading elements of a genome array a loop may touch. A count
// outside 0 ... capacity (which the public members allow) is limited so that
// no operator writes past the array.
inline int usedLength(int count, int capacity) {
    if (count < 0)
        return 0;
    return count > capacity ? capacity : count;
}

// Whether an operator acts at all: one draw u in [0, 1]; it acts unless
// u > rate.
inline bool drawActs(double rate) {
    return !(LRandom::getUniformRand(0, 1) > rate);
}
