#include "app/Display.h"

#include <GL/freeglut.h>

#include "app/AppState.h"
#include "app/Views.h"
#include "gl/LGLMenu.h"
#include "gl/LGLUI.h"

namespace {
constexpr int PANEL_STRIP_TOP = 80;
} // namespace

void drawFrame() {
    glDisable(GL_DEPTH_TEST);
    shownView().draw();
    menuBar.render();
    glutSwapBuffers();
}

void placeInPanelStrip(LGLUI& panel) {
    panel.panelY = PANEL_STRIP_TOP;
    panel.panelX = static_cast<int>(windowWidth - panelStripWidth * 0.5 - (panel.panelWidth / 2));
    panel.updateUIDimension();
}

void showPanel(LGLUI& panel) {
    panel.visible = true;
    panel.hasFocus = true;
}

void hidePanel(LGLUI& panel) {
    panel.visible = false;
    panel.hasFocus = false;
}
