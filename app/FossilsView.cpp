#include "app/FossilsView.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/AppGlobals.h"
#include "app/AppState.h"
#include "app/Commands.h"
#include "app/FossilsModel.h"
#include "app/InfoTexts.h"
#include "app/GridGeometry.h"
#include "app/LayerCache.h"
#include "app/PanelImage.h"
#include "app/WebCellCache.h"
#include "app/WebDrawing.h"

int fossilBackId = -1;

namespace {

constexpr double PANEL_ROW_FACTOR = 1.5;
constexpr char PANEL_OPTION = 'n';
constexpr const char* BACK_LABEL = "  Back to Simulator [esc]  ";

bool backLatch = false;
WebCellCache webCells;
LayerCache gridLayer;
std::vector<std::vector<int32_t>> cellKeys;
std::vector<CellCaption> captions;
std::vector<int32_t> frameKey;
PanelImage fossilPanelImage;

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
    const size_t cells = std::min(fossilSpiders.size(), static_cast<size_t>(gridColumns * gridRows));
    frameKey.clear();
    appendKeyBits(frameKey, gridOffsetX);
    appendKeyBits(frameKey, gridOffsetY);
    cellKeys.resize(cells);
    captions.resize(cells);
    for (size_t i = 0; i < cells; ++i) {
        const Spider& fossil = fossilSpiders[i];
        cellKeys[i].clear();
        appendWebCellKey(fossil, cellKeys[i]);
        frameKey.insert(frameKey.end(), cellKeys[i].begin(), cellKeys[i].end());
        appendKeyBits(frameKey, fossil.web.viewX);
        appendKeyBits(frameKey, fossil.web.viewY);
        appendKeyBits(frameKey, fossil.web.viewScale);
        captions[i] = fitCellCaption(fossilCaption(fossilGenerations[i], fossil.individual.fitness),
                                     fossil.web.viewScale, smallFont);
        appendCaptionKey(captions[i], frameKey);
    }
    if (!gridLayer.restore(frameKey, windowWidth, windowHeight)) {
        glPushMatrix();
        glTranslated(gridOffsetX, gridOffsetY, 0.0);
        for (size_t i = 0; i < cells; ++i) {
            enterWebCell(fossilSpiders[i]);
            webCells.draw(i, fossilSpiders[i], cellKeys[i]);
            drawCaption(captions[i]);
            glPopMatrix();
        }
        glPopMatrix();
        gridLayer.drawn(frameKey, windowWidth, windowHeight);
    }
    drawInfoBand();
    double right = 0.0;
    for (size_t i = 0; i < cells; ++i)
        right = std::max(right, fossilSpiders[i].web.viewX +
                                    (WEB_VIEW_HALF_SIZE + 1.0) * fossilSpiders[i].web.viewScale);
    fossilPanelImage.render(fossilPanel, static_cast<int>(std::ceil(gridOffsetX + right)) + FRAME_LINE_ROOM,
                            frameKey);
    glDisable(GL_DEPTH_TEST);
}
