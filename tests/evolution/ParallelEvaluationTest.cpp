// Evaluating a population on several threads gives what evaluating it spider
// after spider gives: the same webs and scores, the same attack draws taken
// from the shared generator, and rand() left in the same state.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "core/LRandom.h"
#include "evolution/DoneMarks.h"
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
    PopulationEvaluator evaluator(2);
    evaluator.evaluate(es.problem, es.spiders, es.populationSize, settings, LRandom::random);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::alarm(20); // a hang ends the child with SIGALRM
        es.spiders[es.populationSize - 1].individual.isEvaluated = false;
        evaluator.evaluate(es.problem, es.spiders, es.populationSize, settings, LRandom::random);
        ::_exit(es.spiders[es.populationSize - 1].individual.isEvaluated ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << (WIFSIGNALED(status) ? "child ended by signal " + std::to_string(WTERMSIG(status))
                                : "child exit status " + std::to_string(WEXITSTATUS(status)));
}

// Spiders of one genome share the web of the first: on two threads, a later
// spider mostly takes the new web while the first is still being scored, and
// gets its score only after the loop. Either way the scores are the serial
// ones.
TEST_F(ParallelEvaluation, SpidersSharingANewWebGetTheFirstSpidersScore) {
    EvolutionState& es = evolutionState;
    usePanelDefaults();
    es.numPrey = 5000; // scoring takes longer than copying the web
    const EAPGossamerix::ScoreSettings settings = randomPopulation(6);
    for (int i = 1; i < es.populationSize; ++i)
        es.spiders[i] = es.spiders[0];
    const std::vector<Spider> unevaluated(es.spiders, es.spiders + es.populationSize);
    PopulationEvaluator serial(1);
    serial.setWebReuse(false);
    serial.evaluate(es.problem, es.spiders, es.populationSize, settings, LRandom::random);
    const Outcome expected = outcomeOf(es.spiders, es.populationSize, 0);
    PopulationEvaluator evaluator(2);
    for (int round = 0; round < 40; ++round) {
        evaluator.forgetWebs(); // the first spider builds its web anew
        std::copy(unevaluated.begin(), unevaluated.end(), es.spiders);
        evaluator.evaluate(es.problem, es.spiders, es.populationSize, settings, LRandom::random);
        const Outcome shared = outcomeOf(es.spiders, es.populationSize, 0);
        ASSERT_EQ(shared.fitness, expected.fitness) << "round " << round;
        ASSERT_EQ(shared.caught, expected.caught) << "round " << round;
        EXPECT_EQ(evaluator.websReused(), (round + 1) * (es.populationSize - 1));
    }
}

TEST(DoneMarks, AWaiterLearnsWhetherTheWorkSucceeded) {
    DoneMarks marks;
    marks.reset(2);
    EXPECT_FALSE(marks.isDone(0));
    bool first = true, second = false;
    std::thread waiter([&] {
        first = marks.waitFor(0);
        second = marks.waitFor(1);
    });
    { DoneMarks::Guard failed(marks, 0); } // left without succeed(): as when the work throws
    {
        DoneMarks::Guard ok(marks, 1);
        ok.succeed();
    }
    waiter.join();
    EXPECT_FALSE(first);
    EXPECT_TRUE(second);
    EXPECT_TRUE(marks.isDone(1));
    marks.reset(2);
    EXPECT_FALSE(marks.isDone(1));
}

// Sizes 2 (which spins between loops on this machine) and 3 (more threads
// than a two-core machine runs: never spins); loops in quick succession and
// after the threads have gone to sleep.
TEST(ThreadPoolLoop, RunsEveryIndexOnceAndPassesOnAFailure) {
    for (int size : {1, 2, 3}) {
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
        std::this_thread::sleep_for(std::chrono::microseconds(3 * ThreadPool::SPIN_MICROSECONDS));
        pool.forEach(5, [&](int, int) { ++after; });
        EXPECT_EQ(after.load(), 10);
    }
}

} // namespace
