// Fuzz target for the population-file loader: any bytes must either load as
// a consistent run or be refused, never crash, hang or allocate without
// bound; bytes after the settings are read as a continuation record, which
// is put in force when it was taken.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "evolution/Continuation.h"
#include "evolution/EvolutionState.h"
#include "evolution/PopulationFile.h"
#include "evolution/WindowPort.h"

namespace {

// Refusals are expected by the thousand: keep them off the terminal.
class SilentWindowPort : public WindowPort {
  public:
    void startTimer(int, void (*)(int), int) override {}
    void postRedisplay() override {}
    void drawNow() override {}
    void layoutGrid() override {}
    void showMessage(const std::string&, const std::string&, MessageIcon) override {}
};

SilentWindowPort silentPort;

void checkLoadedRun() {
    const EvolutionState& es = evolutionState;
    const int g = es.recordedGenerations();
    const bool consistent =
        es.populationSize >= 1 && es.populationSize <= MAX_POPULATION && g >= 1 &&
        es.generation == g - 1 &&
        es.fossilRecord.size() == static_cast<size_t>(g) * es.populationSize * FOSSIL_ENTRY_SIZE;
    if (!consistent)
        std::abort();
    for (int i = 0; i < es.populationSize; ++i) {
        if (!es.spiders[i].individual.isEvaluated)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setWindowPort(&silentPort);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (loadPopulationFromMemory(data, size)) {
        checkLoadedRun();
        // A continuation that was taken must be safe to put in force.
        if (evolutionState.pendingContinuation) {
            continuation::apply(evolutionState, *evolutionState.pendingContinuation);
            evolutionState.pendingContinuation = nullptr;
            checkLoadedRun();
        }
        // Moving through the loaded record must be safe too.
        evolutionState.goToGeneration(0);
        evolutionState.highlightBestRestored();
    }
    return 0;
}
