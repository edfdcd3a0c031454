#include "web/WebCache.h"

#include <tuple>
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

namespace {

// The lists and measures a build writes into a web (not the display fields).
template <typename W> auto builtPart(W& web) {
    return std::tie(web.radii, web.spiralThreads, web.lastX, web.lastY, web.firstLoopThreads,
                    web.spiralReachedFrame, web.spiralSilk, web.radiusSilk, web.frameSilk);
}

// The construction state a build leaves, in a spider or a kept web.
template <typename T> auto constructionState(T& built) {
    return std::tie(built.stage, built.currentRadius, built.spiralDist, built.spiralDirection);
}

} // namespace

void BuiltWeb::take(const Spider& spider, int drawn, std::string reported) {
    builtPart(web) = builtPart(spider.web);
    constructionState(*this) = constructionState(spider);
    spiderX = spider.spiderX;
    spiderY = spider.spiderY;
    cells.build(web.spiralThreads);
    draws = drawn;
    messages = std::move(reported);
}

void BuiltWeb::applyTo(Spider& spider) const {
    // What evaluation does before it builds: a web with radii is cleared
    // (here the lists are written over, keeping their storage).
    spider.web.caughtPrey.clear();
    if (!spider.web.radii.empty()) {
        spider.web.isHighlighted = false;
        spider.web.isMarked = false;
    }
    builtPart(spider.web) = builtPart(web);
    constructionState(spider) = constructionState(*this);
    // A build sets the spider's position with every radius it lays; one that
    // laid none leaves it where it was.
    if (!web.radii.empty()) {
        spider.spiderX = spiderX;
        spider.spiderY = spiderY;
    }
}

void WebCache::nextGeneration() {
    const size_t keep = current_.size();
    for (auto& dropped : previous_)
        if (spare_.size() < keep)
            spare_.push_back(std::move(dropped.second));
    previous_.clear();
    std::swap(previous_, current_);
}

const BuiltWeb* WebCache::find(const WebKey& key) {
    const auto here = current_.find(key);
    if (here != current_.end())
        return here->second.get();
    auto before = previous_.find(key);
    if (before == previous_.end())
        return nullptr;
    auto node = previous_.extract(before);
    return current_.insert(std::move(node)).position->second.get();
}

std::unique_ptr<BuiltWeb> WebCache::spare() {
    if (spare_.empty())
        return std::make_unique<BuiltWeb>();
    std::unique_ptr<BuiltWeb> web = std::move(spare_.back());
    spare_.pop_back();
    return web;
}

const BuiltWeb* WebCache::add(const WebKey& key, std::unique_ptr<BuiltWeb> built) {
    return current_.insert_or_assign(key, std::move(built)).first->second.get();
}

void WebCache::clear() {
    current_.clear();
    previous_.clear();
    spare_.clear();
}
