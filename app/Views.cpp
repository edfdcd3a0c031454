#include "app/Views.h"

#include <GL/freeglut.h>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/ControlPanel.h"
#include "app/Display.h"
#include "app/FossilsModel.h"
#include "app/FossilsView.h"
#include "app/HistoryChart.h"
#include "app/InfoTexts.h"
#include "app/RuleBrowserView.h"
#include "app/SimulatorGrid.h"
#include "app/SimulatorView.h"
#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"
#include "gl/LGLMenu.h"
#include "gl/LGLUI.h"

namespace {

constexpr unsigned char KEY_ESCAPE = 27;
constexpr unsigned char KEY_OFFLINE = 'o';

void noLayout() {}

// The wheel over the panel strip scrolls a panel taller than the window.
bool scrollStripPanel(LGLUI& panel, int x, int notches) {
    return x >= windowWidth - panelStripWidth && scrollPanelInStrip(panel, notches);
}

// Edits sent back from the Rule Browser are written before another view
// shows the population.
void writePendingRuleEdits() {
    if (ruleBrowser.writeBackPending)
        ruleBrowser.writeBack(evolutionState);
}

// --- Simulator ---

void simulatorDraw() {
    writePendingRuleEdits();
    drawSimulator();
}

void simulatorKey(unsigned char key) {
    controlPanel.registerStandardKeys(key);
    handleControlPanel();
    if (controlPanel.keyUsed)
        return;
    // The panel's buttons may have left the Simulator (Rules, Fossils).
    if (currentView == VIEW_SIMULATOR && key == KEY_OFFLINE)
        toggleOfflineRun();
}

int simulatorSpecialKey(int key) {
    if (historyChartKey(key))
        return 0;
    moveSelectionByKey(key);
    glutPostRedisplay();
    controlPanel.registerSpecialKeys(key);
    return key;
}

bool simulatorWheel(int x, int notches) {
    return scrollStripPanel(controlPanel, x, notches);
}

// A click in a view with a panel: the menu bar sees it first, then the
// panel's handling runs (a button may leave the view), then the panel sees
// it. Whether one of them took it or the view was left.
bool clickMenuOrPanel(int x, int y, bool rightPress, bool leftPress, LGLUI& panel,
                      void (*handlePanel)(), int view) {
    bool handled = false;
    menuBar.handleMenuMouseClick(x, y, rightPress, leftPress, handled);
    if (handled)
        return true;
    handlePanel();
    if (currentView != view)
        return true;
    panel.handleMouseClick(x, y, rightPress, leftPress, handled);
    return handled;
}

void simulatorClick(int x, int y, bool rightPress, bool leftPress) {
    if (historyChartClick(x, y, rightPress, leftPress))
        return;
    if (clickMenuOrPanel(x, y, rightPress, leftPress, controlPanel, handleControlPanel,
                         VIEW_SIMULATOR))
        return;
    const GridCell cell = hitTestGrid(x, y);
    selectGridCell(cell.row, cell.column);
    if (rightPress) {
        showRuleBrowser();
    }
}

BandLines simulatorBand() {
    return {generationLine(evolutionState.generation, evolutionState.recordedGenerations() - 1),
            selectedSpiderLine(selectedSpiderFacts(evolutionState))};
}

// --- Rule Browser ---

void ruleBrowserKey(unsigned char key) {
    handleRuleBrowser();
    if (key == KEY_ESCAPE)
        showSimulator();
}

// Hands a special key to the Rule Browser's panels in turn; once one of
// them has used a key, the rest see key 0. Returns the key left over.
int ruleBrowserSpecialKey(int key) {
    for (LGLUI* panel : ruleBrowserPanels()) {
        panel->registerSpecialKeys(key);
        if (panel->keyUsed)
            key = 0;
    }
    handleRuleBrowser();
    return key;
}

void ruleBrowserClick(int x, int y, bool rightPress, bool leftPress) {
    bool handled = false;
    menuBar.handleMenuMouseClick(x, y, rightPress, leftPress, handled);
    if (!handled) {
        // Handling reads the buttons too, so that a press and release that
        // arrive without a frame between them are not lost.
        handleRuleBrowser();
        for (LGLUI* panel : ruleBrowserPanels()) {
            bool used = false;
            panel->handleMouseClick(x, y, rightPress, leftPress, used);
        }
    }
    if (rightPress)
        showSimulator();
}

BandLines ruleBrowserBand() {
    const int shown =
        ruleBrowser.sourceIndex >= 0 ? ruleBrowser.sourceIndex : evolutionState.selectedSpider;
    return {ruleBrowserLine(shown), std::string()};
}

// --- Fossils Browser ---

void fossilsDraw() {
    writePendingRuleEdits();
    drawFossils();
}

void fossilsKey(unsigned char key) {
    fossilPanel.registerStandardKeys(key);
    handleFossilPanel();
    if (!fossilPanel.keyUsed && key == KEY_ESCAPE)
        showSimulator();
}

int fossilsSpecialKey(int key) {
    fossilPanel.registerSpecialKeys(key);
    return key;
}

void fossilsClick(int x, int y, bool rightPress, bool leftPress) {
    clickMenuOrPanel(x, y, rightPress, leftPress, fossilPanel, handleFossilPanel, VIEW_FOSSILS);
}

bool fossilsWheel(int x, int notches) {
    return scrollStripPanel(fossilPanel, x, notches);
}

// The Rule Browser's stage panels scroll wherever the pointer is.
bool ruleBrowserWheel(int, int notches) {
    return scrollRuleBrowserPanels(notches);
}

BandLines fossilsBand() {
    return {fossilRecordLine(), std::string()};
}

// In AppView order. The Rule Browser keeps its own layout on a resize (the
// window lays it out for every view); a run tick there lays out the
// Simulator it returns to. Commands leave the Fossils Browser before they
// breed; should a layout still be asked for there, the fossil grid stays.
const ViewFunctions VIEWS[NUM_VIEWS] = {
    {simulatorDraw, simulatorKey, simulatorSpecialKey, simulatorClick, simulatorWheel,
     layoutSimulator, layoutSimulator, simulatorBand},
    {drawRuleBrowser, ruleBrowserKey, ruleBrowserSpecialKey, ruleBrowserClick, ruleBrowserWheel,
     noLayout, layoutSimulator, ruleBrowserBand},
    {fossilsDraw, fossilsKey, fossilsSpecialKey, fossilsClick, fossilsWheel, layoutFossils,
     layoutFossils, fossilsBand},
};

} // namespace

const ViewFunctions& shownView() {
    const bool known = currentView >= 0 && currentView < NUM_VIEWS;
    return VIEWS[known ? currentView : VIEW_SIMULATOR];
}
