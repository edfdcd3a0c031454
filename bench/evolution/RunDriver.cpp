// A headless run of many generations, for measuring time and peak memory
// with /usr/bin/time -v:  evolution_run_driver POPULATION GENERATIONS [PREY]

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"
#include "evolution/RunSettings.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s POPULATION GENERATIONS [PREY]\n", argv[0]);
        return 2;
    }
    const int population = std::atoi(argv[1]);
    const int generations = std::atoi(argv[2]);
    evolutionState.random.seed(1);
    RunSettings settings; // the program's panel defaults
    if (argc > 3)
        settings.numPrey = std::atoi(argv[3]);
    applyRunSettings(settings);
    EvolutionState& es = evolutionState;
    const auto start = std::chrono::steady_clock::now();
    newPopulation(population);
    for (int g = 0; g < generations && es.generation < GENERATION_LIMIT; ++g) {
        es.stepGeneration();
        es.evaluatePopulation(true);
        rollPreyAngles();
        es.selectedSpider = es.bestSpider;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("population %d, generations %d, record %zu integers (%.1f MB), %.2f s, %.1f "
                "generations/s\n",
                es.populationSize, es.generation, es.fossilRecord.size(),
                es.fossilRecord.size() * 4.0 / 1e6, seconds, es.generation / seconds);
    return 0;
}
