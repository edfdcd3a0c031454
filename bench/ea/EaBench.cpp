// Speed of the EA library's hot paths: drawing and decoding a spider-sized
// genome (19 genes, 72 bits), one generation's worth of bit flips and
// crossovers, and the real-valued mutations.

#include <benchmark/benchmark.h>

#include <vector>

#include "core/LRandom.h"
#include "ea/EAIndDouble.h"
#include "ea/EAOpMutation.h"
#include "ea/EAOpRecombination.h"
#include "ea/EAPInteger.h"
#include "ea/EAUtils.h"

namespace {

// Nineteen genes of assorted widths adding up to 72 bits.
EAPInteger spiderSizedProblem() {
    const int ranges[19][2] = {{3, 34},   {0, 15},   {0, 15}, {10, 100}, {10, 100},
                               {10, 100}, {10, 100}, {0, 3},  {0, 7},    {0, 63},
                               {0, 63},   {0, 63},   {0, 63}, {0, 3},    {0, 3},
                               {0, 7},    {1, 8},    {1, 8},  {0, 7}};
    EAPInteger p;
    p.numGenes = 19;
    p.geneBitOffsets.push_back(0);
    for (const auto& r : ranges) {
        p.geneMin.push_back(r[0]);
        p.geneMax.push_back(r[1]);
        p.geneBitOffsets.push_back(p.geneBitOffsets.back() + EAUtils::geneBitLength(r[0], r[1]));
    }
    return p;
}

void BM_RandomGenotypeAndDecode(benchmark::State& state) {
    const EAPInteger p = spiderSizedProblem();
    EAIndInteger ind;
    LRandom::random.seed(1UL);
    for (auto _ : state) {
        p.createRandomGenotype(ind);
        int sum = 0;
        for (int i = 0; i < p.numGenes; ++i)
            sum += p.getGene(ind, static_cast<unsigned>(i));
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_RandomGenotypeAndDecode);

void BM_BitFlipAndCrossover(benchmark::State& state) {
    const EAPInteger p = spiderSizedProblem();
    EAIndInteger a, b, child;
    LRandom::random.seed(2UL);
    p.createRandomGenotype(a);
    p.createRandomGenotype(b);
    child = a;
    for (auto _ : state) {
        EAOpRecombination::onePointCrossover(a, b, child);
        benchmark::DoNotOptimize(EAOpMutation::bitFlip(child, 0.002));
    }
}
BENCHMARK(BM_BitFlipAndCrossover);

void BM_SOCGaussian100(benchmark::State& state) {
    std::vector<double> lo(100, -5.0), hi(100, 5.0);
    EAOpMutation::initBounds(lo.data(), hi.data());
    EAOpMutation::initPowerLawNumbers();
    EAIndDouble ind(100);
    LRandom::random.seed(3UL);
    for (auto _ : state) {
        EAOpMutation::SOCGaussian(ind, 1.0, 0.01);
        benchmark::DoNotOptimize(ind.values[0]);
    }
}
BENCHMARK(BM_SOCGaussian100);

} // namespace
