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

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "evolution/ThreadPool.h"
#include "web/BuilderState.h"

PopulationEvaluator::PopulationEvaluator(int threads)
    : reuse_(std::getenv("ARACHNOVIX_NO_WEB_REUSE") == nullptr) {
    setThreads(threads);
}

PopulationEvaluator::PopulationEvaluator(const PopulationEvaluator& other)
    : requested_(other.requested_), reuse_(other.reuse_) {}

PopulationEvaluator& PopulationEvaluator::operator=(const PopulationEvaluator& other) {
    requested_ = other.requested_;
    reuse_ = other.reuse_;
    cache_.clear();
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

void PopulationEvaluator::setWebReuse(bool on) {
    reuse_ = on;
    if (!on)
        cache_.clear();
}

BuildRandom PopulationEvaluator::evaluate(EAPGossamerix& problem, Spider* spiders, int count,
                                          const EAPGossamerix::ScoreSettings& settings,
                                          MTRand& random) {
    if (count <= 0)
        return BUILD_RANDOM_START;
    problem.drawAttacks(count, attackSuccess_, random);
    messages_.assign(static_cast<size_t>(count), std::string());
    draws_.assign(static_cast<size_t>(count), 0);
    if (reuse_)
        scoreReusing(problem, spiders, count, settings);
    else
        scoreAll(problem, spiders, count, settings);
    websEvaluated_ += count;
    return buildRandomAfter(draws_[static_cast<size_t>(count) - 1]);
}

void PopulationEvaluator::scoreAll(EAPGossamerix& problem, Spider* spiders, int count,
                                   const EAPGossamerix::ScoreSettings& settings) {
    const size_t numPrey = problem.prey.size();
    pool().forEach(count, [&](int i, int worker) {
        const size_t k = static_cast<size_t>(i);
        builder.messages = &messages_[k];
        Spider& s = spiders[i];
        s.individual.isEvaluated = false;
        problem.scoreSpider(s, attackSuccess_.data() + k * numPrey,
                            grids_[static_cast<size_t>(worker)], settings);
        draws_[k] = builder.random.draws();
        builder.messages = nullptr;
    });
    for (const std::string& m : messages_)
        std::fputs(m.c_str(), stdout);
}

// Keys every spider, finds the first spider of each key and, for that one,
// the web kept from an earlier evaluation.
void PopulationEvaluator::findKeptWebs(const Spider* spiders, int count, int32_t silkLimit) {
    cache_.nextGeneration();
    slots_.assign(static_cast<size_t>(count), Slot{});
    fresh_.resize(static_cast<size_t>(count));
    keys_.resize(static_cast<size_t>(count));
    firstOfKey_.clear();
    firsts_.clear();
    others_.clear();
    deferred_.assign(static_cast<size_t>(count), 0);
    for (int i = 0; i < count; ++i) {
        Slot& slot = slots_[static_cast<size_t>(i)];
        const WebKey& key = keys_[static_cast<size_t>(i)] = webKey(spiders[i], silkLimit);
        const auto found = firstOfKey_.emplace(key, i);
        slot.first = found.first->second;
        if (found.second) {
            slot.kept = cache_.find(key);
            if (!slot.kept)
                fresh_[static_cast<size_t>(i)] = cache_.spare();
            firsts_.push_back(i);
        } else {
            others_.push_back(i);
        }
    }
    // The order the loop hands spiders out: new builds first (the longest
    // work, started early so that no thread is left with one at the end and
    // the later spiders of their keys need not wait), then the first
    // spiders of kept webs, then every later spider.
    order_.clear();
    for (int i : firsts_)
        if (!slots_[static_cast<size_t>(i)].kept)
            order_.push_back(i);
    for (int i : firsts_)
        if (slots_[static_cast<size_t>(i)].kept)
            order_.push_back(i);
    order_.insert(order_.end(), others_.begin(), others_.end());
}

bool PopulationEvaluator::sameAttacks(int a, int b, size_t numPrey) const {
    const uint8_t* row = attackSuccess_.data();
    return std::equal(row + static_cast<size_t>(a) * numPrey,
                      row + static_cast<size_t>(a + 1) * numPrey,
                      row + static_cast<size_t>(b) * numPrey);
}

// One loop over the first spider of every key, then every later one:
//  - a first spider takes its kept web, or builds one (kept in fresh_ until
//    the loop ends), and is scored;
//  - a later spider takes the web of its first spider (waiting for it when
//    it is being built) and its score too when it meets the same attack
//    outcomes (same web, swarm and outcomes give the same score): at once,
//    when the first spider is scored already, else after the loop.
// A later spider is handed out only after every first spider has been taken
// by a thread that is running it, so its wait always ends.
void PopulationEvaluator::scoreReusing(EAPGossamerix& problem, Spider* spiders, int count,
                                       const EAPGossamerix::ScoreSettings& settings) {
    findKeptWebs(spiders, count, settings.silkLimit);
    webs_.reset(count);
    scores_.reset(count);
    const int numFirsts = static_cast<int>(firsts_.size());
    pool().forEach(count, [&](int n, int worker) {
        ThreadGrid& grid = grids_[static_cast<size_t>(worker)];
        const int i = order_[static_cast<size_t>(n)];
        if (n < numFirsts)
            scoreFirst(problem, spiders, i, grid, settings);
        else
            scoreLater(problem, spiders, i, grid, settings);
    });
    for (int i : others_)
        if (deferred_[static_cast<size_t>(i)])
            EAPGossamerix::copyScore(spiders[i], spiders[slots_[static_cast<size_t>(i)].first]);
    keepFreshWebs();
    websReused_ += count - built_;
    for (int i = 0; i < count; ++i) {
        const BuiltWeb& web =
            *slots_[static_cast<size_t>(slots_[static_cast<size_t>(i)].first)].kept;
        draws_[static_cast<size_t>(i)] = web.draws;
        std::fputs(web.messages.c_str(), stdout);
    }
}

void PopulationEvaluator::scoreFirst(EAPGossamerix& problem, Spider* spiders, int i,
                                     ThreadGrid& grid,
                                     const EAPGossamerix::ScoreSettings& settings) {
    const size_t k = static_cast<size_t>(i);
    Spider& s = spiders[i];
    s.individual.isEvaluated = false;
    const BuiltWeb* web = slots_[k].kept;
    if (web)
        web->applyTo(s);
    else
        web = &buildFresh(s, i, settings.silkLimit);
    problem.scoreBuiltWeb(s, attackSuccess_.data() + k * problem.prey.size(), grid, settings,
                          &web->cells);
    scores_.markDone(i);
}

// Builds spider i's web and keeps it in fresh_, for the later spiders of its
// key.
const BuiltWeb& PopulationEvaluator::buildFresh(Spider& s, int i, int32_t silkLimit) {
    DoneMarks::Guard mark(webs_, i);
    std::string messages;
    builder.messages = &messages;
    EAPGossamerix::rebuildWeb(s, silkLimit);
    builder.messages = nullptr;
    BuiltWeb& web = *fresh_[static_cast<size_t>(i)];
    web.take(s, builder.random.draws(), std::move(messages));
    mark.succeed();
    return web;
}

void PopulationEvaluator::scoreLater(EAPGossamerix& problem, Spider* spiders, int i,
                                     ThreadGrid& grid,
                                     const EAPGossamerix::ScoreSettings& settings) {
    const int first = slots_[static_cast<size_t>(i)].first;
    const BuiltWeb* web = slots_[static_cast<size_t>(first)].kept;
    if (!web) {
        if (!webs_.waitFor(first))
            return; // the build failed; the loop reports why
        web = fresh_[static_cast<size_t>(first)].get();
    }
    Spider& s = spiders[i];
    s.individual.isEvaluated = false;
    web->applyTo(s);
    const size_t numPrey = problem.prey.size();
    if (!sameAttacks(i, first, numPrey))
        problem.scoreBuiltWeb(s, attackSuccess_.data() + static_cast<size_t>(i) * numPrey, grid,
                              settings, &web->cells);
    else if (scores_.isDone(first))
        EAPGossamerix::copyScore(s, spiders[first]);
    else
        deferred_[static_cast<size_t>(i)] = 1;
}

// The webs built in this evaluation join the cache.
void PopulationEvaluator::keepFreshWebs() {
    built_ = 0;
    for (int i : firsts_) {
        const size_t k = static_cast<size_t>(i);
        if (slots_[k].kept)
            continue;
        slots_[k].kept = cache_.add(keys_[k], std::move(fresh_[k]));
        ++built_;
    }
}
