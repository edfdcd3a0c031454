#include "app/FossilsView.h"
#include "app/ModalInput.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/Display.h"
#include "app/FossilsModel.h"
#include "app/GridGeometry.h"
#include "app/GridViewCache.h"
#include "app/InfoTexts.h"
#include "app/WebDrawing.h"
#include "gl/LGLUI.h"

namespace {

constexpr double PANEL_ROW_FACTOR = 1.5;
constexpr char PANEL_OPTION = 'n';
constexpr const char* BACK_LABEL = "  Back to Simulator [esc]  ";

bool backLatch = false;
GridViewCache cache;

} // namespace

void buildFossilPanel() {
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

void handleFossilPanel() {
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

void drawFossils() {
    glClear(GL_COLOR_BUFFER_BIT);
    if (!dialogOpen())
        handleFossilPanel();
    GridViewCache& c = cache;
    const size_t cells =
        std::min(fossilSpiders.size(), static_cast<size_t>(gridColumns * gridRows));
    c.beginKey(cells);
    double right = 0.0;
    std::vector<std::string> texts;
    for (size_t i = 0; i < cells; ++i)
        texts.push_back(fossilCaption(fossilGenerations[i], fossilSpiders[i].individual.fitness));
    const std::vector<CellCaption> captions =
        cells > 0 ? fitCellCaptions(texts, fossilSpiders[0].web.viewScale, smallFont)
                  : std::vector<CellCaption>();
    for (size_t i = 0; i < cells; ++i) {
        const Spider& fossil = fossilSpiders[i];
        c.addCell(i, fossil, captions[i]);
        right =
            std::max(right, fossil.web.viewX + (WEB_VIEW_HALF_SIZE + 1.0) * fossil.web.viewScale);
    }
    if (!c.gridLayer.restore(c.frameKey, windowWidth, windowHeight)) {
        glPushMatrix();
        glTranslated(gridOffsetX, gridOffsetY, 0.0);
        for (size_t i = 0; i < cells; ++i) {
            enterWebCell(fossilSpiders[i]);
            c.webCells.draw(i, fossilSpiders[i], c.cellKeys[i]);
            drawCaption(c.captions[i]);
            glPopMatrix();
        }
        glPopMatrix();
        c.gridLayer.drawn(c.frameKey, windowWidth, windowHeight);
    }
    drawInfoBand();
    c.panelImage.render(fossilPanel,
                        static_cast<int>(std::ceil(gridOffsetX + right)) + FRAME_LINE_ROOM,
                        c.frameKey);
    glDisable(GL_DEPTH_TEST);
}
