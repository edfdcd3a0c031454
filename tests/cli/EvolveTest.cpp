// The headless run against the engine: reproducible by seed, loadable by the
// program's loader, resumable without touching the recorded history.

#include <gtest/gtest.h>

#include "CliTestFiles.h"
#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"
#include "evolution/ParallelEvaluation.h"
#include "evolution/RunControl.h"
#include "tools/cli/Commands.h"
#include "tools/cli/Evolve.h"
#include "tools/cli/RunFile.h"
#include "web/BuilderState.h"

namespace {

constexpr size_t FILE_OVERHEAD = 75;
constexpr size_t BYTES_PER_ENTRY = 92;

// Runs evolve in this process and returns the saved file's bytes.
std::string evolveBytes(const std::vector<std::string>& words, uint32_t seed,
                        const std::string& name) {
    std::vector<std::string> all = words;
    const std::string path = scratchPath(name);
    all.insert(all.end(), {"--out", path});
    const EvolveOptions o = parseEvolveOptions(all);
    Run run = startEvolution(o, seed);
    run.breed(o.run.generations);
    evolutionState = run.state();
    run.save(o.out, o.plain ? FileLayout::Plain : FileLayout::WithContinuation);
    return readFile(path);
}

std::vector<int32_t> generationOf(const std::vector<int32_t>& record, int n, int g) {
    return std::vector<int32_t>(record.begin() + fossilEntryIndex(g, n, 0),
                                record.begin() + fossilEntryIndex(g + 1, n, 0));
}

} // namespace

TEST(Evolve, SameSeedGivesIdenticalBytesAndOtherSeedsDiffer) {
    const std::vector<std::string> w = {"--population", "8", "--generations", "4", "--plain"};
    const std::string a = evolveBytes(w, 42, "a.axv");
    const std::string b = evolveBytes(w, 42, "b.axv");
    const std::string c = evolveBytes(w, 43, "c.axv");
    EXPECT_EQ(a.size(), FILE_OVERHEAD + BYTES_PER_ENTRY * 8 * 5);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == c);
}

// Attack draws, a silk limit and selection after parallel evaluation: the
// same bytes on 1, 2 and 7 threads and on more threads than spiders.
TEST(Evolve, EveryThreadCountGivesTheSameBytes) {
    const std::vector<std::string> w = {"--population", "9",         "--generations", "5",
                                        "--attack",     "dist+grav", "--silk-limit",  "3000"};
    std::vector<std::string> one = w;
    one.insert(one.end(), {"--threads", "1"});
    const std::string serial = evolveBytes(one, 7, "threads-1.axv");
    for (const char* n : {"2", "7", "40"}) {
        std::vector<std::string> many = w;
        many.insert(many.end(), {"--threads", n});
        EXPECT_TRUE(evolveBytes(many, 7, std::string("threads-") + n + ".axv") == serial) << n;
    }
}

TEST(Evolve, SettingsReachTheStateAsThePanelSetsThem) {
    evolveBytes({"--population", "3", "--generations", "0", "--prey", "40", "--prey-size", "2.5",
                 "--attack", "dist+grav", "--silk-limit", "2500", "--crossover", "29", "--mutation",
                 "7", "--time-penalty", "1"},
                5, "settings.axv");
    const EvolutionState& es = evolutionState;
    EXPECT_EQ(es.populationSize, 3);
    EXPECT_EQ(es.numPrey, 40);
    EXPECT_EQ(es.preySize, 2.5);
    EXPECT_TRUE(es.problem.useAttackDistance);
    EXPECT_TRUE(es.problem.useGravity);
    EXPECT_EQ(es.silkLimit, 2500);
    EXPECT_EQ(es.crossoverRate, 29 / 100.0);
    EXPECT_EQ(es.mutationRate, 7 / 1000.0);
    EXPECT_EQ(es.timePenaltyFactor, 1.0);
    EXPECT_EQ(es.generation, 0);
    EXPECT_EQ(es.fossilRecord.size(), 3u * FOSSIL_ENTRY_SIZE);
}

TEST(Evolve, TheSavedRunLoadsWithItsLastGenerationAsThePopulation) {
    evolveBytes({"--population", "6", "--generations", "3"}, 7, "load.axv");
    const std::vector<int32_t> saved = evolutionState.fossilRecord;
    evolutionState.fossilRecord.clear();
    evolutionState.generation = 0;
    loadRun(scratchPath("load.axv"));
    const EvolutionState& es = evolutionState;
    EXPECT_EQ(es.fossilRecord, saved);
    EXPECT_EQ(es.generation, 3);
    const FossilView f(es.fossilRecord, es.populationSize);
    for (int i = 0; i < es.populationSize; ++i) {
        for (int k = 0; k < NUM_RULES; ++k)
            EXPECT_EQ(es.spiders[i].rule(k), f.rule(3, i, k));
        EXPECT_EQ(es.spiders[i].individual.fitness, f.fitness(3, i));
        EXPECT_EQ(es.spiders[i].parentA, f.parentA(3, i));
    }
}

TEST(Evolve, ResumeGrowsTheRecordAndLeavesRecordedGenerationsUnchanged) {
    evolveBytes({"--population", "6", "--generations", "3", "--prey-value", "25"}, 11, "r0.axv");
    const std::vector<int32_t> before = evolutionState.fossilRecord;
    const std::string after = evolveBytes(
        {"--resume", scratchPath("r0.axv"), "--generations", "2", "--silk-cost", "3", "--plain"},
        12, "r1.axv");
    const EvolutionState& es = evolutionState;
    EXPECT_EQ(after.size(), FILE_OVERHEAD + BYTES_PER_ENTRY * 6 * 6);
    EXPECT_EQ(es.generation, 5);
    ASSERT_EQ(es.fossilRecord.size(), before.size() + 2u * 6 * FOSSIL_ENTRY_SIZE);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), es.fossilRecord.begin()));
    EXPECT_EQ(es.preyValue, 25.0);     // kept from the file
    EXPECT_EQ(es.silkCostFactor, 3.0); // given on the command line
}

TEST(Evolve, ResumeSparesTheBestSpiderOfTheLoadedGeneration) {
    evolveBytes({"--population", "10", "--generations", "2"}, 21, "elite0.axv");
    const FossilView last(evolutionState.fossilRecord, 10);
    const int best = last.bestOf(2);
    const std::vector<int32_t> loaded = generationOf(evolutionState.fossilRecord, 10, 2);
    evolveBytes({"--resume", scratchPath("elite0.axv"), "--generations", "1", "--mutation", "1000",
                 "--crossover", "100"},
                22, "elite1.axv");
    const FossilView f(evolutionState.fossilRecord, 10);
    EXPECT_EQ(f.originCode(3, best), 1); // "SEL": neither crossed nor mutated
    EXPECT_EQ(f.parentA(3, best), best);
    for (int k = 0; k < NUM_RULES; ++k)
        EXPECT_EQ(f.rule(3, best, k), loaded[fossilEntryIndex(0, 10, best) + k]) << "rule " << k;
}

TEST(Evolve, ZeroGenerationsSavesGenerationZeroOnly) {
    const std::string bytes =
        evolveBytes({"--population", "24", "--generations", "0", "--plain"}, 1, "g0.axv");
    EXPECT_EQ(bytes.size(), 2283u); // 75 + 92 x 24
}

TEST(Evolve, NeverBreedsPastTheGenerationLimit) {
    // a one-spider run whose record already reaches generation 9,999
    evolveBytes({"--population", "1", "--generations", "0"}, 3, "limit0.axv");
    std::vector<int32_t>& record = evolutionState.fossilRecord;
    const std::vector<int32_t> g0 = record;
    for (int g = 1; g < GENERATION_LIMIT; ++g)
        record.insert(record.end(), g0.begin(), g0.end());
    evolutionState.generation = GENERATION_LIMIT - 1;
    saveRun(scratchPath("limit0.axv"));
    const EvolveOptions o =
        parseEvolveOptions({"--resume", scratchPath("limit0.axv"), "--generations", "5", "--out",
                            scratchPath("l.axv")});
    ::Run run = startEvolution(o, 4);
    const ::Run::BreedReport r = run.breed(o.run.generations);
    evolutionState = run.state();
    EXPECT_TRUE(r.stoppedAtLimit);
    EXPECT_EQ(r.bred, 1);
    EXPECT_EQ(evolutionState.generation, GENERATION_LIMIT);
    EXPECT_EQ(FossilView(evolutionState.fossilRecord, 1).generations(), GENERATION_LIMIT + 1);
}

TEST(EvolveDeathTest, SaysSoWhenItStopsAtTheLimit) {
    const std::string in = scratchPath("limit-msg.axv");
    evolveBytes({"--population", "1", "--generations", "0"}, 3, "limit-msg.axv");
    std::vector<int32_t>& record = evolutionState.fossilRecord;
    const std::vector<int32_t> g0 = record;
    for (int g = 1; g <= GENERATION_LIMIT; ++g)
        record.insert(record.end(), g0.begin(), g0.end());
    evolutionState.generation = GENERATION_LIMIT;
    saveRun(in);
    EXPECT_EXIT(std::exit(runCli({"evolve", "--resume", in, "--generations", "3", "--seed", "1",
                                  "--quiet", "--out", scratchPath("limit-out.axv")})),
                ::testing::ExitedWithCode(0), "Cannot evolve more than 10,000 generations");
}
