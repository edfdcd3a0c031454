#include "app/WebCellCache.h"

#include <GL/gl.h>

#include "app/AppState.h"
#include "app/LayerCache.h"
#include "app/WebDrawing.h"
#include "app/WebPalette.h"
#include "evolution/EvolutionState.h"

void appendWebCellKey(const Spider& spider, std::vector<int32_t>& key) {
    const Web& web = spider.web;
    appendKeyBits(key, webPalette);
    appendKeyBits(key, radiusLineWidth);
    appendKeyBits(key, frameLineWidth);
    appendKeyBits(key, spiralLineWidth);
    appendKeyBits(key, web.viewHalfWidth);
    appendKeyBits(key, web.viewHalfHeight);
    key.push_back(showGenes ? 1 : 0);
    key.push_back(web.isHighlighted ? 1 : 0);
    key.push_back(spider.stage);
    key.push_back(spider.spiderX);
    key.push_back(spider.spiderY);
    for (int i = 0; i < NUM_RULES; ++i)
        key.push_back(spider.rule(i));
    const EAPGossamerix& problem = evolutionState.problem;
    key.insert(key.end(), problem.geneMin.begin(), problem.geneMin.end());
    key.insert(key.end(), problem.geneMax.begin(), problem.geneMax.end());
    key.push_back(static_cast<int32_t>(web.radii.size()));
    for (const Radius& r : web.radii)
        key.insert(key.end(), {r.hubX, r.hubY, r.endX, r.endY, r.kind});
    key.push_back(web.firstLoopThreads);
    key.push_back(static_cast<int32_t>(web.spiralThreads.size()));
    for (const SpiralThread& t : web.spiralThreads)
        key.insert(key.end(), {t.x1, t.y1, t.x2, t.y2});
}

void WebCellCache::draw(size_t slot, const Spider& spider, const std::vector<int32_t>& key) {
    if (entries_.size() <= slot)
        entries_.resize(slot + 1);
    Entry& entry = entries_[slot];
    if (entry.list != 0 && key == entry.key) {
        glCallList(entry.list);
        return;
    }
    // A web seen for the first time is drawn directly: while evolution runs
    // most webs are shown only once, and compiling them would cost more.
    if (key != entry.seen) {
        entry.seen = key;
        drawWebCell(spider);
        return;
    }
    if (entry.list == 0)
        entry.list = glGenLists(1);
    if (entry.list == 0) {
        drawWebCell(spider);
        return;
    }
    glNewList(entry.list, GL_COMPILE);
    drawWebCell(spider);
    glEndList();
    entry.key = key;
    ++compiles_;
    glCallList(entry.list);
}
