#pragma once
// State shared by the construction stages while one web is being built. There
// is one set for the whole program, so only one web is built at a time.

#include <cstdint>

struct BuilderState {
    double startRadiusAngle = 0.0;
    int32_t spiralPrevRadius = -1;
    double spiralPrevX = 0.0;
    double spiralPrevY = 0.0;
    double loopAngle = 0.0;
    double spiralSpacing = 0.0;
};

extern BuilderState builder;

// Limit on a web's total silk in web units; negative (-1) means no limit.
extern int32_t silkLimit;

// Whether a web with this much silk has reached the current silk limit.
inline bool silkLimitReached(double totalSilk) {
    return silkLimit >= 0 && !(totalSilk < silkLimit);
}
