#pragma once
// Web cells kept on the GPU side: each slot holds a display list of what
// drawWebCell draws (frame, web, gene chart, spider's position), compiled
// when the same web is drawn a second time and again only when something it
// shows has changed, so an unchanged web costs one call a frame.

#include <cstddef>
#include <cstdint>
#include <vector>

struct Spider;

class WebCellCache {
  public:
    WebCellCache() = default;
    WebCellCache(const WebCellCache&) = delete;
    WebCellCache& operator=(const WebCellCache&) = delete;

    // Draws the cell of `spider` in cell coordinates, as drawWebCell would;
    // `key` is webCellKey of the spider.
    void draw(size_t slot, const Spider& spider, const std::vector<int32_t>& key);
    // How many display lists were compiled since the cache was made.
    long compiles() const { return compiles_; }

  private:
    struct Entry {
        unsigned list = 0;
        std::vector<int32_t> key;  // what the list holds
        std::vector<int32_t> seen; // drawn once directly, not compiled yet
    };
    std::vector<Entry> entries_;
    long compiles_ = 0;
};

// Appends everything drawWebCell reads, written as numbers: two spiders with
// the same key draw the same pixels.
void appendWebCellKey(const Spider& spider, std::vector<int32_t>& key);
