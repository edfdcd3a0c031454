// The generation step: selection against a random rival, crossover with a
// random partner, mutation, elitism, origin labels and parents, and the two
// random sources.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/LRandom.h"
#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"
#include "tests/evolution/EvolutionTestSupport.h"

namespace {

using GenerationStep = EvolutionTest;

std::vector<int32_t> genome(int i) {
    const EAIndInteger& ind = evolutionState.spiders[i].individual;
    return std::vector<int32_t>(ind.bits, ind.bits + ind.numBits);
}

// The rival or partner indices the C library's generator yields after srand(seed).
std::vector<int> randIndices(unsigned seed, int count, int n) {
    std::srand(seed);
    std::vector<int> r;
    for (int k = 0; k < count; ++k)
        r.push_back(std::rand() % n);
    return r;
}

// A population of n spiders with random genomes, fitness f(i), all evaluated,
// no elite; rules decoded.
template <class F> void makePopulation(int n, F fitness) {
    EvolutionState& es = evolutionState;
    es.populationSize = n;
    for (int i = 0; i < n; ++i) {
        es.problem.createRandomGenotype(es.spiders[i].individual);
        setFitness(i, fitness(i));
        es.spiders[i].origin = "I";
        es.spiders[i].parentA = es.spiders[i].parentB = i;
    }
    es.decodeRules();
}

// How many words the shared generator has given since `saved`.
int wordsDrawnSince(const MTRand& now, unsigned long saved[MTRand::SAVE]) {
    unsigned long nowState[MTRand::SAVE];
    now.save(nowState);
    MTRand probe;
    probe.load(saved);
    for (int k = 0; k < 100000; ++k) {
        unsigned long probeState[MTRand::SAVE];
        probe.save(probeState);
        if (std::equal(probeState, probeState + MTRand::SAVE, nowState))
            return k;
        probe.randInt();
    }
    return -1;
}

TEST(OriginLabels, CodesFollowTheTableAndAnythingElseIsUnknown) {
    const char* labels[] = {"I", "SEL", "CROSS", "SEL+MUT", "CROSS+MUT"};
    for (int code = 0; code < 5; ++code) {
        EXPECT_EQ(originCode(labels[code]), code);
        EXPECT_EQ(originLabel(code), labels[code]);
    }
    EXPECT_EQ(originCode(""), -1);
    EXPECT_EQ(originCode("sel"), -1);
    EXPECT_EQ(originCode("SEL "), -1);
    EXPECT_EQ(originLabel(-1), "");
    EXPECT_EQ(originLabel(5), "");
}

TEST(Truncation, TowardZeroAndSaturatingOutsideTheRange) {
    EXPECT_EQ(truncToInt32(1234.9), 1234);
    EXPECT_EQ(truncToInt32(-3.7), -3);
    EXPECT_EQ(truncToInt32(28.999999999999996), 28);
    EXPECT_EQ(truncToInt32(1e300), 2147483647);
    EXPECT_EQ(truncToInt32(-1e300), -2147483647 - 1);
    EXPECT_EQ(truncToInt32(std::nan("")), 0);
}

TEST_F(GenerationStep, StartsWithTheDefaultsOfProgramStart) {
    const EvolutionState& es = evolutionState;
    EXPECT_TRUE(es.elitism);
    EXPECT_EQ(es.numElite, 1);
    EXPECT_EQ(es.mutationRate, 0.002);
    EXPECT_EQ(es.crossoverRate, 0.8);
    EXPECT_EQ(es.populationSize, 16);
    EXPECT_EQ(es.numPrey, 30);
    EXPECT_EQ(es.preySize, 2.0);
    EXPECT_EQ(es.preyValue, 20.0);
    EXPECT_EQ(es.silkCostFactor, 1.0);
    EXPECT_EQ(es.timePenaltyFactor, 0.0);
    EXPECT_EQ(es.generation, 0);
    EXPECT_EQ(es.selectedSpider, -1);
    EXPECT_TRUE(es.fossilRecord.empty());
    EXPECT_EQ(sizeof(es.spiders) / sizeof(es.spiders[0]), 200u);
}

TEST_F(GenerationStep, EliteIsCarriedOverUnchangedAndLabelledSelectedByItself) {
    usePanelDefaults();
    newPopulation(24);
    EvolutionState& es = evolutionState;
    // Heavy operators, so that anything not spared would change.
    es.crossoverRate = 1.0;
    es.mutationRate = 0.5;
    const int elite = es.bestSpider;
    const std::vector<int32_t> before = genome(elite);
    const int parentB = es.spiders[elite].parentB;
    es.stepGeneration();
    EXPECT_EQ(genome(elite), before);
    EXPECT_EQ(es.spiders[elite].origin, "SEL");
    EXPECT_EQ(es.spiders[elite].parentA, elite);
    EXPECT_EQ(es.spiders[elite].parentB, parentB);
    EXPECT_EQ(es.generation, 1);
    for (int i = 0; i < es.populationSize; ++i)
        EXPECT_FALSE(es.spiders[i].individual.isEvaluated);
}

TEST_F(GenerationStep, NoCrossoverAtRateZeroAndNoMutationAtRateZero) {
    usePanelDefaults();
    newPopulation(24);
    EvolutionState& es = evolutionState;
    es.crossoverRate = 0.0;
    es.mutationRate = 0.05;
    for (int g = 0; g < 4; ++g) {
        es.stepGeneration();
        for (int i = 0; i < es.populationSize; ++i) {
            EXPECT_NE(es.spiders[i].origin, "CROSS");
            EXPECT_NE(es.spiders[i].origin, "CROSS+MUT");
        }
        es.evaluatePopulation(true);
    }
    es.crossoverRate = 1.0;
    es.mutationRate = 0.0;
    for (int g = 0; g < 4; ++g) {
        es.stepGeneration();
        for (int i = 0; i < es.populationSize; ++i) {
            EXPECT_NE(es.spiders[i].origin, "SEL+MUT");
            EXPECT_NE(es.spiders[i].origin, "CROSS+MUT");
        }
        es.evaluatePopulation(true);
    }
}

TEST_F(GenerationStep, EqualFitnessNeverReplacesASpider) {
    makePopulation(10, [](int) { return 50.0; });
    std::vector<std::vector<int32_t>> before;
    for (int i = 0; i < 10; ++i)
        before.push_back(genome(i));
    const std::vector<int> rivals = randIndices(77, 10, 10);
    evolutionState.random.library = BuildRandom(77);
    evolutionState.selectSpiders();
    for (int i = 0; i < 10; ++i) {
        const Spider& s = evolutionState.spiders[i];
        EXPECT_EQ(genome(i), before[i]) << i;
        EXPECT_EQ(s.origin, "SEL");
        EXPECT_EQ(s.parentA, i);
        EXPECT_EQ(s.parentB, rivals[i]);
    }
}

TEST_F(GenerationStep, AStrictlyBetterRivalReplacesTheSpider) {
    // Spider i has fitness i: a rival r replaces spider i exactly when r > i.
    makePopulation(12, [](int i) { return static_cast<double>(i); });
    std::vector<std::vector<int32_t>> before;
    for (int i = 0; i < 12; ++i)
        before.push_back(genome(i));
    const std::vector<int> rivals = randIndices(5, 12, 12);
    evolutionState.random.library = BuildRandom(5);
    evolutionState.selectSpiders();
    int replaced = 0;
    for (int i = 0; i < 12; ++i) {
        const Spider& s = evolutionState.spiders[i];
        const int r = rivals[i];
        EXPECT_EQ(s.origin, "SEL");
        if (r > i) {
            ++replaced;
            EXPECT_EQ(genome(i), before[r]) << i;
            EXPECT_EQ(s.individual.fitness, r);
            EXPECT_EQ(s.parentA, r);
            EXPECT_EQ(s.parentB, i);
        } else {
            EXPECT_EQ(genome(i), before[i]) << i;
            EXPECT_EQ(s.parentA, i);
            EXPECT_EQ(s.parentB, r);
        }
    }
    EXPECT_GT(replaced, 0);
}

TEST_F(GenerationStep, ACopyOfTheEliteIsSparedAndDrawsNothingFromTheSharedGenerator) {
    // Spider 0 is the elite and the best; every other spider is beaten by it.
    makePopulation(8, [](int i) { return i == 0 ? 100.0 : 1.0; });
    EvolutionState& es = evolutionState;
    es.bestSpider = 0;
    es.rankPopulation();
    es.crossoverRate = 1.0;
    es.mutationRate = 2.0; // every bit of every non-spared spider flips
    const std::vector<int32_t> eliteGenome = genome(0);
    // A seed under which some spider meets the elite (spider 0 draws no
    // rival, so spider i meets rivals[i - 1]).
    unsigned seed = 1;
    std::vector<int> rivals;
    int copies = 0;
    for (; copies < 2; ++seed) {
        rivals = randIndices(seed, 7, 8);
        copies = static_cast<int>(std::count(rivals.begin(), rivals.end(), 0));
    }
    es.random.library = BuildRandom(seed - 1);
    es.selectSpiders();

    unsigned long saved[MTRand::SAVE];
    es.random.twister.save(saved);
    es.crossSpiders();
    es.mutateSpiders();
    const int nonSpared = 8 - 1 - copies;
    // Per non-spared spider: the crossover test, the cut and the side, then
    // one draw per bit.
    EXPECT_EQ(wordsDrawnSince(es.random.twister, saved), nonSpared * (3 + 72));
    for (int i = 0; i < 8; ++i) {
        const Spider& s = es.spiders[i];
        if (s.individual.isElite) {
            EXPECT_EQ(genome(i), eliteGenome) << i;
            EXPECT_EQ(s.origin, "SEL") << i;
        } else {
            EXPECT_EQ(s.origin, "CROSS+MUT") << i;
        }
    }
}

TEST_F(GenerationStep, CrossoverTakesThePartnersFirstParentAsSecondParent) {
    makePopulation(9, [](int) { return 1.0; });
    EvolutionState& es = evolutionState;
    for (int i = 0; i < 9; ++i) {
        es.spiders[i].origin = "SEL";
        es.spiders[i].parentA = 100 + i;
        es.spiders[i].parentB = -7;
    }
    es.crossoverRate = 1.0;
    const std::vector<int> partners = randIndices(3, 9, 9);
    es.random.library = BuildRandom(3);
    es.crossSpiders();
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(es.spiders[i].origin, "CROSS");
        EXPECT_EQ(es.spiders[i].parentA, 100 + i);
        EXPECT_EQ(es.spiders[i].parentB, 100 + partners[i]);
        EXPECT_FALSE(es.spiders[i].individual.isEvaluated);
    }
}

TEST_F(GenerationStep, MutationExtendsTheLabelOfTheStepThatMadeTheSpider) {
    makePopulation(3, [](int) { return 1.0; });
    EvolutionState& es = evolutionState;
    es.spiders[0].origin = "SEL";
    es.spiders[1].origin = "CROSS";
    es.spiders[2].origin = "SEL";
    es.spiders[2].individual.isElite = true;
    es.mutationRate = 2.0;
    es.mutateSpiders();
    EXPECT_EQ(es.spiders[0].origin, "SEL+MUT");
    EXPECT_EQ(es.spiders[1].origin, "CROSS+MUT");
    EXPECT_EQ(es.spiders[2].origin, "SEL");
    es.elitism = false;
    es.mutateSpiders();
    EXPECT_EQ(es.spiders[2].origin, "SEL+MUT");
}

TEST_F(GenerationStep, APopulationOfOneMeetsOnlyItself) {
    usePanelDefaults();
    newPopulation(1);
    EvolutionState& es = evolutionState;
    es.elitism = false; // let the one spider take part in everything
    es.crossoverRate = 1.0;
    es.mutationRate = 0.0;
    const std::vector<int32_t> before = genome(0);
    es.stepGeneration();
    EXPECT_EQ(genome(0), before); // crossing with itself copies its bits
    EXPECT_EQ(es.spiders[0].origin, "CROSS");
    EXPECT_EQ(es.spiders[0].parentA, 0);
    EXPECT_EQ(es.spiders[0].parentB, 0);
    EXPECT_EQ(es.fossilRecord.size(), 2u * 23u);
}

TEST_F(GenerationStep, EvaluationFindsTheFirstBestAndMarksOnlyIt) {
    usePanelDefaults();
    newPopulation(6);
    EvolutionState& es = evolutionState;
    es.numPrey = 0; // no prey: every fitness is 0, a tie everywhere
    es.evaluatePopulation(true);
    EXPECT_EQ(es.bestSpider, 0);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(es.spiders[i].individual.fitness, 0.0);
        EXPECT_EQ(es.spiders[i].individual.isElite, i == 0);
        EXPECT_EQ(es.spiders[i].web.isHighlighted, i == 0);
    }
}

TEST_F(GenerationStep, StepDecodesTheNewGenomesIntoRules) {
    usePanelDefaults();
    newPopulation(10);
    EvolutionState& es = evolutionState;
    es.mutationRate = 0.3;
    es.stepGeneration();
    for (int i = 0; i < 10; ++i) {
        for (int k = 0; k < NUM_RULES; ++k)
            EXPECT_EQ(es.spiders[i].rule(k), es.problem.getGene(es.spiders[i].individual, k));
    }
}

} // namespace
