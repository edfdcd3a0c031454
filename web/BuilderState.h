#pragma once
// State shared by the construction stages while one web is being built. Each
// thread has its own set, so a thread builds one web at a time and several
// threads may build webs at once.

#include <cstdint>
#include <string>

#include "web/BuildRandom.h"

// silkLimit when the webs may use any length of silk.
constexpr int32_t NO_SILK_LIMIT = -1;

struct BuilderState {
    double startRadiusAngle = 0.0;
    int32_t spiralPrevRadius = -1;
    double spiralPrevX = 0.0;
    double spiralPrevY = 0.0;
    double loopAngle = 0.0;
    double spiralSpacing = 0.0;

    // The generator of the build under way (stage 1's jitter).
    BuildRandom random = BUILD_RANDOM_START;
    // The silk limit of the build under way (web units, NO_SILK_LIMIT for none).
    int32_t silkLimit = NO_SILK_LIMIT;
    // Where construction messages go: standard output when null, otherwise
    // appended here, so that a caller building webs at once can print them
    // in the order of a serial run.
    std::string* messages = nullptr;
};

// Initialised as a constant: other files then reach it without calling a
// thread-start initialiser on every access.
#if defined(__clang__)
#define ARACHNOVIX_CONSTANT_INIT __attribute__((require_constant_initialization))
#elif defined(__GNUC__)
#define ARACHNOVIX_CONSTANT_INIT __constinit
#else
#define ARACHNOVIX_CONSTANT_INIT
#endif
extern ARACHNOVIX_CONSTANT_INIT thread_local BuilderState builder;

// Whether a web with this much silk has reached the limit of the build under
// way on this thread (negative: no limit).
inline bool silkLimitReached(double totalSilk) {
    return builder.silkLimit >= 0 && !(totalSilk < builder.silkLimit);
}

// Reports a construction message (a line, with its line end).
void builderMessage(const char* line);
