#include "web/WebCache.h"

#include <utility>

size_t hashWords(const int32_t* words, size_t n) {
    uint64_t h = 14695981039346656037ull;
    for (size_t k = 0; k < n; ++k) {
        h ^= static_cast<uint32_t>(words[k]);
        h *= 1099511628211ull;
    }
    return static_cast<size_t>(h);
}

size_t WebKeyHash::operator()(const WebKey& key) const {
    return hashWords(key.words.data(), key.words.size());
}

WebKey webKey(const Spider& spider, int32_t silkLimit) {
    WebKey key;
    for (int i = 0; i < NUM_RULES; ++i)
        key.words[static_cast<size_t>(i)] = spider.rule(i);
    key.words[NUM_RULES] = silkLimit;
    return key;
}

BuiltWeb BuiltWeb::of(const Spider& spider, ThreadCells cells, int draws, std::string messages) {
    BuiltWeb b;
    b.cells = std::move(cells);
    b.web.radii = spider.web.radii;
    b.web.spiralThreads = spider.web.spiralThreads;
    b.web.lastX = spider.web.lastX;
    b.web.lastY = spider.web.lastY;
    b.web.firstLoopThreads = spider.web.firstLoopThreads;
    b.web.spiralReachedFrame = spider.web.spiralReachedFrame;
    b.web.spiralSilk = spider.web.spiralSilk;
    b.web.radiusSilk = spider.web.radiusSilk;
    b.web.frameSilk = spider.web.frameSilk;
    b.stage = spider.stage;
    b.currentRadius = spider.currentRadius;
    b.spiralDist = spider.spiralDist;
    b.spiralDirection = spider.spiralDirection;
    b.spiderX = spider.spiderX;
    b.spiderY = spider.spiderY;
    b.draws = draws;
    b.messages = std::move(messages);
    return b;
}

void BuiltWeb::applyTo(Spider& spider) const {
    // What evaluation does before it builds: a web with radii is cleared.
    Web& w = spider.web;
    w.caughtPrey.clear();
    if (!w.radii.empty())
        spider.clearWeb();
    w.radii = web.radii;
    w.spiralThreads = web.spiralThreads;
    w.lastX = web.lastX;
    w.lastY = web.lastY;
    w.firstLoopThreads = web.firstLoopThreads;
    w.spiralReachedFrame = web.spiralReachedFrame;
    w.spiralSilk = web.spiralSilk;
    w.radiusSilk = web.radiusSilk;
    w.frameSilk = web.frameSilk;
    spider.stage = stage;
    spider.currentRadius = currentRadius;
    spider.spiralDist = spiralDist;
    spider.spiralDirection = spiralDirection;
    // A build sets the spider's position with every radius it lays; one that
    // laid none leaves it where it was.
    if (!web.radii.empty()) {
        spider.spiderX = spiderX;
        spider.spiderY = spiderY;
    }
}

void WebCache::nextGeneration() {
    previous_.clear();
    std::swap(previous_, current_);
}

const BuiltWeb* WebCache::find(const WebKey& key) {
    const auto here = current_.find(key);
    if (here != current_.end())
        return &here->second;
    auto before = previous_.find(key);
    if (before == previous_.end())
        return nullptr;
    auto node = previous_.extract(before);
    return &current_.insert(std::move(node)).position->second;
}

const BuiltWeb* WebCache::add(const WebKey& key, BuiltWeb built) {
    return &current_.insert_or_assign(key, std::move(built)).first->second;
}

void WebCache::clear() {
    current_.clear();
    previous_.clear();
}
