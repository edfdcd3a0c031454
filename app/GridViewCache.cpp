#include "app/GridViewCache.h"

#include "app/AppState.h"
#include "web/Spider.h"

void GridViewCache::beginKey(size_t cells) {
    frameKey.clear();
    appendKeyBits(frameKey, gridOffsetX);
    appendKeyBits(frameKey, gridOffsetY);
    frameKey.push_back(static_cast<int32_t>(cells));
    cellKeys.resize(cells);
    captions.resize(cells);
}

void GridViewCache::addCell(size_t i, const Spider& spider, const CellCaption& caption) {
    std::vector<int32_t>& cellKey = cellKeys[i];
    cellKey.clear();
    appendWebCellKey(spider, cellKey);
    frameKey.insert(frameKey.end(), cellKey.begin(), cellKey.end());
    appendKeyBits(frameKey, spider.web.viewX);
    appendKeyBits(frameKey, spider.web.viewY);
    appendKeyBits(frameKey, spider.web.viewScale);
    captions[i] = caption;
    appendCaptionKey(caption, frameKey);
}
