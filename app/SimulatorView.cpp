#include "app/SimulatorView.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/ControlPanel.h"
#include "app/GridGeometry.h"
#include "app/GridViewCache.h"
#include "app/HistoryChart.h"
#include "app/InfoTexts.h"
#include "app/ModalInput.h"
#include "app/PreySprites.h"
#include "app/SimulatorGrid.h"
#include "app/WebDrawing.h"
#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"
#include "gl/LGL.h"
#include "gl/LGLUI.h"

namespace {

constexpr int OFFLINE_TEXT_X = 20;
constexpr int OFFLINE_TEXT_Y = 70;
constexpr int OFFLINE_LINE_HEIGHT = 24;
// Redraws further apart than this belong to different runs.
constexpr double RATE_SAMPLE_LIMIT_S = 2.0;

GridViewCache cache;

// The prey swarm as this spider met it: caught prey green, the others grey.
void drawPrey(const Spider& spider) {
    drawPreySprites(evolutionState.problem.prey, evolutionState.preyAngles, spider.web.caughtPrey,
                    preySpriteHalfSize(), flyTexture);
}

// Generations per second of the offline run, measured between its redraws.
double offlineRate() {
    using Clock = std::chrono::steady_clock;
    static Clock::time_point lastTime;
    static int lastGeneration = -1;
    static double rate = 0.0;
    const Clock::time_point now = Clock::now();
    const double seconds = std::chrono::duration<double>(now - lastTime).count();
    const int g = evolutionState.generation;
    if (lastGeneration >= 0 && g > lastGeneration && seconds > 0.0 && seconds < RATE_SAMPLE_LIMIT_S)
        rate = (g - lastGeneration) / seconds;
    else if (lastGeneration < 0 || g < lastGeneration || seconds >= RATE_SAMPLE_LIMIT_S)
        rate = 0.0; // a new run: no rate yet
    lastTime = now;
    lastGeneration = g;
    return rate;
}

// The prey, clipped to the spider's cell.
void drawPreyInCell(const Spider& spider) {
    const Web& web = spider.web;
    const double half = WEB_VIEW_HALF_SIZE * web.viewScale;
    const int left = static_cast<int>(std::floor(gridOffsetX + web.viewX - half));
    const int top = static_cast<int>(std::floor(gridOffsetY + web.viewY - half));
    const int size = static_cast<int>(std::ceil(2.0 * half)) + 1;
    glEnable(GL_SCISSOR_TEST);
    glScissor(left, windowHeight - (top + size), size, size);
    drawPrey(spider);
    glDisable(GL_SCISSOR_TEST);
}

void drawOfflineMessage() {
    glColor3f(1.0f, 1.0f, 1.0f);
    const std::string text = offlineMessage(evolutionState.generation);
    LGL::WriteString(text.c_str(), OFFLINE_TEXT_X, OFFLINE_TEXT_Y);
    const std::string rate = offlineRateLine(offlineRate());
    LGL::WriteString(rate.c_str(), OFFLINE_TEXT_X, OFFLINE_TEXT_Y + OFFLINE_LINE_HEIGHT);
}

// Everything the grid's picture depends on, cell by cell; the cells' own
// parts go to their keys as well.
void gridKey(bool showPrey, bool evaluated) {
    const int cells = occupiedCells();
    cache.beginKey(static_cast<size_t>(cells));
    std::vector<int32_t>& key = cache.frameKey;
    key.insert(key.end(), {showPrey ? 1 : 0, evaluated ? 1 : 0, static_cast<int32_t>(flyTexture)});
    if (showPrey) {
        appendKeyBits(key, evolutionState.preySize);
        key.push_back(static_cast<int32_t>(evolutionState.preyAngles.size()));
        key.insert(key.end(), evolutionState.preyAngles.begin(), evolutionState.preyAngles.end());
        key.push_back(static_cast<int32_t>(evolutionState.problem.prey.size()));
        for (const Prey& p : evolutionState.problem.prey) {
            appendKeyBits(key, p.x);
            appendKeyBits(key, p.y);
        }
    }
    std::vector<std::string> texts;
    for (int i = 0; evaluated && i < cells; ++i) {
        const Spider& spider = evolutionState.spiders[i];
        texts.push_back(spiderCaption(i, spider.individual.fitness, spider.origin, spider.parentA,
                                      spider.parentB));
    }
    const std::vector<CellCaption> captions =
        cells > 0 ? fitCellCaptions(texts, evolutionState.spiders[0].web.viewScale, smallFont)
                  : std::vector<CellCaption>();
    for (int i = 0; i < cells; ++i) {
        const Spider& spider = evolutionState.spiders[i];
        if (showPrey) {
            key.push_back(static_cast<int32_t>(spider.web.caughtPrey.size()));
            key.insert(key.end(), spider.web.caughtPrey.begin(), spider.web.caughtPrey.end());
        }
        const size_t cell = static_cast<size_t>(i);
        cache.addCell(cell, spider, evaluated ? captions[cell] : CellCaption());
    }
}

// The column right of which the grid draws nothing: its cells' frames
// (with room for the wide highlight line) and, when shown, the prey sprites
// (a turned sprite reaches 1.5 half-sizes from its centre).
int gridRightEdge(bool showPrey) {
    double reach = WEB_VIEW_HALF_SIZE + 1.0;
    if (showPrey) {
        const double sprite = preySpriteHalfSize() * 1.5;
        for (const Prey& p : evolutionState.problem.prey)
            reach = std::max(reach, std::fabs(p.x) + sprite);
    }
    double right = 0.0;
    for (int i = 0; i < occupiedCells(); ++i) {
        const Web& web = evolutionState.spiders[i].web;
        right = std::max(right, web.viewX + reach * web.viewScale);
    }
    return static_cast<int>(std::ceil(gridOffsetX + right)) + FRAME_LINE_ROOM;
}

void drawGrid(bool showPrey) {
    glPushMatrix();
    glTranslated(gridOffsetX, gridOffsetY, 0.0);
    const int cells = occupiedCells();
    for (int i = 0; i < cells; ++i) {
        const Spider& spider = evolutionState.spiders[i];
        enterWebCell(spider);
        cache.webCells.draw(static_cast<size_t>(i), spider, cache.cellKeys[static_cast<size_t>(i)]);
        if (showPrey)
            drawPreyInCell(spider);
        drawCaption(cache.captions[static_cast<size_t>(i)]);
        glPopMatrix();
    }
    glPopMatrix();
}

} // namespace

void drawSimulator() {
    glClear(GL_COLOR_BUFFER_BIT);
    if (evolutionState.flags.renderOffline) {
        drawOfflineMessage();
        drawHistoryChart();
        return;
    }
    // A repaint under a dialog only draws: the panel acts once it is closed.
    if (!dialogOpen())
        handleControlPanel();

    const bool evaluated = populationEvaluated();
    const bool showPrey = (evolutionState.flags.freshGeneration || leavePrey) && evaluated;
    gridKey(showPrey, evaluated);
    if (!cache.gridLayer.restore(cache.frameKey, windowWidth, windowHeight)) {
        drawGrid(showPrey);
        cache.gridLayer.drawn(cache.frameKey, windowWidth, windowHeight);
    }
    drawInfoBand();
    drawHistoryChart();
    cache.panelImage.render(controlPanel, gridRightEdge(showPrey), cache.frameKey);
    glDisable(GL_DEPTH_TEST);
}
