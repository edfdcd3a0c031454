// Runs of the headless evolve command must reproduce, byte for byte, the
// population files that an independent implementation wrote for the same
// seeds and settings.

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>
#include <tuple>

#include "core/LRandom.h"
#include "evolution/EvolutionState.h"
#include "evolution/ParallelEvaluation.h"
#include "evolution/PopulationFile.h"
#include "evolution/RunCompare.h"
#include "evolution/RunControl.h"
#include "evolution/RunSettings.h"
#include "tests/evolution/EvolutionTestSupport.h"

namespace {

struct GoldenRun {
    const char* file;
    unsigned long seed;
    int population;
    int generations;
    int numPrey;
    AttackSim attack;
    double silkCost;
    int32_t silkLimitUnits;
    double timePenalty;
};

const GoldenRun GOLDEN_RUNS[] = {
    {"seed1-pop24-gen6.axv", 1, 24, 6, 100, AttackSim::Off, 10, -1, 0},
    {"seed2-pop10-gen12-dist.axv", 2, 10, 12, 60, AttackSim::Dist, 1, -1, 0},
    {"seed3-pop15-gen3-limit2500.axv", 3, 15, 3, 100, AttackSim::Off, 1, 2500, 1},
};

bool goldenFolderPresent() {
    struct stat st;
    return ::stat(ARACHNOVIX_GOLDEN_DIR, &st) == 0 && S_ISDIR(st.st_mode);
}

// The headless evolve command: seed, settings, a new population, then one
// bred and evaluated generation after another, each followed by new display
// angles and the selection of the best spider.
void evolve(const GoldenRun& run, bool extraRollAfterNewPopulation = false) {
    evolutionState.random.seed(run.seed);
    RunSettings settings;
    settings.numPrey = run.numPrey;
    setAttack(settings, run.attack);
    settings.silkCostFactor = run.silkCost;
    settings.silkLimit = run.silkLimitUnits;
    settings.timePenaltyFactor = run.timePenalty;
    applyRunSettings(settings);
    EvolutionState& es = evolutionState;
    // A new population rolls the prey's display angles itself; the files were
    // written with that one roll before the first step (a second roll would
    // shift the shared generator by numPrey draws, see the test below).
    newPopulation(run.population);
    if (extraRollAfterNewPopulation)
        rollPreyAngles();
    for (int g = 0; g < run.generations; ++g) {
        es.stepGeneration();
        es.evaluatePopulation(true);
        rollPreyAngles();
        es.selectedSpider = es.bestSpider;
    }
}

// Where the run in the evolution state first parts from the golden file, as
// the tool's compare command names it (this loads the golden file).
std::string describeFirstDifference(const std::string& goldenPath) {
    const RunSnapshot ours = snapshotRun();
    std::string why;
    if (!loadPopulation(goldenPath, &why))
        return "the golden file does not load: " + why;
    const std::string difference = firstDifference(snapshotRun(), ours);
    return difference.empty() ? "the record and the settings agree, other bytes differ"
                              : "golden vs ours: " + difference;
}

using GoldenContract = EvolutionTest;

// Each run on 1, 2 and 7 evaluation threads, and on more threads than spiders.
class GoldenFiles : public EvolutionTest,
                    public ::testing::WithParamInterface<std::tuple<GoldenRun, int>> {
  protected:
    void TearDown() override {
        evolutionState.evaluator.setThreads(0);
        EvolutionTest::TearDown();
    }
};

TEST_P(GoldenFiles, HeadlessRunReproducesTheFileByteForByte) {
    if (!goldenFolderPresent())
        GTEST_SKIP() << "golden files not found at " << ARACHNOVIX_GOLDEN_DIR;
    const GoldenRun& run = std::get<0>(GetParam());
    const std::string golden = std::string(ARACHNOVIX_GOLDEN_DIR) + "/" + run.file;
    const std::vector<uint8_t> want = readBytes(golden);
    ASSERT_FALSE(want.empty()) << run.file;

    evolutionState.evaluator.setThreads(std::get<1>(GetParam()));
    evolve(run);
    const std::string out = makeTempFolder("golden-" + std::to_string(run.seed) + "-" +
                                           std::to_string(std::get<1>(GetParam()))) +
                            "/run.axv";
    ASSERT_EQ(writePopulation(evolutionState, out, FileLayout::Plain), "");
    const std::vector<uint8_t> got = readBytes(out);

    EXPECT_EQ(got.size(), 75u + 92u * run.population * (run.generations + 1));
    EXPECT_TRUE(got == want) << run.file << ": " << describeFirstDifference(golden);
}

// The evidence for the single roll: with a second roll right after the new
// population, generation 0 (genomes, webs, prey, fitness) still matches the
// file, and the first bred generation no longer does.
TEST_F(GoldenContract, ASecondRollAfterNewPopulationDivergesAtGenerationOne) {
    if (!goldenFolderPresent())
        GTEST_SKIP() << "golden files not found at " << ARACHNOVIX_GOLDEN_DIR;
    const GoldenRun& run = GOLDEN_RUNS[0];
    const std::vector<uint8_t> want =
        readBytes(std::string(ARACHNOVIX_GOLDEN_DIR) + "/" + run.file);
    ASSERT_FALSE(want.empty());
    evolve(run, true);
    const std::string out = makeTempFolder("golden-second-roll") + "/run.axv";
    ASSERT_EQ(writePopulation(evolutionState, out, FileLayout::Plain), "");
    const std::vector<uint8_t> got = readBytes(out);
    ASSERT_EQ(got.size(), want.size());
    const size_t generationZeroEnd = 19 + 92u * run.population;
    EXPECT_TRUE(std::equal(want.begin(), want.begin() + generationZeroEnd, got.begin()));
    EXPECT_FALSE(std::equal(want.begin() + generationZeroEnd,
                            want.begin() + generationZeroEnd + 92u * run.population,
                            got.begin() + generationZeroEnd));
}

INSTANTIATE_TEST_SUITE_P(Evolve, GoldenFiles,
                         ::testing::Combine(::testing::ValuesIn(GOLDEN_RUNS),
                                            ::testing::Values(1, 2, 7, 32)),
                         [](const ::testing::TestParamInfo<std::tuple<GoldenRun, int>>& info) {
                             return "seed" + std::to_string(std::get<0>(info.param).seed) +
                                    "_threads" + std::to_string(std::get<1>(info.param));
                         });

} // namespace
