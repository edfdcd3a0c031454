// Evaluating a population on several threads gives what evaluating it spider
// after spider gives: the same webs and scores, the same attack draws taken
// from the shared generator, and rand() left in the same state.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "core/LRandom.h"
#include "evolution/ParallelEvaluation.h"
#include "evolution/ThreadPool.h"
#include "tests/evolution/EvolutionTestSupport.h"
#include "web/BuilderState.h"

namespace {

using ParallelEvaluation = EvolutionTest;

struct Outcome {
    std::vector<double> fitness;
    std::vector<std::vector<int32_t>> caught;
    std::vector<size_t> threads;
    std::vector<unsigned long> generatorState;
    int nextRand = 0;
};

Outcome outcomeOf(const Spider* spiders, int n, int nextRand) {
    Outcome o;
    for (int i = 0; i < n; ++i) {
        o.fitness.push_back(spiders[i].individual.fitness);
        o.caught.push_back(spiders[i].web.caughtPrey);
        o.threads.push_back(spiders[i].web.spiralThreads.size());
    }
    o.generatorState.resize(MTRand::SAVE);
    LRandom::random.save(o.generatorState.data());
    o.nextRand = nextRand;
    return o;
}

// A random population of `size` spiders and its swarm; the settings it is scored with.
EAPGossamerix::ScoreSettings randomPopulation(int size) {
    EvolutionState& es = evolutionState;
    es.populationSize = size;
    for (int i = 0; i < es.populationSize; ++i)
        es.problem.createRandomGenotype(es.spiders[i].individual);
    es.decodeRules();
    es.problem.createPrey(es.numPrey);
    return {es.preySize, es.preyValue, es.silkCostFactor, es.timePenaltyFactor};
}

TEST_F(ParallelEvaluation, GivesTheSerialResultsForEveryThreadCount) {
    EvolutionState& es = evolutionState;
    usePanelDefaults();
    es.problem.useAttackDistance = true;
    es.problem.useGravity = true;
    const EAPGossamerix::ScoreSettings settings = randomPopulation(13);
    std::vector<unsigned long> start(MTRand::SAVE);
    LRandom::random.save(start.data());
    const std::vector<Spider> unevaluated(es.spiders, es.spiders + es.populationSize);

    std::srand(77);
    for (int i = 0; i < es.populationSize; ++i) {
        es.spiders[i].individual.isEvaluated = false;
        es.problem.evaluateSpider(es.spiders[i], es.preySize, es.preyValue, es.silkCostFactor,
                                  es.timePenaltyFactor);
    }
    const Outcome serial = outcomeOf(es.spiders, es.populationSize, std::rand());

    for (int threads : {1, 2, 7, 64}) {
        PopulationEvaluator evaluator(threads);
        EXPECT_EQ(evaluator.threads(), threads);
        std::copy(unevaluated.begin(), unevaluated.end(), es.spiders);
        LRandom::random.load(start.data());
        BuildRandom last = evaluator.evaluate(es.problem, es.spiders, es.populationSize, settings,
                                              LRandom::random);
        const Outcome parallel = outcomeOf(es.spiders, es.populationSize, last.next());
        EXPECT_EQ(parallel.fitness, serial.fitness) << threads;
        EXPECT_EQ(parallel.caught, serial.caught) << threads;
        EXPECT_EQ(parallel.threads, serial.threads) << threads;
        EXPECT_EQ(parallel.generatorState, serial.generatorState) << threads;
        EXPECT_EQ(parallel.nextRand, serial.nextRand) << threads;
    }
}

// A forked child (Python's multiprocessing makes them) has none of its
// parent's pool threads: it evaluates on threads of its own.
TEST_F(ParallelEvaluation, AForkedChildEvaluatesAfterItsParentDid) {
#ifdef __SANITIZE_THREAD__
    GTEST_SKIP() << "ThreadSanitizer ends a forked child that starts threads";
#endif
    EvolutionState& es = evolutionState;
    usePanelDefaults();
    const EAPGossamerix::ScoreSettings settings = randomPopulation(8);
    setEvaluationThreads(2);
    evaluateSpiders(es.problem, es.spiders, es.populationSize, settings);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::alarm(20); // a hang ends the child with SIGALRM
        evaluateSpiders(es.problem, es.spiders, es.populationSize, settings);
        ::_exit(es.spiders[es.populationSize - 1].individual.isEvaluated ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << (WIFSIGNALED(status) ? "child ended by signal " + std::to_string(WTERMSIG(status))
                                : "child exit status " + std::to_string(WEXITSTATUS(status)));
    setEvaluationThreads(0);
}

TEST(ThreadPoolLoop, RunsEveryIndexOnceAndPassesOnAFailure) {
    for (int size : {1, 3}) {
        ThreadPool pool(size);
        for (int count : {0, 1, 2, 50}) {
            std::vector<std::atomic<int>> calls(static_cast<size_t>(count));
            std::atomic<bool> workerInRange{true};
            pool.forEach(count, [&](int i, int worker) {
                ++calls[static_cast<size_t>(i)];
                if (worker < 0 || worker >= size)
                    workerInRange = false;
            });
            for (const std::atomic<int>& c : calls)
                EXPECT_EQ(c.load(), 1);
            EXPECT_TRUE(workerInRange);
        }
        EXPECT_THROW(pool.forEach(10,
                                  [](int i, int) {
                                      if (i == 4)
                                          throw std::runtime_error("job 4");
                                  }),
                     std::runtime_error);
        std::atomic<int> after{0};
        pool.forEach(5, [&](int, int) { ++after; });
        EXPECT_EQ(after.load(), 5);
    }
}

} // namespace
