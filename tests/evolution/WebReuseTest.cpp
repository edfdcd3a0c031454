// Reusing webs changes nothing but the time: runs over many settings give the
// same record, random streams and messages with reuse on and off, and the
// kept webs are bounded to two generations.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "evolution/Run.h"
#include "evolution/RunControl.h"
#include "evolution/RunSettings.h"
#include "web/WebCache.h"

namespace {

struct Outcome {
    std::vector<int32_t> record;
    std::vector<uint32_t> random;
    std::string output;          // construction messages, in the order printed
    std::vector<double> spiders; // what the last evaluation left in each spider
    long reused = 0;
};

void appendSpider(const Spider& s, std::vector<double>& out) {
    const Web& w = s.web;
    out.insert(out.end(),
               {double(s.spiderX), double(s.spiderY), double(s.stage), double(s.currentRadius),
                s.spiralDist, double(s.spiralDirection), double(s.numCaught), s.silkCost,
                s.timePenalty, w.spiralSilk, w.radiusSilk, w.frameSilk, double(w.radii.size()),
                double(w.spiralThreads.size()), double(w.firstLoopThreads), double(w.lastX),
                double(w.lastY)});
    out.insert(out.end(), w.caughtPrey.begin(), w.caughtPrey.end());
}

// A run bred with reuse on or off; the switch is the environment variable,
// read when the run's evaluator is made.
Outcome bred(const RunOptions& o, uint32_t seed, bool reuse) {
    if (reuse)
        unsetenv("ARACHNOVIX_NO_WEB_REUSE");
    else
        setenv("ARACHNOVIX_NO_WEB_REUSE", "1", 1);
    testing::internal::CaptureStdout();
    ::Run run = ::Run::start(o, seed);
    run.breed(o.generations);
    Outcome out;
    out.output = testing::internal::GetCapturedStdout();
    unsetenv("ARACHNOVIX_NO_WEB_REUSE");
    EXPECT_EQ(run.state().evaluator.webReuse(), reuse);
    out.record = run.wholeRecord();
    out.random = run.random().words();
    out.reused = run.state().evaluator.websReused();
    for (int i = 0; i < run.populationSize(); ++i)
        appendSpider(run.state().spiders[i], out.spiders);
    return out;
}

} // namespace

TEST(WebReuse, ManyShortRunsGiveTheBytesOfRunsThatBuildEveryWeb) {
    std::mt19937 pick(2024);
    const int populations[] = {1, 2, 24, 200};
    const int threads[] = {1, 2, 7, 32};
    const AttackSim attacks[] = {AttackSim::Off, AttackSim::Dist, AttackSim::DistGrav};
    const int silkLimits[] = {NO_SILK_LIMIT, 150, 300, 900, 4000};
    long reused = 0;
    bool warned = false;
    for (int n = 0; n < 24; ++n) {
        RunOptions o;
        o.population = populations[n % 4];
        o.threads = threads[pick() % 4];
        o.attack = attacks[pick() % 3];
        o.silkLimit = silkLimits[n % 5]; // every population meets every limit
        o.prey = static_cast<int>(pick() % 100);
        o.mutation = static_cast<int>(pick() % 30);
        o.generations = *o.population == 200 ? 3 : 10 + static_cast<int>(pick() % 30);
        const uint32_t seed = pick();
        const Outcome on = bred(o, seed, true);
        const Outcome off = bred(o, seed, false);
        const std::string which = "run " + std::to_string(n);
        EXPECT_EQ(on.record, off.record) << which;
        EXPECT_EQ(on.random, off.random) << which;
        EXPECT_EQ(on.output, off.output) << which;
        EXPECT_EQ(on.spiders, off.spiders) << which;
        EXPECT_EQ(off.reused, 0) << which;
        reused += on.reused;
        warned = warned || !on.output.empty();
    }
    // The runs did reuse webs, and some builds warned (so messages were compared).
    EXPECT_GT(reused, 0);
    EXPECT_TRUE(warned);
}

TEST(WebReuse, KeptWebsLastTwoGenerationsUnlessFoundAgain) {
    Spider a, b;
    b.numStartRadii = 7;
    const WebKey keyA = webKey(a, NO_SILK_LIMIT);
    const WebKey keyB = webKey(b, NO_SILK_LIMIT);
    EXPECT_FALSE(webKey(a, 500) == keyA);
    WebCache cache;
    BuiltWeb web;
    web.draws = 9;
    cache.add(keyA, std::make_unique<BuiltWeb>(web));
    const BuiltWeb* webB = cache.add(keyB, std::make_unique<BuiltWeb>(web));
    cache.nextGeneration();
    ASSERT_NE(cache.find(keyA), nullptr); // found again: kept on
    EXPECT_EQ(cache.find(keyA)->draws, 9);
    cache.nextGeneration();
    EXPECT_EQ(cache.size(), 1u); // B was not asked for in the generation before
    EXPECT_EQ(cache.find(keyB), nullptr);
    EXPECT_NE(cache.find(keyA), nullptr);
    // B's web is kept as the one spare (the generation that ended kept one
    // web), and is what the next build is copied into.
    EXPECT_EQ(cache.spares(), 1u);
    cache.nextGeneration();
    EXPECT_EQ(cache.spares(), 1u);
    EXPECT_EQ(cache.spare().get(), webB);
    EXPECT_EQ(cache.spares(), 0u);
    cache.clear();
    EXPECT_EQ(cache.find(keyA), nullptr);
}

TEST(WebReuse, ANewPopulationOrSilkLimitForgetsTheKeptWebs) {
    ::Run run = ::Run::start(RunOptions{}, 4);
    EvolutionState& es = run.state();
    ASSERT_GT(es.evaluator.websKept(), 0u);
    RunSettings s = run.settings();
    applyRunSettings(es, s); // the same settings: the webs still apply
    EXPECT_GT(es.evaluator.websKept(), 0u);
    s.silkLimit = 700;
    applyRunSettings(es, s);
    EXPECT_EQ(es.evaluator.websKept(), 0u);
    run.breed(1);
    ASSERT_GT(es.evaluator.websKept(), 0u);
    testing::internal::CaptureStdout();
    startPopulation(es, 0);
    testing::internal::GetCapturedStdout();
    // Only the new population's first generation is kept.
    EXPECT_LE(es.evaluator.websKept(), static_cast<size_t>(es.populationSize));
}
