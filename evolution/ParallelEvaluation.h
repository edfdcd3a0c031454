#pragma once
// Evaluating a population on several threads with exactly the results of
// evaluating it spider after spider.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/MTRand.h"
#include "evolution/DoneMarks.h"
#include "web/BuildRandom.h"
#include "web/EAPGossamerix.h"
#include "web/Spider.h"
#include "web/WebCache.h"

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

    // Web reuse: a spider whose rules and silk limit match a web built in
    // this evaluation or the one before gets a copy of that web instead of a
    // new build, and a spider that also meets the same attack outcomes as an
    // earlier one of the same evaluation gets its score too. The results are
    // those of building every web. On by default; the environment variable
    // ARACHNOVIX_NO_WEB_REUSE (any value) turns it off for comparisons.
    void setWebReuse(bool on);
    bool webReuse() const { return reuse_; }
    // Drops the webs kept (after anything that makes them useless: a new
    // population, another run opened, other settings).
    void forgetWebs() { cache_.clear(); }
    size_t websKept() const { return cache_.size(); }
    // Webs asked for since the evaluator was made, and how many of them
    // were reused instead of built.
    long websEvaluated() const { return websEvaluated_; }
    long websReused() const { return websReused_; }

  private:
    // Each spider of an evaluation: whose web it takes (itself, or the first
    // earlier spider of the same key) and the web kept for it.
    struct Slot {
        int first = 0;
        const BuiltWeb* kept = nullptr;
    };

    int requested_ = 0;
    bool reuse_ = true;
    WebCache cache_;
    std::vector<Slot> slots_;
    long websEvaluated_ = 0;
    long websReused_ = 0;
    std::unique_ptr<ThreadPool> pool_;
    int64_t poolProcess_ = 0;       // the process whose threads the pool holds
    std::vector<ThreadGrid> grids_; // one per thread
    std::vector<uint8_t> attackSuccess_;
    std::vector<std::string> messages_;            // one per spider
    std::vector<int> draws_;                       // per spider: numbers its build drew
    std::vector<WebKey> keys_;                     // per spider
    std::vector<std::unique_ptr<BuiltWeb>> fresh_; // per first spider: the web it builds
    DoneMarks webs_;                               // per first spider: its new web is built
    DoneMarks scores_;                             // per first spider: scored
    std::vector<uint8_t> deferred_; // per later spider: its score is copied after the loop
    std::vector<int> order_;        // the spiders in the order the loop takes them
    long built_ = 0;                // webs built in the last evaluation
    std::unordered_map<WebKey, int, WebKeyHash> firstOfKey_;
    std::vector<int> firsts_; // the first spider of each key, in spider order
    std::vector<int> others_; // every later one

    ThreadPool& pool();
    void dropPool();
    void scoreAll(EAPGossamerix& problem, Spider* spiders, int count,
                  const EAPGossamerix::ScoreSettings& settings);
    void scoreReusing(EAPGossamerix& problem, Spider* spiders, int count,
                      const EAPGossamerix::ScoreSettings& settings);
    void findKeptWebs(const Spider* spiders, int count, int32_t silkLimit);
    void scoreFirst(EAPGossamerix& problem, Spider* spiders, int i, ThreadGrid& grid,
                    const EAPGossamerix::ScoreSettings& settings);
    void scoreLater(EAPGossamerix& problem, Spider* spiders, int i, ThreadGrid& grid,
                    const EAPGossamerix::ScoreSettings& settings);
    const BuiltWeb& buildFresh(Spider& s, int i, int32_t silkLimit);
    void keepFreshWebs();
    bool sameAttacks(int a, int b, size_t numPrey) const;
};
