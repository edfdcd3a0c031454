#pragma once
// Webs already built, kept by what a build reads: the spider's 19 rule values
// and the silk limit. A web depends on nothing else (every build starts its
// generator afresh), so a kept web stands for a new build of the same rules:
// it holds everything a build leaves behind, the number of numbers the build
// drew and the messages it reported.
//
// Memory is bounded: a cache keeps the webs of the current generation and of
// the one before it, nothing older. The webs it drops are kept as spares, at
// most as many as the generation that ended kept: a new build is copied into
// a spare, whose lists keep their storage, so a run that has settled hardly
// allocates (allocation is what the threads of an evaluation would wait on).

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "web/PreyCapture.h"
#include "web/Spider.h"

// A hash of n words (FNV-1a).
size_t hashWords(const int32_t* words, size_t n);

// What a build reads: the rule values in gene order, then the silk limit.
struct WebKey {
    std::array<int32_t, NUM_RULES + 1> words{};
    bool operator==(const WebKey& other) const { return words == other.words; }
};

struct WebKeyHash {
    size_t operator()(const WebKey& key) const;
};

// The key of the web `spider` builds under `silkLimit`.
WebKey webKey(const Spider& spider, int32_t silkLimit);

// Everything a build leaves in a spider, and what it did besides.
struct BuiltWeb {
    Web web; // the geometry and silk measures (no prey caught)
    int32_t stage = STAGE_NONE;
    int32_t currentRadius = -1;
    double spiralDist = -1.0;
    int32_t spiralDirection = 1;
    int32_t spiderX = 0, spiderY = 0;
    ThreadCells cells;    // the spiral threads filed for prey capture
    int draws = 0;        // numbers drawn from the build's generator
    std::string messages; // construction messages, in the order reported

    // Keeps the build just made in `spider` (its threads filed for capture),
    // in place of what this web held.
    void take(const Spider& spider, int draws, std::string messages);
    // Leaves `spider` as building its web again would: the web it held is
    // emptied (prey caught included) and this one takes its place.
    void applyTo(Spider& spider) const;
};

class WebCache {
  public:
    // Starts a new generation: the webs of the one that ends stay to be
    // found, those of the generation before it are dropped.
    void nextGeneration();
    // The web kept under `key`, or null. A web found from the generation
    // before is kept on into the current one. The pointer stays valid until
    // the next nextGeneration or clear.
    const BuiltWeb* find(const WebKey& key);
    // A web to build into: a spare, or a new one.
    std::unique_ptr<BuiltWeb> spare();
    // Keeps `built` under `key` in the current generation.
    const BuiltWeb* add(const WebKey& key, std::unique_ptr<BuiltWeb> built);
    // Drops every web kept, spares included.
    void clear();
    // Webs kept, in the current and the previous generation.
    size_t size() const { return current_.size() + previous_.size(); }
    size_t spares() const { return spare_.size(); }

  private:
    using Map = std::unordered_map<WebKey, std::unique_ptr<BuiltWeb>, WebKeyHash>;
    Map current_;
    Map previous_;
    std::vector<std::unique_ptr<BuiltWeb>> spare_;
};
