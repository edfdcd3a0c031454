// Why the parallel evaluation gives the serial results, bit for bit:
//  - A spider's evaluation reads its rules, the swarm and the silk limit, and
//    writes only its own record; webs are built with the calling thread's
//    builder state, and the capture buffers belong to the thread.
//  - The run's generators are never used on the worker threads. The attack
//    draws of the Mersenne Twister are all taken before, on this thread, in
//    spider order and prey order, exactly as the serial loop takes them. Each
//    build draws from its own copy of the rand() algorithm seeded as every
//    build seeds rand(); since every build reseeds, the serial loop leaves
//    rand() as the last spider's build leaves it, which is handed back.
//  - Construction messages are kept per spider and printed afterwards in
//    spider order.
// So the outcome does not depend on which thread evaluates which spider, nor
// on how many threads there are.

#include "evolution/ParallelEvaluation.h"

#include <unistd.h>

#include <cstdio>

#include "evolution/ThreadPool.h"
#include "web/BuilderState.h"

PopulationEvaluator::PopulationEvaluator(int threads) {
    setThreads(threads);
}

PopulationEvaluator::PopulationEvaluator(const PopulationEvaluator& other)
    : requested_(other.requested_) {}

PopulationEvaluator& PopulationEvaluator::operator=(const PopulationEvaluator& other) {
    requested_ = other.requested_;
    return *this;
}

PopulationEvaluator::~PopulationEvaluator() {
    dropPool();
}

// A forked child has none of its parent's pool threads: the pool is left
// behind unjoined there.
void PopulationEvaluator::dropPool() {
    if (pool_ && poolProcess_ != getpid())
        (void)pool_.release();
    pool_.reset();
}

void PopulationEvaluator::setThreads(int n) {
    requested_ = n > 0 ? n : 0;
}

ThreadPool& PopulationEvaluator::pool() {
    const int wanted = requested_ > 0 ? requested_ : ThreadPool::machineThreads();
    if (pool_ && (poolProcess_ != getpid() || pool_->size() != wanted))
        dropPool();
    if (!pool_) {
        pool_ = std::make_unique<ThreadPool>(wanted);
        poolProcess_ = getpid();
        grids_.resize(static_cast<size_t>(wanted));
    }
    return *pool_;
}

int PopulationEvaluator::threads() {
    return pool().size();
}

BuildRandom PopulationEvaluator::evaluate(EAPGossamerix& problem, Spider* spiders, int count,
                                          const EAPGossamerix::ScoreSettings& settings,
                                          MTRand& random) {
    BuildRandom lastBuild = BUILD_RANDOM_START;
    if (count <= 0)
        return lastBuild;
    ThreadPool& threads = pool();
    problem.drawAttacks(count, attackSuccess_, random);
    messages_.assign(static_cast<size_t>(count), std::string());
    const size_t numPrey = problem.prey.size();
    threads.forEach(count, [&](int i, int worker) {
        builder.messages = &messages_[static_cast<size_t>(i)];
        Spider& s = spiders[i];
        s.individual.isEvaluated = false;
        problem.scoreSpider(s, attackSuccess_.data() + static_cast<size_t>(i) * numPrey,
                            grids_[static_cast<size_t>(worker)], settings);
        if (i == count - 1)
            lastBuild = builder.random;
        builder.messages = nullptr;
    });
    for (const std::string& m : messages_)
        std::fputs(m.c_str(), stdout);
    return lastBuild;
}
