// Why the parallel evaluation gives the serial results, bit for bit:
//  - A spider's evaluation reads its rules, the swarm and the silk limit, and
//    writes only its own record; webs are built with the calling thread's
//    builder state, and the capture buffers belong to the thread.
//  - The two shared generators are never used on the worker threads. The
//    attack draws of the Mersenne Twister are all taken before, on this
//    thread, in spider order and prey order, exactly as the serial loop takes
//    them. Each build draws from its own copy of the rand() algorithm seeded
//    as every build seeds rand(); since every build reseeds, the serial loop
//    leaves rand() as the last spider's build leaves it, which is set after
//    the loop from that build's number of draws.
//  - Construction messages are kept per spider and printed afterwards in
//    spider order.
// So the outcome does not depend on which thread evaluates which spider, nor
// on how many threads there are.

#include "evolution/ParallelEvaluation.h"

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "evolution/ThreadPool.h"
#include "web/BuilderState.h"

namespace {

struct Evaluator {
    int requested = 0; // 0: the machine's threads
    std::unique_ptr<ThreadPool> pool;
    pid_t poolProcess = 0;         // the process whose threads the pool holds
    std::vector<ThreadGrid> grids; // one per thread
    std::vector<uint8_t> attackSuccess;
    std::vector<std::string> messages; // one per spider

    ThreadPool& threads() {
        const int wanted = requested > 0 ? requested : ThreadPool::machineThreads();
        // A forked child has none of its parent's pool threads: the pool is
        // left behind unjoined and a new one started.
        if (pool && poolProcess != getpid())
            (void)pool.release();
        if (!pool || pool->size() != wanted) {
            pool.reset();
            pool = std::make_unique<ThreadPool>(wanted);
            poolProcess = getpid();
            grids.resize(static_cast<size_t>(wanted));
        }
        return *pool;
    }
};

// Never destroyed: its idle threads end with the process, and a forked
// child, which has none of them, must not try to join them at exit.
Evaluator& evaluator() {
    static Evaluator* const e = new Evaluator;
    return *e;
}

} // namespace

void setEvaluationThreads(int n) {
    evaluator().requested = n > 0 ? n : 0;
}

int evaluationThreads() {
    return evaluator().threads().size();
}

void evaluateSpiders(EAPGossamerix& problem, Spider* spiders, int count,
                     const EAPGossamerix::ScoreSettings& settings) {
    if (count <= 0)
        return;
    Evaluator& e = evaluator();
    ThreadPool& pool = e.threads();
    problem.drawAttacks(count, e.attackSuccess);
    e.messages.assign(static_cast<size_t>(count), std::string());
    const size_t numPrey = problem.prey.size();
    int lastBuildDraws = 0;
    pool.forEach(count, [&](int i, int worker) {
        builder.messages = &e.messages[static_cast<size_t>(i)];
        Spider& s = spiders[i];
        s.individual.isEvaluated = false;
        problem.scoreSpider(s, e.attackSuccess.data() + static_cast<size_t>(i) * numPrey,
                            e.grids[static_cast<size_t>(worker)], settings);
        if (i == count - 1)
            lastBuildDraws = builder.random.draws();
        builder.messages = nullptr;
    });
    for (const std::string& m : e.messages)
        std::fputs(m.c_str(), stdout);
    leaveLibraryRandomAsAfterBuild(lastBuildDraws);
}
