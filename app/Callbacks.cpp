#include "app/Callbacks.h"

#include <GL/freeglut.h>

#include <vector>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/Display.h"
#include "app/HistoryChart.h"
#include "app/RuleBrowserView.h"
#include "app/Views.h"
#include "gl/LGLMenu.h"
#include "gl/LGLUI.h"

namespace {

// freeglut reports the wheel as buttons 3 (up) and 4 (down).
constexpr int WHEEL_UP = 3;
constexpr int WHEEL_DOWN = 4;

// Frames come this often while a spinner arrow is held, so that its repeat
// (every 50 ms after 400 ms) is seen without any other event.
constexpr unsigned HOLD_FRAME_MS = 20;

bool holdTimerPending = false;

// The run file named on the command line, opened once the main loop runs.
std::string startupFile;

std::vector<LGLUI*> allPanels() {
    std::vector<LGLUI*> panels = ruleBrowserPanels();
    panels.push_back(&controlPanel);
    panels.push_back(&fossilPanel);
    return panels;
}

bool anyPanelRepeatHeld() {
    for (LGLUI* panel : allPanels())
        if (panel->repeatHeld())
            return true;
    return false;
}

void holdFrameTick(int) {
    holdTimerPending = false;
    if (glutGetWindow() == 0 || !anyPanelRepeatHeld())
        return;
    glutPostRedisplay();
    holdTimerPending = true;
    glutTimerFunc(HOLD_FRAME_MS, holdFrameTick, 0);
}

// Keeps frames coming while the press just handled holds a spinner arrow.
void keepFramesWhileHeld() {
    if (!holdTimerPending && anyPanelRepeatHeld()) {
        holdTimerPending = true;
        glutTimerFunc(HOLD_FRAME_MS, holdFrameTick, 0);
    }
}

void openStartupFile(int) {
    openPopulationPath(startupFile);
}

void displayCallback() {
    drawFrame();
}

void passiveMotionCallback(int x, int y) {
    menuBar.handleMousePassiveMotion(x, y);
    historyChartHover(x, y);
    drawFrame();
}

void motionCallback(int x, int y) {
    historyChartDrag(x, y);
    glutPostRedisplay();
}

void reshapeCallback(int width, int height) {
    glViewport(0, 0, width, height == 0 ? 1 : height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    windowWidth = glutGet(GLUT_WINDOW_WIDTH);
    windowHeight = glutGet(GLUT_WINDOW_HEIGHT);
    glOrtho(0, windowWidth, windowHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    shownView().resized();
    glutSwapBuffers();
    placeInPanelStrip(controlPanel);
    placeInPanelStrip(fossilPanel);
    layoutRuleBrowser();
}

void keyboardCallback(unsigned char key, int, int) {
    menuBar.handleStandardKeys(key);
    if ((glutGetModifiers() & GLUT_ACTIVE_CTRL) != 0)
        return;
    shownView().key(key);
    // The view shows what the key changed at once.
    glutPostRedisplay();
}

void specialCallback(int key, int, int) {
    menuBar.handleSpecialKeys(shownView().specialKey(key));
    glutPostRedisplay();
}

void mouseCallback(int button, int state, int x, int y) {
    if (button == WHEEL_UP || button == WHEEL_DOWN) {
        if (state == GLUT_DOWN && shownView().wheel(x, button == WHEEL_UP ? -1 : 1))
            glutPostRedisplay();
        return;
    }
    const bool leftPress = button == GLUT_LEFT_BUTTON && state == GLUT_DOWN;
    const bool rightPress = button == GLUT_RIGHT_BUTTON && state == GLUT_DOWN;
    if (state == GLUT_UP)
        for (LGLUI* panel : allPanels())
            panel->endRepeat();
    shownView().click(x, y, rightPress, leftPress);
    keepFramesWhileHeld();
    glutPostRedisplay();
}

} // namespace

void registerCallbacks() {
    glutReshapeFunc(reshapeCallback);
    glutSpecialFunc(specialCallback);
    glutKeyboardFunc(keyboardCallback);
    glutMouseFunc(mouseCallback);
    glutPassiveMotionFunc(passiveMotionCallback);
    glutMotionFunc(motionCallback);
    glutDisplayFunc(displayCallback);
}

void openWhenRunning(const std::string& path) {
    startupFile = path;
    glutTimerFunc(0, openStartupFile, 0);
}
