#include "app/Display.h"

#include <GL/freeglut.h>

#include <map>

#include "app/AppGlobals.h"
#include "app/AppState.h"
#include "app/FossilsModel.h"
#include "app/FossilsView.h"
#include "app/RuleBrowserView.h"
#include "app/SimulatorGrid.h"
#include "app/SimulatorView.h"
#include "app/WindowFit.h"
#include "evolution/EvolutionState.h"

namespace {
constexpr int PANEL_STRIP_TOP = 80;
// How far each panel of the strip is scrolled up, in pixels.
std::map<const LGLUI*, int> panelScrollOffsets;
// Each panel's row height as it was built.
std::map<const LGLUI*, int> naturalRowHeights;
} // namespace

void drawFrame()
{
    glDisable(GL_DEPTH_TEST);
    // Edits sent back from the Rule Browser are written before anything
    // else is shown.
    if (currentView != VIEW_RULE_BROWSER && ruleBrowser.writeBackPending)
        ruleBrowser.writeBack(evolutionState);
    if (currentView == VIEW_SIMULATOR)
        drawSimulator();
    if (currentView == VIEW_FOSSILS)
        drawFossils();
    if (currentView == VIEW_RULE_BROWSER)
        drawRuleBrowser();
    menuBar.render();
    glutSwapBuffers();
}

void displayCallback()
{
    drawFrame();
}

void passiveMotionCallback(int x, int y)
{
    menuBar.handleMousePassiveMotion(x, y);
    drawFrame();
}

void placeInPanelStrip(LGLUI& panel)
{
    // Rows closer together when the panel would not fit below its top.
    const int natural = naturalRowHeights.emplace(&panel, panel.rowHeight).first->second;
    panel.rowHeight = fittingRowHeight(natural, panel.fontSize, panel.titleHeight, panel.widgetCount,
                                       windowHeight - PANEL_STRIP_TOP - PANEL_BOTTOM_MARGIN);
    panel.outerPad.y1 = panel.rowHeight / 2;
    panel.outerPad.y2 = panel.rowHeight / 2;
    int& offset = panelScrollOffsets[&panel];
    panel.updatePanelHeight();
    offset = limitPanelScroll(offset, PANEL_STRIP_TOP, panel.panelHeight, windowHeight);
    panel.panelY = PANEL_STRIP_TOP - offset;
    panel.panelX = static_cast<int>(windowWidth - panelStripWidth * 0.5 - (panel.panelWidth / 2));
    panel.updateUIDimension();
}

bool scrollPanelInStrip(LGLUI& panel, int notches)
{
    int& offset = panelScrollOffsets[&panel];
    const int before = offset;
    offset += notches * panel.rowHeight;
    placeInPanelStrip(panel);
    return offset != before;
}

void reshapeCallback(int width, int height)
{
    glViewport(0, 0, width, height == 0 ? 1 : height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    windowWidth = glutGet(GLUT_WINDOW_WIDTH);
    windowHeight = glutGet(GLUT_WINDOW_HEIGHT);
    glOrtho(0, windowWidth, windowHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (currentView == VIEW_SIMULATOR)
        layoutSimulator();
    if (currentView == VIEW_FOSSILS)
        layoutFossils();
    glutSwapBuffers();
    placeInPanelStrip(controlPanel);
    placeInPanelStrip(fossilPanel);
    layoutRuleBrowser();
}
