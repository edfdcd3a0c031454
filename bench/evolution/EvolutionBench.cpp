// Speed of evolution: one generation as the run timer breeds it (step,
// evaluation against 100 new prey, new display angles), at populations of
// 24, 60 and 200, evaluated on 1 and 2 threads; reused_% is the share of
// webs copied from an earlier build (ARACHNOVIX_NO_WEB_REUSE=1 builds all).

#include <benchmark/benchmark.h>

#include "evolution/EvolutionState.h"
#include "evolution/ParallelEvaluation.h"
#include "evolution/RunControl.h"
#include "evolution/RunSettings.h"

namespace {

constexpr int BENCH_PREY = 100;

void startRun(int population) {
    evolutionState.random.seed(1);
    RunSettings settings; // the program's panel defaults
    settings.numPrey = BENCH_PREY;
    applyRunSettings(settings);
    newPopulation(population);
}

void BM_Generation(benchmark::State& state) {
    const int population = static_cast<int>(state.range(0));
    evolutionState.evaluator.setThreads(static_cast<int>(state.range(1)));
    startRun(population);
    EvolutionState& es = evolutionState;
    const long evaluatedBefore = es.evaluator.websEvaluated();
    const long reusedBefore = es.evaluator.websReused();
    for (auto _ : state) {
        if (es.generation == GENERATION_LIMIT) {
            state.PauseTiming();
            startRun(population);
            state.ResumeTiming();
        }
        es.stepGeneration();
        es.evaluatePopulation(true);
        rollPreyAngles();
        es.selectedSpider = es.bestSpider;
    }
    state.counters["generations/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    // The share of webs copied from an earlier build instead of built.
    const long evaluated = es.evaluator.websEvaluated() - evaluatedBefore;
    state.counters["reused_%"] =
        evaluated > 0 ? 100.0 * static_cast<double>(es.evaluator.websReused() - reusedBefore) /
                            static_cast<double>(evaluated)
                      : 0.0;
}
BENCHMARK(BM_Generation)
    ->ArgNames({"population", "threads"})
    ->ArgsProduct({{24, 60, 200}, {1, 2}})
    ->UseRealTime() // wall time: the evaluation runs on other threads too
    ->Unit(benchmark::kMillisecond);

// The generation step alone (selection, crossover, mutation, decoding and
// recording), without the evaluation.
void BM_StepOnly(benchmark::State& state) {
    const int population = static_cast<int>(state.range(0));
    startRun(population);
    EvolutionState& es = evolutionState;
    for (auto _ : state) {
        state.PauseTiming();
        if (es.generation == GENERATION_LIMIT)
            startRun(population);
        for (int i = 0; i < es.populationSize; ++i)
            es.spiders[i].individual.isEvaluated = true;
        state.ResumeTiming();
        es.stepGeneration();
    }
}
BENCHMARK(BM_StepOnly)->Arg(60)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
