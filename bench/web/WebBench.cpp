// Speed of the web model's inner loop: building a dense web and testing a
// prey swarm against it, the plain way (every prey against every thread) and
// through the thread grid; and evaluating a whole population.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/LRandom.h"
#include "web/EAPGossamerix.h"
#include "web/PreyCapture.h"
#include "web/Spider.h"

namespace {

constexpr double PREY_SIZE = 4.0;
constexpr int NUM_PREY = 100;

// Many radii and a tight spiral of constant spacing: about 2,400 threads.
Spider denseSpider() {
    Spider s;
    s.numStartRadii = 12;
    s.variability = 0;
    s.phase = 0;
    s.rMaxLenRight = s.rMaxLenBottom = s.rMaxLenLeft = s.rMaxLenTop = 100;
    s.rNextRadiiAngleRight = s.rNextRadiiAngleBottom = 10;
    s.rNextRadiiAngleLeft = s.rNextRadiiAngleTop = 10;
    s.minFinalRadiiSpace = 2;
    s.spiralDistStart = 2;
    s.spiralDistEnd = 3;
    s.growthToCentre = 100;
    return s;
}

struct DenseCase {
    Spider spider = denseSpider();
    EAPGossamerix problem;
    std::vector<uint8_t> success;
    DenseCase() {
        spider.buildWeb();
        LRandom::random.seed(42UL);
        problem.createPrey(NUM_PREY);
        success.assign(problem.prey.size(), 1);
    }
};

const DenseCase& dense() {
    static const DenseCase c;
    return c;
}

void BM_BuildDenseWeb(benchmark::State& state) {
    Spider s = denseSpider();
    for (auto _ : state) {
        s.clearWeb();
        s.buildWeb();
        benchmark::DoNotOptimize(s.web.spiralThreads.data());
    }
    state.counters["radii"] = static_cast<double>(s.web.radii.size());
    state.counters["threads"] = static_cast<double>(s.web.spiralThreads.size());
}
BENCHMARK(BM_BuildDenseWeb);

void BM_CaptureDensePlain(benchmark::State& state) {
    const DenseCase& c = dense();
    std::vector<int32_t> caught;
    for (auto _ : state) {
        findCaughtPreyPlain(c.spider.web.spiralThreads, c.problem.prey, c.success.data(), PREY_SIZE,
                            caught);
        benchmark::DoNotOptimize(caught.data());
    }
    state.counters["caught"] = static_cast<double>(caught.size());
}
BENCHMARK(BM_CaptureDensePlain);

void BM_CaptureDenseGrid(benchmark::State& state) {
    const DenseCase& c = dense();
    ThreadGrid grid;
    std::vector<int32_t> caught;
    for (auto _ : state) {
        grid.findCaughtPrey(c.spider.web.spiralThreads, c.problem.prey, c.success.data(), PREY_SIZE,
                            caught);
        benchmark::DoNotOptimize(caught.data());
    }
    state.counters["caught"] = static_cast<double>(caught.size());
}
BENCHMARK(BM_CaptureDenseGrid);

// The whole evaluation (clear, build, attack, capture, fitness).
void evaluateDense(benchmark::State& state, bool plain) {
    EAPGossamerix problem;
    problem.plainCapture = plain;
    problem.prey = dense().problem.prey;
    Spider s = denseSpider();
    for (auto _ : state) {
        s.individual.isEvaluated = false;
        problem.evaluateSpider(s, PREY_SIZE, 20, 1, 0);
        benchmark::DoNotOptimize(s.individual.fitness);
    }
    state.counters["caught"] = s.numCaught;
}
void BM_EvaluateDensePlain(benchmark::State& state) {
    evaluateDense(state, true);
}
void BM_EvaluateDenseGrid(benchmark::State& state) {
    evaluateDense(state, false);
}
BENCHMARK(BM_EvaluateDensePlain);
BENCHMARK(BM_EvaluateDenseGrid);

// One evaluation of a population of 60 random spiders against 100 prey.
void evaluatePopulation(benchmark::State& state, bool plain) {
    EAPGossamerix problem;
    problem.plainCapture = plain;
    LRandom::random.seed(7UL);
    std::vector<Spider> spiders(60);
    for (Spider& s : spiders) {
        problem.createRandomGenotype(s.individual);
        for (int g = 0; g < NUM_RULES; ++g)
            s.rule(g) = problem.getGene(s.individual, static_cast<unsigned>(g));
    }
    problem.createPrey(NUM_PREY);
    size_t threads = 0;
    for (auto _ : state) {
        threads = 0;
        for (Spider& s : spiders) {
            s.individual.isEvaluated = false;
            problem.evaluateSpider(s, PREY_SIZE, 20, 10, 0);
            threads += s.web.spiralThreads.size();
        }
    }
    state.counters["threads"] = static_cast<double>(threads);
}
void BM_EvaluatePopulation60Plain(benchmark::State& state) {
    evaluatePopulation(state, true);
}
void BM_EvaluatePopulation60Grid(benchmark::State& state) {
    evaluatePopulation(state, false);
}
BENCHMARK(BM_EvaluatePopulation60Plain);
BENCHMARK(BM_EvaluatePopulation60Grid);

} // namespace

BENCHMARK_MAIN();
