#pragma once
// The picture of a view's grid kept as an image: when a frame would draw the
// grid exactly as the frame before did (same key), the saved pixels are
// copied back in one blit instead of drawing every web, prey sprite and
// caption again. The image is saved only once the same key has been drawn
// twice in a row, so a running evolution, whose every frame is new, pays
// nothing for it.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// A part of the window, in pixels with y downwards.
struct LayerArea {
    int x = 0, y = 0, width = 0, height = 0;
};

class LayerCache {
  public:
    LayerCache() = default;
    LayerCache(const LayerCache&) = delete;
    LayerCache& operator=(const LayerCache&) = delete;

    // Copies the saved image to the window when it was saved under `key` for
    // a window of this size; returns whether it did.
    bool restore(const std::vector<int32_t>& key, int width, int height);
    // After the layer was drawn under `key`: remembers the key and, when the
    // previous frame drew the same one, saves the window's pixels.
    void drawn(const std::vector<int32_t>& key, int width, int height);
    // The same for a part of the window only.
    bool restore(const std::vector<int32_t>& key, int width, int height, const LayerArea& area);
    void drawn(const std::vector<int32_t>& key, int width, int height, const LayerArea& area);
    // Forgets the saved image.
    void clear();
    // How often restore succeeded.
    long restores() const { return restores_; }

  private:
    bool available();
    bool save(int width, int height, const LayerArea& area);

    std::vector<int32_t> drawnKey_, savedKey_;
    int savedWidth_ = 0, savedHeight_ = 0;
    LayerArea drawnArea_, savedArea_;
    unsigned framebuffer_ = 0, colour_ = 0;
    int storeWidth_ = 0, storeHeight_ = 0;
    int support_ = -1; // -1 unknown, 0 no framebuffer blits, 1 available
    long restores_ = 0;
};

// Appends a value's bits to a key as 32-bit words.
template <typename T> void appendKeyBits(std::vector<int32_t>& key, const T& value) {
    static_assert(sizeof(T) % sizeof(int32_t) == 0, "whole words only");
    int32_t words[sizeof(T) / sizeof(int32_t)];
    std::memcpy(words, &value, sizeof(T));
    key.insert(key.end(), words, words + sizeof(T) / sizeof(int32_t));
}

// Appends a text's bytes to a key, one word each, after its length.
void appendKeyText(std::vector<int32_t>& key, const std::string& text);
