#include "app/RuleBrowserView.h"

#include <GL/freeglut.h>

#include "app/AppState.h"
#include "app/Display.h"
#include "app/WebDrawing.h"
#include "app/WebPalette.h"
#include "evolution/EvolutionState.h"

namespace {

constexpr double PANEL_ROW_FACTOR = 1.5;
constexpr char PANEL_OPTION = 'n';
constexpr const char* BACK_LABEL = "  Back to Simulator [esc]  ";
constexpr double STAGE_CELL_DIVISOR = 4.2;
constexpr double STAGE_TOP = 90.0;
constexpr int STAGE_PANEL_GAP = 40;
constexpr int PANEL_TOP = 80;
constexpr int TITLE_X = -95;
constexpr int TITLE_Y = -88;

bool backLatch = false;

// How each stage web is drawn: the palette that lights its part and the
// line widths of radii, frame and spiral.
struct StageLook {
    int palette;
    float radius, frame, spiral;
};
const StageLook kStageLooks[NUM_BROWSER_STAGES] = {
    {4, 3.0f, 3.0f, 1.0f},
    {5, 3.0f, 1.0f, 1.0f},
    {6, 1.0f, 1.0f, 3.0f},
    {7, 1.0f, 1.0f, 3.0f},
};

void initializePanel(LGLUI& panel)
{
    panel.panelX = 0;
    panel.panelY = 0;
    panel.initialize(0, 0, uiFontSize, PANEL_ROW_FACTOR, PANEL_OPTION);
    panel.dispose();
}

void drawStage(int k)
{
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
    const StageLook& look = kStageLooks[k];
    setWebPalette(look.palette);
    radiusLineWidth = look.radius;
    frameLineWidth = look.frame;
    spiralLineWidth = look.spiral;
    drawWebInFrame(copy);
    ruleBrowser.font.setColor_rp(1.0f, 1.0f, 1.0f);
    ruleBrowser.font.writeAt_rp(TITLE_X, TITLE_Y, kStageTitles[k]);
    glPopMatrix();
}

} // namespace

std::vector<LGLUI*> ruleBrowserPanels()
{
    std::vector<LGLUI*> panels;
    for (LGLUI& panel : ruleBrowser.stagePanels)
        panels.push_back(&panel);
    panels.push_back(&ruleBrowser.mainPanel);
    return panels;
}

void buildRuleBrowser()
{
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
            rb.stageWidgetIds[k].push_back(panel.addNumberSpinner(
                rb.problem.geneNames[g], rb.problem.geneMin[g], rb.problem.geneMax[g], 1,
                rb.stageSpiders[k].rule(j)));
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

void loadRuleBrowser(const Spider& spider, int index)
{
    RuleBrowser& rb = ruleBrowser;
    rb.load(spider, index, evolutionState.generation);
    for (int k = 0; k < NUM_BROWSER_STAGES; ++k) {
        const int first = rb.stageFirstGene(k);
        for (size_t n = 0; n < rb.stageWidgetIds[k].size(); ++n)
            rb.stagePanels[k].setUIInt(rb.stageWidgetIds[k][n],
                                       rb.rules[static_cast<size_t>(first) + n]);
    }
}

void layoutRuleBrowser()
{
    RuleBrowser& rb = ruleBrowser;
    const double area = windowWidth - panelStripWidth;
    const int quarter = static_cast<int>(area * 0.25);
    const int c = static_cast<int>(area / STAGE_CELL_DIVISOR);
    const double s = c / 200.0;
    const double m = (quarter - c) * 0.5;
    rb.cellSize = c;
    const int h = c / 2;
    for (int k = 0; k < NUM_BROWSER_STAGES; ++k) {
        Web& web = rb.stageSpiders[k].web;
        web.viewScale = s;
        web.viewX = 100 * s + k * quarter + m;
        web.viewY = 100 * s + STAGE_TOP;
        web.viewHalfWidth = 99.0;
        web.viewHalfHeight = 99.0;
        LGLUI& panel = rb.stagePanels[k];
        panel.panelX = static_cast<int>(web.viewX - h);
        panel.panelY = static_cast<int>(h + web.viewY + STAGE_PANEL_GAP);
        panel.updateUIDimension();
    }
    rb.mainPanel.panelY = PANEL_TOP;
    rb.mainPanel.panelX =
        static_cast<int>(windowWidth - panelStripWidth * 0.5 - (rb.mainPanel.panelWidth / 2));
    rb.mainPanel.updateUIDimension();
}

void handleRuleBrowser()
{
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

void drawRuleBrowser()
{
    glClear(GL_COLOR_BUFFER_BIT);
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
