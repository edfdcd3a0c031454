// The run API: options refused by name, runs as values that breed on two
// threads at once with the bytes of one after the other, breeding in pieces,
// cancellation, resuming from memory as from a file, the random streams
// kept and put back whole, statistics and webs.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "evolution/FossilView.h"
#include "evolution/Run.h"
#include "evolution/RunControl.h"
#include "tests/evolution/EvolutionTestSupport.h"

namespace {

RunOptions smallRun(int population, int threads) {
    RunOptions o;
    o.population = population;
    o.threads = threads;
    o.prey = 40;
    o.attack = AttackSim::DistGrav;
    o.silkLimit = 2500;
    return o;
}

// What a run file keeps, plus the streams a continuation needs.
struct Bytes {
    std::vector<int32_t> record;
    std::vector<uint32_t> random;
    bool operator==(const Bytes& o) const { return record == o.record && random == o.random; }
};

Bytes bytesOf(const ::Run& run) {
    return {run.wholeRecord(), run.random().words()};
}

Bytes bred(uint32_t seed, const RunOptions& o, int generations) {
    ::Run run = ::Run::start(o, seed);
    run.breed(generations);
    return bytesOf(run);
}

} // namespace

TEST(RunOptions, EveryRefusalNamesItsSetting) {
    RunOptions o;
    o.population = 0;
    try {
        validate(o);
        FAIL() << "population 0 taken";
    } catch (const RunOptionError& e) {
        EXPECT_EQ(e.setting(), "population");
        EXPECT_STREQ(e.what(), "population must be between 1 and 200, got 0");
    }
    const std::vector<std::pair<std::string, void (*)(RunOptions&)>> bad = {
        {"generations", [](RunOptions& r) { r.generations = 10001; }},
        {"threads", [](RunOptions& r) { r.threads = -1; }},
        {"prey", [](RunOptions& r) { r.prey = 10001; }},
        {"prey_size", [](RunOptions& r) { r.preySize = 200.5; }},
        {"prey_value", [](RunOptions& r) { r.preyValue = -1.0; }},
        {"silk_cost", [](RunOptions& r) { r.silkCost = 1e7; }},
        {"silk_limit", [](RunOptions& r) { r.silkLimit = -2; }},
        {"time_penalty", [](RunOptions& r) { r.timePenalty = -0.5; }},
        {"crossover", [](RunOptions& r) { r.crossover = 101; }},
        {"mutation", [](RunOptions& r) { r.mutation = -1; }},
    };
    for (const auto& [setting, spoil] : bad) {
        RunOptions r;
        spoil(r);
        try {
            validate(r);
            ADD_FAILURE() << setting << " taken";
        } catch (const RunOptionError& e) {
            EXPECT_EQ(e.setting(), setting);
            EXPECT_EQ(std::string(e.what()).rfind(setting + " must be between", 0), 0u) << e.what();
        }
    }
    RunOptions edges;
    edges.population = 200;
    edges.silkLimit = -1;
    edges.preySize = 200.0;
    EXPECT_NO_THROW(validate(edges));
}

TEST(Runs, TwoRunsBreedOnTwoThreadsWithTheBytesOfOneAfterTheOther) {
    const RunOptions a = smallRun(7, 1);
    const RunOptions b = smallRun(5, 2);
    const Bytes serialA = bred(11, a, 4);
    const Bytes serialB = bred(12, b, 4);
    Bytes parallelA, parallelB;
    std::thread other([&] { parallelA = bred(11, a, 4); });
    parallelB = bred(12, b, 4);
    other.join();
    EXPECT_TRUE(parallelA == serialA);
    EXPECT_TRUE(parallelB == serialB);
    EXPECT_FALSE(serialA == serialB);
}

TEST(Runs, APieceAtATimeCancelledOrNotIsTheSameRun) {
    const RunOptions o = smallRun(6, 1);
    const Bytes whole = bred(3, o, 5);
    ::Run run = ::Run::start(o, 3);
    int calls = 0;
    const ::Run::BreedReport first = run.breed(5, [&](const ::Run& r, int bred) {
        ++calls;
        EXPECT_EQ(r.generation(), bred);
        return bred < 2;
    });
    EXPECT_EQ(first.bred, 2);
    EXPECT_TRUE(first.cancelled);
    EXPECT_EQ(calls, 2);
    std::atomic<bool> cancel{true};
    EXPECT_EQ(run.breed(3, {}, &cancel).bred, 0);
    cancel = false;
    const ::Run::BreedReport rest = run.breed(3, {}, &cancel);
    EXPECT_EQ(rest.startGeneration, 2);
    EXPECT_EQ(rest.bred, 3);
    EXPECT_FALSE(rest.cancelled);
    EXPECT_TRUE(bytesOf(run) == whole);
}

TEST(Runs, ACopyGoesOnAsTheOriginalAndThreadsDoNotMatter) {
    ::Run original = ::Run::start(smallRun(6, 2), 8);
    original.breed(2);
    ::Run copy = original;
    copy.setThreads(1);
    original.breed(2);
    copy.breed(2);
    EXPECT_TRUE(bytesOf(copy) == bytesOf(original));
}

TEST(Runs, ResumingFromMemoryEqualsResumingTheSavedFile) {
    ::Run run = ::Run::start(smallRun(6, 1), 21);
    run.breed(3);
    const std::string path = makeTempFolder("run-api") + "/r.axv";
    run.save(path);
    RunOptions more;
    more.mutation = 9;
    ::Run fromFile = ::Run::resume(path, more, 5);
    ::Run fromMemory = ::Run::resume(run, more, 5);
    EXPECT_EQ(fromFile.settings().mutationRate, 9 / 1000.0);
    fromFile.breed(2);
    fromMemory.breed(2);
    EXPECT_TRUE(bytesOf(fromFile) == bytesOf(fromMemory));
    ::Run opened = ::Run::open(path);
    EXPECT_EQ(opened.wholeRecord(), ::Run::open(path).wholeRecord());
    EXPECT_THROW(::Run::open(path + ".missing"), RunFileError);
    more.population = 4;
    EXPECT_THROW(::Run::resume(run, more, 5), RunOptionError);
}

TEST(Runs, StreamsPutBackContinueExactlyAndBadWordsAreRefused) {
    ::Run run = ::Run::start(smallRun(6, 1), 33);
    run.breed(1);
    ::Run twin = ::Run::fromRecord(run.populationSize(), run.wholeRecord(), run.fileSettings(), 0);
    ASSERT_TRUE(twin.random().setWords(run.random().words()));
    run.breed(2);
    twin.breed(2);
    EXPECT_TRUE(bytesOf(twin) == bytesOf(run));

    std::vector<uint32_t> words = run.random().words();
    const std::vector<uint32_t> before = words;
    words[MTRand::SAVE + 31] = 40; // a position no generator has
    EXPECT_FALSE(twin.random().setWords(words));
    words.pop_back();
    EXPECT_FALSE(twin.random().setWords(words));
    EXPECT_EQ(twin.random().words(), bytesOf(twin).random);
    EXPECT_THROW(::Run::fromRecord(6, std::vector<int32_t>(23 * 6 + 1), run.fileSettings(), 0),
                 std::invalid_argument);
}

TEST(Runs, TheLibraryTwinIsTheCLibrarysRand) {
    BuildRandom twin(1);
    for (unsigned seed : {1u, 1000u}) {
        twin = BuildRandom(seed);
        std::srand(seed);
        for (int i = 0; i < 50; ++i)
            ASSERT_EQ(twin.next(), std::rand()) << seed;
    }
}

TEST(Runs, StatisticsAndWebsComeFromTheRecord) {
    ::Run run = ::Run::start(smallRun(6, 1), 2);
    run.breed(2);
    const std::vector<GenerationStats> rows = run.statistics();
    ASSERT_EQ(rows.size(), 3u);
    const FossilView f(run.state().fossilRecord, 6);
    EXPECT_EQ(rows[2].best, f.fitness(2, f.bestOf(2)));
    const Spider web = run.web(2, 1);
    EXPECT_EQ(web.stage, STAGE_COMPLETE);
    EXPECT_THROW(run.web(3, 0), std::out_of_range);
}
