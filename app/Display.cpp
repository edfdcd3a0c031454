#include "app/Display.h"

#include <GL/freeglut.h>

#include <map>

#include "app/AppState.h"
#include "app/MenuBar.h"
#include "app/Startup.h"
#include "app/Views.h"
#include "app/WindowFit.h"
#include "gl/LGLMenu.h"
#include "gl/LGLUI.h"

namespace {
constexpr int PANEL_STRIP_TOP = 80;
// How far each panel of the strip is scrolled up, in pixels.
std::map<const LGLUI*, int> panelScrollOffsets;
// Each panel's row height as it was built.
std::map<const LGLUI*, int> naturalRowHeights;
} // namespace

void drawFrame() {
    glDisable(GL_DEPTH_TEST);
    shownView().draw();
    showToggleStates();
    menuBar.render();
    glutSwapBuffers();
    setWindowTitle();
}

void placeInPanelStrip(LGLUI& panel) {
    // Rows closer together when the panel would not fit below its top.
    const int natural = naturalRowHeights.emplace(&panel, panel.rowHeight).first->second;
    panel.rowHeight =
        fittingRowHeight(natural, panel.fontSize, panel.titleHeight, panel.widgetCount,
                         windowHeight - PANEL_STRIP_TOP - PANEL_BOTTOM_MARGIN);
    panel.outerPad.y1 = panel.rowHeight / 2;
    panel.outerPad.y2 = panel.rowHeight / 2;
    int& offset = panelScrollOffsets[&panel];
    panel.updatePanelHeight();
    offset = limitPanelScroll(offset, PANEL_STRIP_TOP, panel.panelHeight, windowHeight);
    panel.panelY = PANEL_STRIP_TOP - offset;
    panel.clipTop = BAND_LOWEST_ROW + 1;
    panel.panelX = static_cast<int>(windowWidth - panelStripWidth * 0.5 - (panel.panelWidth / 2));
    panel.updateUIDimension();
}

bool scrollPanelInStrip(LGLUI& panel, int notches) {
    int& offset = panelScrollOffsets[&panel];
    const int before = offset;
    offset += notches * panel.rowHeight;
    placeInPanelStrip(panel);
    return offset != before;
}

void showPanel(LGLUI& panel) {
    panel.visible = true;
    panel.hasFocus = true;
}

void hidePanel(LGLUI& panel) {
    panel.visible = false;
    panel.hasFocus = false;
}
