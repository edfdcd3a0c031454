// The fossil record: its length through new populations, steps and moves in
// time, what an entry holds, and how recorded spiders come back.

#include <gtest/gtest.h>

#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"
#include "evolution/RunControl.h"
#include "tests/evolution/EvolutionTestSupport.h"

namespace {

using FossilRecord = EvolutionTest;

size_t generationsOf(int n, int g) {
    return fossilEntryIndex(static_cast<size_t>(g), n, 0);
}

std::vector<int32_t> recordedGeneration(int g) {
    const EvolutionState& es = evolutionState;
    const size_t size = generationsOf(es.populationSize, 1);
    const auto first = es.fossilRecord.begin() + static_cast<long>(g * size);
    return std::vector<int32_t>(first, first + static_cast<long>(size));
}

void breed(int steps) {
    for (int k = 0; k < steps; ++k) {
        evolutionState.stepGeneration();
        evolutionState.evaluatePopulation(true);
    }
}

TEST_F(FossilRecord, LengthFollowsNewPopulationStepsAndResumedBreeding) {
    usePanelDefaults();
    newPopulation(15);
    EvolutionState& es = evolutionState;
    EXPECT_EQ(es.fossilRecord.size(), generationsOf(15, 1));
    breed(5);
    EXPECT_EQ(es.fossilRecord.size(), generationsOf(15, 6));
    EXPECT_EQ(es.recordedGenerations(), 6);
    const std::vector<int32_t> oldFour = recordedGeneration(4);

    es.goToGeneration(3);
    EXPECT_EQ(es.generation, 3);
    EXPECT_EQ(es.fossilRecord.size(), generationsOf(15, 6)); // moving does not cut
    es.stepGeneration();
    EXPECT_EQ(es.generation, 4);
    EXPECT_EQ(es.fossilRecord.size(), generationsOf(15, 5)); // generation 5 is gone
    // Generation 4 is the newly bred one, recorded from the population now.
    const std::vector<int32_t> newFour = recordedGeneration(4);
    EXPECT_NE(newFour, oldFour);
    for (int i = 0; i < 15; ++i) {
        const int32_t* entry = &es.fossilRecord[fossilEntryIndex(4, 15, i)];
        for (int k = 0; k < NUM_RULES; ++k)
            EXPECT_EQ(entry[k], es.spiders[i].rule(k));
        EXPECT_EQ(entry[FOSSIL_ORIGIN], originCode(es.spiders[i].origin));
        EXPECT_EQ(entry[FOSSIL_PARENT_A], es.spiders[i].parentA);
    }
}

TEST_F(FossilRecord, GrowsInPlaceWithoutBeingCopiedStepByStep) {
    usePanelDefaults();
    evolutionState.numPrey = 10;
    newPopulation(6);
    EvolutionState& es = evolutionState;
    const int32_t* const start = es.fossilRecord.data();
    EXPECT_GE(es.fossilRecord.capacity(), generationsOf(6, GENERATION_LIMIT + 1));
    breed(30);
    EXPECT_EQ(es.fossilRecord.data(), start);
    EXPECT_EQ(es.fossilRecord.size(), generationsOf(6, 31));
}

TEST_F(FossilRecord, ANewPopulationOfAnotherSizeStartsAFreshRecord) {
    usePanelDefaults();
    newPopulation(6);
    breed(3);
    newPopulation(0);
    EXPECT_EQ(evolutionState.populationSize, 6);
    EXPECT_EQ(evolutionState.fossilRecord.size(), generationsOf(6, 1));
    newPopulation(40);
    EXPECT_EQ(evolutionState.populationSize, 40);
    EXPECT_EQ(evolutionState.generation, 0);
    EXPECT_EQ(evolutionState.fossilRecord.size(), generationsOf(40, 1));
}

TEST_F(FossilRecord, FitnessIsTruncatedTowardZeroAndRestoredAsWhole) {
    usePanelDefaults();
    newPopulation(3);
    EvolutionState& es = evolutionState;
    es.spiders[1].individual.fitness = 1234.9;
    es.spiders[2].individual.fitness = -3.7;
    es.recordGeneration();
    const FossilView record(es.fossilRecord, 3);
    EXPECT_EQ(record.fitness(0, 1), 1234);
    EXPECT_EQ(record.fitness(0, 2), -3);
    es.goToGeneration(0);
    EXPECT_EQ(es.spiders[1].individual.fitness, 1234.0);
    EXPECT_EQ(es.spiders[2].individual.fitness, -3.0);
    EXPECT_TRUE(es.spiders[2].individual.isEvaluated);
}

TEST_F(FossilRecord, AnEmptyLabelIsRecordedAsMinusOneAndComesBackEmpty) {
    usePanelDefaults();
    newPopulation(2);
    EvolutionState& es = evolutionState;
    es.spiders[0].origin = "";
    es.spiders[1].origin = "CROSS+MUT";
    es.spiders[1].parentA = 7;
    es.spiders[1].parentB = -4;
    es.recordGeneration();
    const FossilView record(es.fossilRecord, 2);
    EXPECT_EQ(record.originCode(0, 0), -1);
    EXPECT_EQ(record.originCode(0, 1), 4);
    es.spiders[0].origin = "I";
    es.spiders[1].origin = "I";
    es.restoreSpider(0, 0);
    es.restoreSpider(0, 1);
    EXPECT_EQ(es.spiders[0].origin, "");
    EXPECT_EQ(es.spiders[1].origin, "CROSS+MUT");
    EXPECT_EQ(es.spiders[1].parentA, 7);
    EXPECT_EQ(es.spiders[1].parentB, -4);
}

TEST_F(FossilRecord, GoingToAnUnrecordedGenerationChangesNothing) {
    usePanelDefaults();
    newPopulation(5);
    breed(2);
    const StateSnapshot before = snapshotState();
    evolutionState.goToGeneration(-1);
    evolutionState.goToGeneration(3);
    evolutionState.goToGeneration(1 << 30);
    evolutionState.restoreSpider(3, 0);
    evolutionState.restoreSpider(0, 5);
    expectStateUnchanged(before);
}

TEST_F(FossilRecord, GoingBackRestoresGenomesRulesAndMarksThemEvaluated) {
    usePanelDefaults();
    newPopulation(8);
    EvolutionState& es = evolutionState;
    es.mutationRate = 0.1;
    const std::vector<int32_t> generationZero = recordedGeneration(0);
    breed(3);
    es.goToGeneration(0);
    EXPECT_EQ(es.generation, 0);
    for (int i = 0; i < 8; ++i) {
        const Spider& s = es.spiders[i];
        const int32_t* entry = &generationZero[fossilEntryIndex(0, 8, i)];
        for (int k = 0; k < NUM_RULES; ++k) {
            EXPECT_EQ(s.rule(k), entry[k]);
            EXPECT_EQ(es.problem.getGene(s.individual, k), entry[k]);
        }
        EXPECT_TRUE(s.individual.isEvaluated);
        EXPECT_EQ(s.individual.fitness, entry[FOSSIL_FITNESS]);
        EXPECT_EQ(s.origin, "I");
    }
}

TEST_F(FossilRecord, RestoringIntoASeparateSpiderLeavesThePopulationAlone) {
    usePanelDefaults();
    newPopulation(4);
    breed(2);
    const StateSnapshot before = snapshotState();
    Spider fossil;
    evolutionState.restoreSpiderInto(fossil, 1, 2);
    expectStateUnchanged(before);
    const int32_t* entry = &evolutionState.fossilRecord[fossilEntryIndex(1, 4, 2)];
    for (int k = 0; k < NUM_RULES; ++k)
        EXPECT_EQ(fossil.rule(k), entry[k]);
    EXPECT_EQ(fossil.individual.fitness, entry[FOSSIL_FITNESS]);
    EXPECT_EQ(fossil.parentA, entry[FOSSIL_PARENT_A]);
    EXPECT_TRUE(fossil.individual.isEvaluated);
}

TEST_F(FossilRecord, HighlightingPicksTheFirstBestOrSpiderZero) {
    usePanelDefaults();
    newPopulation(4);
    EvolutionState& es = evolutionState;
    const double fitness[] = {0, 5, 5, 3};
    for (int i = 0; i < 4; ++i)
        setFitness(i, fitness[i]);
    es.highlightBestRestored();
    EXPECT_EQ(es.selectedSpider, 1);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(es.spiders[i].web.isHighlighted, i == 1);

    for (int i = 0; i < 4; ++i)
        setFitness(i, i == 2 ? -1.0 : 0.0);
    es.highlightBestRestored();
    EXPECT_EQ(es.selectedSpider, 0);
    EXPECT_TRUE(es.spiders[0].web.isHighlighted);

    es.selectedSpider = 3;
    es.spiders[0].individual.isEvaluated = false; // not evaluated: nothing happens
    es.highlightBestRestored();
    EXPECT_EQ(es.selectedSpider, 3);
}

} // namespace
