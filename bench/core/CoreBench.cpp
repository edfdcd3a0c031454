// Throughput of the hot random and geometry calls of the core library.
#include <benchmark/benchmark.h>

#include "core/LGeom.h"
#include "core/LRandom.h"

static void BM_MTRandRandInt(benchmark::State& state) {
    MTRand g(4357UL);
    for (auto _ : state)
        benchmark::DoNotOptimize(g.randInt());
}
BENCHMARK(BM_MTRandRandInt);

static void BM_UniformRand(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(LRandom::getUniformRand(-100.0, 100.0));
}
BENCHMARK(BM_UniformRand);

static void BM_UniformRandInt(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(LRandom::getUniformRandInt(0, 360));
}
BENCHMARK(BM_UniformRandInt);

static void BM_NormalRand(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(LRandom::getNormalRand(0.0, 1.0));
}
BENCHMARK(BM_NormalRand);

static void BM_CircleInLine(benchmark::State& state) {
    double cx = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LGeom::circleInLine(cx, 0.5, 1.0, -10.0, 0.0, 10.0, 1.0));
        cx += 1e-9;
    }
}
BENCHMARK(BM_CircleInLine);
