#include "app/PanelImage.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/AppState.h"
#include "app/Display.h"
#include "gl/LGLUI.h"

namespace {

// Room around the pane for its shadow (3 right, 2 down), outlines and the
// arrows beside the value fields.
constexpr int PANEL_MARGIN = 6;

// The state render() leaves behind.
void leaveStateAsRenderDoes() {
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glLineWidth(1.0f);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

} // namespace

void PanelImage::render(LGLUI& panel, int plainLeft, const std::vector<int32_t>& gridKey) {
    if (!panel.visible || panel.widgetCount == 0) {
        panel.render();
        return;
    }
    panel.updatePanelHeight();
    // The pane with its margins, within the window.
    LayerArea area{std::max(0, panel.panelX - PANEL_MARGIN), panel.panelY - PANEL_MARGIN, 0, 0};
    area.width = std::min(windowWidth, panel.panelX + panel.panelWidth + PANEL_MARGIN) - area.x;
    area.height = std::min(windowHeight, panel.panelY + panel.panelHeight + PANEL_MARGIN) - area.y;
    const bool cacheable =
        area.y > BAND_LOWEST_ROW && area.width > 0 && area.height > 0 && !panel.anyPopupOpen();
    if (!cacheable) {
        panel.render();
        return;
    }
    panel.appearanceKey(key_);
    // The pane's outlines are drawn in the line width left by what came
    // before.
    GLfloat lineWidth = 1.0f;
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);
    appendKeyBits(key_, lineWidth);
    // Over a part of the grid the picture also depends on the grid's.
    if (area.x < plainLeft)
        key_.insert(key_.end(), gridKey.begin(), gridKey.end());
    if (layer_.restore(key_, windowWidth, windowHeight, area)) {
        panel.recordHitAreas();
        leaveStateAsRenderDoes();
        return;
    }
    panel.render();
    layer_.drawn(key_, windowWidth, windowHeight, area);
}
