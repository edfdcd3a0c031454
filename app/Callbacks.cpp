#include "app/Callbacks.h"

#include <GL/freeglut.h>

#include <vector>

#include "app/AppGlobals.h"
#include "app/AppState.h"
#include "app/Commands.h"
#include "app/Display.h"
#include "app/ControlPanel.h"
#include "app/FossilsView.h"
#include "app/RuleBrowserView.h"
#include "app/SimulatorGrid.h"

namespace {

// freeglut reports the wheel as buttons 3 (up) and 4 (down).
constexpr int WHEEL_UP = 3;
constexpr int WHEEL_DOWN = 4;

constexpr unsigned char KEY_ESCAPE = 27;
constexpr unsigned char KEY_OFFLINE = 'o';
// Frames come this often while a spinner arrow is held, so that its repeat
// (every 50 ms after 400 ms) is seen without any other event.
constexpr unsigned HOLD_FRAME_MS = 20;

bool holdTimerPending = false;

std::vector<LGLUI*> allPanels()
{
    std::vector<LGLUI*> panels = ruleBrowserPanels();
    panels.push_back(&controlPanel);
    panels.push_back(&fossilPanel);
    return panels;
}

bool anyPanelRepeatHeld()
{
    for (LGLUI* panel : allPanels())
        if (panel->repeatHeld())
            return true;
    return false;
}

void holdFrameTick(int)
{
    holdTimerPending = false;
    if (glutGetWindow() == 0 || !anyPanelRepeatHeld())
        return;
    glutPostRedisplay();
    holdTimerPending = true;
    glutTimerFunc(HOLD_FRAME_MS, holdFrameTick, 0);
}

// Keeps frames coming while the press just handled holds a spinner arrow.
void keepFramesWhileHeld()
{
    if (!holdTimerPending && anyPanelRepeatHeld()) {
        holdTimerPending = true;
        glutTimerFunc(HOLD_FRAME_MS, holdFrameTick, 0);
    }
}

void simulatorKey(unsigned char key)
{
    controlPanel.registerStandardKeys(key);
    handleControlPanel();
    if (controlPanel.keyUsed)
        return;
    if (currentView == VIEW_SIMULATOR && key == KEY_OFFLINE)
        toggleOfflineRun();
}

void fossilsKey(unsigned char key)
{
    fossilPanel.registerStandardKeys(key);
    handleFossilPanel();
    if (!fossilPanel.keyUsed && key == KEY_ESCAPE)
        showSimulator();
}

// Hands a special key to the Rule Browser's panels in turn; once one of
// them has used a key, the rest see key 0. Returns the key left over.
int ruleBrowserSpecialKey(int key)
{
    for (LGLUI* panel : ruleBrowserPanels()) {
        panel->registerSpecialKeys(key);
        if (panel->keyUsed)
            key = 0;
    }
    handleRuleBrowser();
    return key;
}

void ruleBrowserClick(int x, int y, bool rightPress, bool leftPress)
{
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

void simulatorClick(int x, int y, bool rightPress, bool leftPress)
{
    bool handled = false;
    menuBar.handleMenuMouseClick(x, y, rightPress, leftPress, handled);
    if (handled)
        return;
    handleControlPanel();
    if (currentView != VIEW_SIMULATOR)
        return;
    controlPanel.handleMouseClick(x, y, rightPress, leftPress, handled);
    if (handled)
        return;
    const GridCell cell = hitTestGrid(x, y);
    selectGridCell(cell.row, cell.column);
    if (rightPress) {
        showRuleBrowser();
    }
}

void fossilsClick(int x, int y, bool rightPress, bool leftPress)
{
    bool handled = false;
    menuBar.handleMenuMouseClick(x, y, rightPress, leftPress, handled);
    if (handled)
        return;
    handleFossilPanel();
    if (currentView != VIEW_FOSSILS)
        return;
    fossilPanel.handleMouseClick(x, y, rightPress, leftPress, handled);
}

// The mouse wheel scrolls a view's panels that reach below the window: the
// panel in the strip, or the Rule Browser's stage panels.
void wheel(int x, int notches)
{
    if (currentView == VIEW_RULE_BROWSER) {
        if (scrollRuleBrowserPanels(notches))
            glutPostRedisplay();
        return;
    }
    if (x < windowWidth - panelStripWidth)
        return;
    LGLUI* panel = currentView == VIEW_SIMULATOR ? &controlPanel
        : currentView == VIEW_FOSSILS            ? &fossilPanel
                                                 : nullptr;
    if (panel != nullptr && scrollPanelInStrip(*panel, notches))
        glutPostRedisplay();
}

} // namespace

void keyboardCallback(unsigned char key, int, int)
{
    menuBar.handleStandardKeys(key);
    if (glutGetModifiers() == GLUT_ACTIVE_CTRL)
        return;
    switch (currentView) {
    case VIEW_SIMULATOR:
        simulatorKey(key);
        break;
    case VIEW_RULE_BROWSER:
        handleRuleBrowser();
        if (key == KEY_ESCAPE)
            showSimulator();
        break;
    case VIEW_FOSSILS:
        fossilsKey(key);
        break;
    default:
        break;
    }
    // The view shows what the key changed at once.
    glutPostRedisplay();
}

void specialCallback(int key, int, int)
{
    int menuKey = key;
    switch (currentView) {
    case VIEW_SIMULATOR:
        moveSelectionByKey(key);
        glutPostRedisplay();
        controlPanel.registerSpecialKeys(key);
        break;
    case VIEW_RULE_BROWSER:
        menuKey = ruleBrowserSpecialKey(key);
        break;
    case VIEW_FOSSILS:
        fossilPanel.registerSpecialKeys(key);
        break;
    default:
        break;
    }
    menuBar.handleSpecialKeys(menuKey);
    glutPostRedisplay();
}

void mouseCallback(int button, int state, int x, int y)
{
    if (button == WHEEL_UP || button == WHEEL_DOWN) {
        if (state == GLUT_DOWN)
            wheel(x, button == WHEEL_UP ? -1 : 1);
        return;
    }
    const bool leftPress = button == GLUT_LEFT_BUTTON && state == GLUT_DOWN;
    const bool rightPress = button == GLUT_RIGHT_BUTTON && state == GLUT_DOWN;
    if (state == GLUT_UP)
        for (LGLUI* panel : allPanels())
            panel->endRepeat();
    switch (currentView) {
    case VIEW_RULE_BROWSER:
        ruleBrowserClick(x, y, rightPress, leftPress);
        break;
    case VIEW_SIMULATOR:
        simulatorClick(x, y, rightPress, leftPress);
        break;
    case VIEW_FOSSILS:
        fossilsClick(x, y, rightPress, leftPress);
        break;
    default:
        break;
    }
    keepFramesWhileHeld();
    glutPostRedisplay();
}
