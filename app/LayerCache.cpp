#define GL_GLEXT_PROTOTYPES 1
#include "app/LayerCache.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool framebufferBlitsSupported() {
    if (std::getenv("ARACHNOVIX_NO_LAYER_CACHE") != nullptr)
        return false;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version != nullptr && std::atoi(version) >= 3)
        return true;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions != nullptr && std::strstr(extensions, "GL_ARB_framebuffer_object") != nullptr;
}

// Copies the pixels upside down: the window's rows run the other way from a
// texture's, so the flip makes the copy a plain memory copy in drivers that
// can do one (Mesa's software renderer among them). Two flips restore the
// picture as it was.
// `area` in window pixels (y downwards) of a window `height` pixels high;
// window row r is kept in the store's row height - r.
void blit(unsigned from, unsigned to, const LayerArea& area, int height) {
    const int x0 = area.x, x1 = area.x + area.width;
    const int y0 = height - area.y - area.height, y1 = height - area.y; // window rows, upwards
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
    if (to != 0)
        glBlitFramebuffer(x0, y0, x1, y1, x0, height - y0, x1, height - y1, GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
    else
        glBlitFramebuffer(x0, height - y0, x1, height - y1, x0, y0, x1, y1, GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

bool sameArea(const LayerArea& a, const LayerArea& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

} // namespace

void appendKeyText(std::vector<int32_t>& key, const std::string& text) {
    key.push_back(static_cast<int32_t>(text.size()));
    for (const char c : text)
        key.push_back(static_cast<unsigned char>(c));
}

bool LayerCache::available() {
    if (support_ < 0)
        support_ = framebufferBlitsSupported() ? 1 : 0;
    return support_ == 1;
}

bool LayerCache::restore(const std::vector<int32_t>& key, int width, int height) {
    return restore(key, width, height, LayerArea{0, 0, width, height});
}

void LayerCache::drawn(const std::vector<int32_t>& key, int width, int height) {
    drawn(key, width, height, LayerArea{0, 0, width, height});
}

bool LayerCache::restore(const std::vector<int32_t>& key, int width, int height,
                         const LayerArea& area) {
    if (savedKey_.empty() || width != savedWidth_ || height != savedHeight_ ||
        !sameArea(area, savedArea_) || key != savedKey_)
        return false;
    blit(framebuffer_, 0, area, height);
    ++restores_;
    return true;
}

void LayerCache::drawn(const std::vector<int32_t>& key, int width, int height,
                       const LayerArea& area) {
    const bool repeated = key == drawnKey_ && sameArea(area, drawnArea_);
    drawnKey_ = key;
    drawnArea_ = area;
    if (!repeated || !available())
        return;
    if (save(width, height, area)) {
        savedKey_ = key;
        savedWidth_ = width;
        savedHeight_ = height;
        savedArea_ = area;
    }
}

bool LayerCache::save(int width, int height, const LayerArea& area) {
    if (width <= 0 || height <= 0 || area.width <= 0 || area.height <= 0 || area.x < 0 ||
        area.y < 0 || area.x + area.width > width || area.y + area.height > height)
        return false;
    if (framebuffer_ == 0) {
        glGenFramebuffers(1, &framebuffer_);
        glGenTextures(1, &colour_);
    }
    if (width > storeWidth_ || height > storeHeight_) {
        storeWidth_ = std::max(width, storeWidth_);
        storeHeight_ = std::max(height, storeHeight_);
        // Blue-green-red-alpha bytes as the window keeps them, so that no
        // conversion is needed either.
        glBindTexture(GL_TEXTURE_2D, colour_);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, storeWidth_, storeHeight_, 0, GL_BGRA,
                     GL_UNSIGNED_BYTE, nullptr);
        glBindTexture(GL_TEXTURE_2D, 0);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
        const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        if (!complete) {
            support_ = 0;
            return false;
        }
    }
    blit(0, framebuffer_, area, height);
    return true;
}

void LayerCache::clear() {
    savedKey_.clear();
    drawnKey_.clear();
}
