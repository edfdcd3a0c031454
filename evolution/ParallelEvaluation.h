#pragma once
// Evaluating a population on several threads with exactly the results of
// evaluating it spider after spider.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/MTRand.h"
#include "web/BuildRandom.h"
#include "web/EAPGossamerix.h"
#include "web/Spider.h"

class ThreadPool;

// The threads and buffers with which one run evaluates its populations. Each
// run has its own, so that runs on different threads never share one; a copy
// takes the number of threads only and starts its own when first used.
class PopulationEvaluator {
  public:
    // n >= 1 threads, or 0 for every thread of the machine.
    explicit PopulationEvaluator(int threads = 0);
    PopulationEvaluator(const PopulationEvaluator& other);
    PopulationEvaluator& operator=(const PopulationEvaluator& other);
    ~PopulationEvaluator();

    // Threads that evaluate: n >= 1, or 0 for every thread of the machine.
    void setThreads(int n);
    // The number asked for (0: the machine's).
    int requestedThreads() const { return requested_; }
    // The number in use (at least 1).
    int threads();

    // Clears the evaluated mark of spiders 0 ... count - 1 and evaluates them
    // all against the problem's swarm, as evaluateSpider would one after
    // another with `random` as the shared generator: same webs, fitness,
    // attack draws and messages. Returns the construction generator as the
    // last build leaves it (the state rand() would be in afterwards).
    BuildRandom evaluate(EAPGossamerix& problem, Spider* spiders, int count,
                         const EAPGossamerix::ScoreSettings& settings, MTRand& random);

  private:
    int requested_ = 0;
    std::unique_ptr<ThreadPool> pool_;
    int64_t poolProcess_ = 0;       // the process whose threads the pool holds
    std::vector<ThreadGrid> grids_; // one per thread
    std::vector<uint8_t> attackSuccess_;
    std::vector<std::string> messages_; // one per spider

    ThreadPool& pool();
    void dropPool();
};
