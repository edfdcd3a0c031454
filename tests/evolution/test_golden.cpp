// Runs of the headless evolve command must reproduce, byte for byte, the
// population files that an independent implementation wrote for the same
// seeds and settings.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>
#include <sys/stat.h>

#include "core/LRandom.h"
#include "evolution/EvolutionState.h"
#include "evolution/LittleEndian.h"
#include "evolution/ParallelEvaluation.h"
#include "evolution/PopulationFile.h"
#include "evolution/RunControl.h"
#include "tests/evolution/EvolutionTestSupport.h"
#include "web/BuilderState.h"

namespace {

struct GoldenRun {
    const char* file;
    unsigned long seed;
    int population;
    int generations;
    int numPrey;
    bool attackDistance;
    bool attackGravity;
    double silkCost;
    int32_t silkLimitUnits;
    double timePenalty;
};

const GoldenRun GOLDEN_RUNS[] = {
    {"seed1-pop24-gen6.axv", 1, 24, 6, 100, false, false, 10, -1, 0},
    {"seed2-pop10-gen12-dist.axv", 2, 10, 12, 60, true, false, 1, -1, 0},
    {"seed3-pop15-gen3-limit2500.axv", 3, 15, 3, 100, false, false, 1, 2500, 1},
};

const char* const FIELD_NAMES[FOSSIL_ENTRY_SIZE] = {"numStartRadii",
                                                    "variability",
                                                    "phase",
                                                    "rMaxLenRight",
                                                    "rMaxLenBottom",
                                                    "rMaxLenLeft",
                                                    "rMaxLenTop",
                                                    "interpFuncId",
                                                    "interpFuncParam",
                                                    "rNextRadiiAngleRight",
                                                    "rNextRadiiAngleBottom",
                                                    "rNextRadiiAngleLeft",
                                                    "rNextRadiiAngleTop",
                                                    "interpFuncId2",
                                                    "interpFuncParam2",
                                                    "minFinalRadiiSpace",
                                                    "spiralDistStart",
                                                    "spiralDistEnd",
                                                    "growthToCentre",
                                                    "fitness",
                                                    "origin code",
                                                    "parentA",
                                                    "parentB"};

bool goldenFolderPresent() {
    struct stat st;
    return ::stat(ARACHNOVIX_GOLDEN_DIR, &st) == 0 && S_ISDIR(st.st_mode);
}

// The headless evolve command: seed, settings, a new population, then one
// bred and evaluated generation after another, each followed by new display
// angles and the selection of the best spider.
void evolve(const GoldenRun& run, bool extraRollAfterNewPopulation = false) {
    LRandom::random.seed(run.seed);
    EvolutionState& es = evolutionState;
    es.numPrey = run.numPrey;
    es.preySize = 4;
    es.preyValue = 20;
    es.problem.useAttackDistance = run.attackDistance;
    es.problem.useGravity = run.attackGravity;
    es.silkCostFactor = run.silkCost;
    silkLimit = run.silkLimitUnits;
    es.timePenaltyFactor = run.timePenalty;
    es.crossoverRate = 0.8;
    es.mutationRate = 0.002;
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

// Where two files first differ, in terms of the record when it can be said.
std::string describeFirstDifference(const std::vector<uint8_t>& want,
                                    const std::vector<uint8_t>& got, int n) {
    std::ostringstream out;
    const size_t header = 4 + 7 + 4 + 4;
    const size_t common = std::min(want.size(), got.size());
    size_t at = 0;
    while (at < common && want[at] == got[at])
        ++at;
    if (at == common) {
        out << "sizes differ: golden " << want.size() << " bytes, ours " << got.size();
        return out.str();
    }
    out << "first difference at byte " << at;
    const size_t recordEnd = std::min(want.size(), got.size()) - 56;
    if (at >= header && at < recordEnd) {
        const size_t entryBytes = FOSSIL_ENTRY_SIZE * 4;
        const size_t index = (at - header) / entryBytes;
        const size_t field = (at - header) % entryBytes / 4;
        const size_t fieldStart = header + index * entryBytes + field * 4;
        out << ": generation " << index / n << ", spider " << index % n << ", field " << field
            << " (" << FIELD_NAMES[field] << "): golden "
            << little_endian::getInt32(&want[fieldStart]) << ", ours "
            << little_endian::getInt32(&got[fieldStart]);
    } else if (at >= recordEnd) {
        out << " in the settings block (offset " << at - recordEnd << ")";
    }
    return out.str();
}

using GoldenContract = EvolutionTest;

// Each run on 1, 2 and 7 evaluation threads, and on more threads than spiders.
class GoldenFiles : public EvolutionTest,
                    public ::testing::WithParamInterface<std::tuple<GoldenRun, int>> {
protected:
    void TearDown() override {
        setEvaluationThreads(0);
        EvolutionTest::TearDown();
    }
};

TEST_P(GoldenFiles, HeadlessRunReproducesTheFileByteForByte) {
    if (!goldenFolderPresent())
        GTEST_SKIP() << "golden files not found at " << ARACHNOVIX_GOLDEN_DIR;
    const GoldenRun& run = std::get<0>(GetParam());
    const std::vector<uint8_t> want =
        readBytes(std::string(ARACHNOVIX_GOLDEN_DIR) + "/" + run.file);
    ASSERT_FALSE(want.empty()) << run.file;

    setEvaluationThreads(std::get<1>(GetParam()));
    evolve(run);
    const std::string out =
        makeTempFolder("golden-" + std::to_string(run.seed) + "-" +
                       std::to_string(std::get<1>(GetParam()))) +
        "/run.axv";
    ASSERT_TRUE(savePopulation(out));
    const std::vector<uint8_t> got = readBytes(out);

    EXPECT_EQ(got.size(), 75u + 92u * run.population * (run.generations + 1));
    EXPECT_TRUE(got == want) << run.file << ": "
                             << describeFirstDifference(want, got, run.population);
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
    ASSERT_TRUE(savePopulation(out));
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
