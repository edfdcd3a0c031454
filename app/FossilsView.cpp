#include "app/FossilsView.h"

#include <GL/freeglut.h>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/Display.h"
#include "app/FossilsModel.h"
#include "app/InfoTexts.h"
#include "app/WebDrawing.h"
#include "gl/LGLUI.h"

namespace {

constexpr double PANEL_ROW_FACTOR = 1.5;
constexpr char PANEL_OPTION = 'n';
constexpr const char* BACK_LABEL = "  Back to Simulator [esc]  ";

bool backLatch = false;

} // namespace

void buildFossilPanel()
{
    fossilPanel.panelX = 0;
    fossilPanel.panelY = 0;
    fossilPanel.initialize(0, 0, uiFontSize, PANEL_ROW_FACTOR, PANEL_OPTION);
    fossilPanel.dispose();
    fossilPanel.addSeparator();
    fossilBackId = fossilPanel.addButton(BACK_LABEL);
    fossilPanel.addSeparator();
    showPanel(fossilPanel);
    fossilPanel.updateUIDimension();
    hidePanel(fossilPanel);
}

void handleFossilPanel()
{
    fossilPanel.handle();
    int back = 0;
    fossilPanel.getUIInt(fossilBackId, back);
    if (back != 0) {
        backLatch = true;
    } else if (backLatch) {
        backLatch = false;
        showSimulator();
    }
}

void drawFossils()
{
    glClear(GL_COLOR_BUFFER_BIT);
    handleFossilPanel();
    glPushMatrix();
    glTranslated(gridOffsetX, gridOffsetY, 0.0);
    const size_t cells = static_cast<size_t>(gridColumns * gridRows);
    for (size_t i = 0; i < fossilSpiders.size() && i < cells; ++i) {
        const Spider fossil = fossilSpiders[i];
        enterWebCell(fossil);
        drawWebCell(fossil);
        drawCaption(fossilCaption(fossilGenerations[i], fossil.individual.fitness));
        glPopMatrix();
    }
    glPopMatrix();
    drawInfoBand();
    fossilPanel.render();
    glDisable(GL_DEPTH_TEST);
}
