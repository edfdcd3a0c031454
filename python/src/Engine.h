#pragma once
// The engine keeps one run in process-wide variables. The module gives each
// Python call the engine to itself (one call at a time, without the GIL) and
// keeps every run the user holds as a copy of those variables, put back in
// place whenever that run is used again.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "core/MTRand.h"
#include "evolution/EvolutionState.h"
#include "web/BuilderState.h"

struct EngineState {
    EvolutionState evolution;
    MTRand random;
    int32_t silkLimit = -1;
    BuilderState builder;
    int libraryRandom = -1; // rand()'s place (see libraryRandomDrawsAfterBuild)
    std::vector<int> preyAngles;
    bool isRunning = false;
    bool renderOffline = false;
    bool freshGeneration = false;

    // A copy of the engine's variables as they are now.
    static std::shared_ptr<const EngineState> capture();
    // Puts this copy back in place.
    void restore() const;
};

// The engine as a freshly started process has it (taken when the module is
// loaded), so that every new run starts as the command-line tool's does.
const EngineState& pristineEngine();

// Held (with the GIL released) by every call that uses the engine.
std::mutex& engineMutex();
