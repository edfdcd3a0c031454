#include "app/SimulatorView.h"

#include <GL/freeglut.h>

#include <string>

#include "app/AppGlobals.h"
#include "app/AppState.h"
#include "app/ControlPanel.h"
#include "app/InfoTexts.h"
#include "app/PreySprites.h"
#include "app/SimulatorGrid.h"
#include "app/WebCellCache.h"
#include "app/WebDrawing.h"
#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"

namespace {

constexpr int OFFLINE_TEXT_X = 20;
constexpr int OFFLINE_TEXT_Y = 70;
constexpr double PREY_SPRITE_SCALE = 2.2;

WebCellCache webCells;
// The prey swarm as this spider met it: caught prey green, the others grey.
void drawPrey(const Spider& spider)
{
    const int h = static_cast<int>(evolutionState.preySize * PREY_SPRITE_SCALE);
    drawPreySprites(evolutionState.problem.prey, preyAngles, spider.web.caughtPrey, h,
                    flyTexture);
}

void drawOfflineMessage()
{
    glColor3f(1.0f, 1.0f, 1.0f);
    const std::string text = offlineMessage(evolutionState.generation);
    LGL::WriteString(text.c_str(), OFFLINE_TEXT_X, OFFLINE_TEXT_Y);
}

} // namespace

void drawSimulator()
{
    glClear(GL_COLOR_BUFFER_BIT);
    if (renderOffline) {
        drawOfflineMessage();
        return;
    }
    handleControlPanel();

    const bool evaluated = populationEvaluated();
    const bool showPrey = (freshGeneration || leavePrey) && evaluated;
    glPushMatrix();
    glTranslated(gridOffsetX, gridOffsetY, 0.0);
    const int cells = occupiedCells();
    for (int i = 0; i < cells; ++i) {
        const Spider& spider = evolutionState.spiders[i];
        enterWebCell(spider);
        webCells.draw(static_cast<size_t>(i), spider);
        if (showPrey)
            drawPrey(spider);
        if (evaluated)
            drawCaption(spiderCaption(i, spider.individual.fitness, spider.origin,
                                      spider.parentA, spider.parentB));
        glPopMatrix();
    }
    glPopMatrix();
    drawInfoBand();
    controlPanel.render();
    glDisable(GL_DEPTH_TEST);
}
