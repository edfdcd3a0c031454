#include "python/src/Engine.h"

#include "core/LRandom.h"
#include "evolution/RunControl.h"
#include "web/LibraryRandom.h"

std::shared_ptr<const EngineState> EngineState::capture() {
    auto s = std::make_shared<EngineState>();
    s->evolution = ::evolutionState;
    s->random = LRandom::random;
    s->silkLimit = ::silkLimit;
    s->builder = ::builder;
    s->libraryRandom = libraryRandomDrawsAfterBuild();
    s->preyAngles = ::preyAngles;
    s->isRunning = ::isRunning;
    s->renderOffline = ::renderOffline;
    s->freshGeneration = ::freshGeneration;
    return s;
}

void EngineState::restore() const {
    ::evolutionState = evolution;
    LRandom::random = random;
    ::silkLimit = silkLimit;
    ::builder = builder;
    restoreLibraryRandom(libraryRandom);
    ::preyAngles = preyAngles;
    ::isRunning = isRunning;
    ::renderOffline = renderOffline;
    ::freshGeneration = freshGeneration;
}

const EngineState& pristineEngine() {
    static const std::shared_ptr<const EngineState> pristine = EngineState::capture();
    return *pristine;
}

std::mutex& engineMutex() {
    static std::mutex m;
    return m;
}
