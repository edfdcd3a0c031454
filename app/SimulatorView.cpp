#include "app/SimulatorView.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/AppState.h"
#include "app/ControlPanel.h"
#include "app/InfoTexts.h"
#include "app/SimulatorGrid.h"
#include "app/WebDrawing.h"
#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"
#include "gl/LGL.h"
#include "gl/LGLUI.h"

namespace {

constexpr int OFFLINE_TEXT_X = 20;
constexpr int OFFLINE_TEXT_Y = 70;
constexpr double PREY_SPRITE_SCALE = 2.2;

void beginPreySprites()
{
    if (flyTexture != 0)
        glEnable(GL_TEXTURE_2D);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void endPreySprites()
{
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
}

// The prey swarm as this spider met it: caught prey green, the others grey.
void drawPrey(const Spider& spider)
{
    const std::vector<Prey>& prey = evolutionState.problem.prey;
    const std::vector<int32_t>& caught = spider.web.caughtPrey;
    // Any size a file may hold, kept where -h exists too.
    const int h = std::max(truncToInt32(evolutionState.preySize * PREY_SPRITE_SCALE), -INT32_MAX);
    beginPreySprites();
    for (size_t k = 0; k < prey.size(); ++k) {
        if (std::binary_search(caught.begin(), caught.end(), static_cast<int32_t>(k)))
            glColor4f(0.1f, 1.0f, 0.1f, 1.0f);
        else
            glColor4f(0.6f, 0.6f, 0.6f, 0.8f);
        glPushMatrix();
        glTranslated(prey[k].x, prey[k].y, 0.0);
        if (k < preyAngles.size())
            glRotated(preyAngles[k], 0.0, 0.0, 1.0);
        if (flyTexture != 0) {
            glBindTexture(GL_TEXTURE_2D, flyTexture);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        }
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2i(1, 0);
        glVertex2i(h, -h);
        glTexCoord2i(0, 0);
        glVertex2i(-h, -h);
        glTexCoord2i(1, 1);
        glVertex2i(h, h);
        glTexCoord2i(0, 1);
        glVertex2i(-h, h);
        glEnd();
        glPopMatrix();
    }
    endPreySprites();
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
        const Spider spider = evolutionState.spiders[i];
        enterWebCell(spider);
        drawWebCell(spider);
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
