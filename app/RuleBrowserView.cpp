#include "app/RuleBrowserView.h"
#include "app/ModalInput.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/Display.h"
#include "app/WebDrawing.h"
#include "app/WebPalette.h"
#include "app/WindowFit.h"
#include "evolution/EvolutionState.h"

namespace {

constexpr double PANEL_ROW_FACTOR = 1.5;
constexpr char PANEL_OPTION = 'n';
constexpr const char* BACK_LABEL = "  Back to Simulator [esc]  ";
constexpr double STAGE_CELL_DIVISOR = 4.2;
constexpr double STAGE_TOP = 90.0;
constexpr int STAGE_PANEL_GAP = 40;
constexpr int PANEL_TOP = 80;

constexpr int STAGE_PANEL_SPACING = 4;

bool backLatch = false;
// How far the stage panels are scrolled up, in pixels.
int stagePanelScroll = 0;

// How each stage web is drawn: the palette that lights its part and the
// line widths of radii, frame and spiral.
struct StageLook {
    int palette;
    float radius, frame, spiral;
};
const StageLook STAGE_LOOKS[NUM_BROWSER_STAGES] = {
    {4, 3.0f, 3.0f, 1.0f},
    {5, 3.0f, 1.0f, 1.0f},
    {6, 1.0f, 1.0f, 3.0f},
    {7, 1.0f, 1.0f, 3.0f},
};

void initializePanel(LGLUI& panel) {
    panel.panelX = 0;
    panel.panelY = 0;
    panel.initialize(0, 0, uiFontSize, PANEL_ROW_FACTOR, PANEL_OPTION);
    panel.dispose();
}

// The four stage titles, cut alike and in one font.
std::vector<CellCaption> stageTitles(double viewScale) {
    const std::vector<std::string> titles(kStageTitles, kStageTitles + NUM_BROWSER_STAGES);
    return fitCellCaptions(titles, viewScale, ruleBrowser.font);
}

void drawStage(int k) {
    const Spider& copy = ruleBrowser.stageSpiders[k];
    const int c = ruleBrowser.cellSize;
    glPushMatrix();
    glTranslated(copy.web.viewX, copy.web.viewY, 0.0);
    glPushMatrix();
    glTranslated(-(c / 2), -(c / 2), 0.0);
    glColor3f(0.2f, 0.2f, 0.4f);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(c, 0);
    glVertex2i(c, c / 12);
    glVertex2i(0, c / 12);
    glEnd();
    glPopMatrix();
    glScaled(copy.web.viewScale, copy.web.viewScale, 1.0);
    const StageLook& look = STAGE_LOOKS[k];
    setWebPalette(look.palette);
    radiusLineWidth = look.radius;
    frameLineWidth = look.frame;
    spiralLineWidth = look.spiral;
    drawWebInFrame(copy);
    drawCaption(stageTitles(copy.web.viewScale)[static_cast<size_t>(k)]);
    glPopMatrix();
}

} // namespace

std::vector<LGLUI*> ruleBrowserPanels() {
    std::vector<LGLUI*> panels;
    for (LGLUI& panel : ruleBrowser.stagePanels)
        panels.push_back(&panel);
    panels.push_back(&ruleBrowser.mainPanel);
    return panels;
}

void buildRuleBrowser() {
    RuleBrowser& rb = ruleBrowser;
    rb.font.create(LGLGetCurrentDC(), "Consolas", uiFontSize - 3, 0, 0);
    rb.font.setColor_rp(1.0f, 1.0f, 1.0f);
    for (int k = 0; k < NUM_BROWSER_STAGES; ++k) {
        LGLUI& panel = rb.stagePanels[k];
        initializePanel(panel);
        rb.stageWidgetIds[k].clear();
        panel.addSeparator();
        for (int j = rb.stageFirstGene(k); j < rb.stageEndGene(k); ++j) {
            const size_t g = static_cast<size_t>(j);
            rb.stageWidgetIds[k].push_back(
                panel.addNumberSpinner(rb.problem.geneNames[g], rb.problem.geneMin[g],
                                       rb.problem.geneMax[g], 1, rb.stageSpiders[k].rule(j)));
        }
        panel.addSeparator();
        panel.visible = true;
        panel.hasFocus = false;
    }
    for (LGLUI& panel : rb.stagePanels)
        panel.updateUIDimension();

    initializePanel(rb.mainPanel);
    rb.backWidgetIds.clear();
    rb.mainPanel.addSeparator();
    rb.backWidgetIds.push_back(rb.mainPanel.addButton(BACK_LABEL));
    rb.mainPanel.addSeparator();
    showPanel(rb.mainPanel);
    rb.mainPanel.updateUIDimension();
}

void loadRuleBrowser(const Spider& spider, int index) {
    RuleBrowser& rb = ruleBrowser;
    rb.load(spider, index, evolutionState.generation);
    for (int k = 0; k < NUM_BROWSER_STAGES; ++k) {
        const int first = rb.stageFirstGene(k);
        for (size_t n = 0; n < rb.stageWidgetIds[k].size(); ++n)
            rb.stagePanels[k].setUIInt(rb.stageWidgetIds[k][n],
                                       rb.rules[static_cast<size_t>(first) + n]);
    }
}

void layoutRuleBrowser() {
    RuleBrowser& rb = ruleBrowser;
    const double area = windowWidth - panelStripWidth;
    const int quarter = static_cast<int>(area * 0.25);
    const int c = static_cast<int>(area / STAGE_CELL_DIVISOR);
    const double s = c / 200.0;
    const double m = (quarter - c) * 0.5;
    rb.cellSize = c;
    const int h = c / 2;
    std::vector<int> wishX, widths, heights;
    int top = 0;
    for (int k = 0; k < NUM_BROWSER_STAGES; ++k) {
        Web& web = rb.stageSpiders[k].web;
        web.viewScale = s;
        web.viewX = 100 * s + k * quarter + m;
        web.viewY = 100 * s + STAGE_TOP;
        web.viewHalfWidth = 99.0;
        web.viewHalfHeight = 99.0;
        LGLUI& panel = rb.stagePanels[k];
        panel.updateUIDimension();
        panel.updatePanelHeight();
        wishX.push_back(static_cast<int>(web.viewX - h));
        widths.push_back(panel.panelWidth);
        heights.push_back(panel.panelHeight);
        top = static_cast<int>(h + web.viewY + STAGE_PANEL_GAP);
    }
    // Each panel stands below its stage web, aligned with the cell's left
    // edge, unless the panels are wider than the cells: then they are
    // pushed apart (under the Back panel's strip too, or onto further rows)
    // so that none hides another.
    rb.mainPanel.updatePanelHeight();
    const int mainBottom = PANEL_TOP + rb.mainPanel.panelHeight + STAGE_PANEL_SPACING;
    const std::vector<PanelSpot> spots = placePanelsInRows(
        wishX, widths, heights, top, 0, windowWidth - STAGE_PANEL_SPACING, STAGE_PANEL_SPACING);
    int bottom = top;
    for (size_t k = 0; k < spots.size(); ++k)
        bottom = std::max(bottom, spots[k].y + heights[k]);
    stagePanelScroll = limitPanelScroll(stagePanelScroll, top, bottom - top, windowHeight);
    // Scrolled up, a panel slides under the band, or under the Back panel
    // where it reaches into the strip.
    for (int k = 0; k < NUM_BROWSER_STAGES; ++k) {
        LGLUI& panel = rb.stagePanels[k];
        const PanelSpot& spot = spots[static_cast<size_t>(k)];
        panel.panelX = spot.x;
        panel.panelY = spot.y - stagePanelScroll;
        panel.clipTop = spot.x + panel.panelWidth > area ? mainBottom : BAND_LOWEST_ROW + 1;
        panel.updateUIDimension();
    }
    rb.mainPanel.panelY = PANEL_TOP;
    rb.mainPanel.panelX =
        static_cast<int>(windowWidth - panelStripWidth * 0.5 - (rb.mainPanel.panelWidth / 2));
    rb.mainPanel.updateUIDimension();
}

bool scrollRuleBrowserPanels(int notches) {
    const int before = stagePanelScroll;
    stagePanelScroll += notches * ruleBrowser.stagePanels[0].rowHeight;
    layoutRuleBrowser();
    return stagePanelScroll != before;
}

void handleRuleBrowser() {
    RuleBrowser& rb = ruleBrowser;
    for (LGLUI* panel : ruleBrowserPanels())
        panel->handle();
    for (int k = 0; k < NUM_BROWSER_STAGES; ++k) {
        const int first = rb.stageFirstGene(k);
        for (size_t n = 0; n < rb.stageWidgetIds[k].size(); ++n)
            rb.stagePanels[k].getUIInt(rb.stageWidgetIds[k][n],
                                       rb.rules[static_cast<size_t>(first) + n]);
    }
    rb.applyRules();
    int back = 0;
    if (!rb.backWidgetIds.empty())
        rb.mainPanel.getUIInt(rb.backWidgetIds[0], back);
    if (back != 0) {
        backLatch = true;
    } else if (backLatch) {
        backLatch = false;
        currentView = VIEW_SIMULATOR;
        rb.writeBackPending = true;
        glutPostRedisplay();
    }
}

void drawRuleBrowser() {
    glClear(GL_COLOR_BUFFER_BIT);
    if (!dialogOpen())
        handleRuleBrowser();
    if (ruleBrowser.writeBackPending) {
        ruleBrowser.writeBack(evolutionState);
        glutPostRedisplay();
        return;
    }
    drawInfoBand();
    for (int k = 0; k < NUM_BROWSER_STAGES; ++k)
        drawStage(k);
    setWebPalette(0);
    resetWebLineWidths();
    glDisable(GL_DEPTH_TEST);
    for (LGLUI* panel : ruleBrowserPanels())
        panel->render();
}
