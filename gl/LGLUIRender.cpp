// Drawing the control panel.
#include <GL/freeglut.h>

#include <algorithm>

#include "gl/LGLProjection.h"
#include "gl/LGLUI.h"

namespace {

const double SHADOW_GRAY = 0.1;
const double SHADOW_ALPHA = 0.4;
const int SHADOW_DX = 3;
const int SHADOW_DY = 2;
const double OUTLINE_GRAY = 0.6;
const double STRONG_ALPHA = 0.8;
const double UNFOCUSED_FIELD = 0.9;
const double OUTER_FIELD_LINE = 0.75;
const double INNER_FIELD_LINE = 0.5;
const double FOCUSED_BUTTON = 0.95;
const double PRESSED_GRAY = 0.3;
const double SEPARATOR_GRAY = 0.1;
const float ARROW_LINE_WIDTH = 2.0f;
const float CROSS_LINE_WIDTH = 2.0f;
const int CROSS_INSET = 2;
const LGLUI::tColor TITLE_COLOR = {0.0, 0.33333334, 0.9019608, 0.8};
const LGLUI::tColor CLOSE_COLOR = {0.90588236, 0.43529412, 0.32156864, 0.8};

void rectLoop(const tRect& r, int inset) {
    glBegin(GL_LINE_LOOP);
    glVertex2i(r.x1 + inset, r.y1 + inset);
    glVertex2i(r.x2 - inset, r.y1 + inset);
    glVertex2i(r.x2 - inset, r.y2 - inset);
    glVertex2i(r.x1 + inset, r.y2 - inset);
    glEnd();
}

void fill(const tRect& r) {
    glRecti(r.x1, r.y1, r.x2, r.y2);
}

} // namespace

void LGLUI::setColor(double r, double g, double b, double a) {
    glColor4d(r, g, b, a * opacity);
}

void LGLUI::render() {
    if (!visible || widgetCount == 0)
        return;
    recordHitAreas();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    int width = 0;
    int height = 0;
    pushWindowProjection(width, height);
    const bool clipped = clipTop > 0;
    const GLboolean scissorWasOn = glIsEnabled(GL_SCISSOR_TEST);
    if (clipped) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, width, std::max(0, height - clipTop));
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    tRect pane;
    LGeom::setRectExt(pane, panelX, panelY, panelWidth, panelHeight);
    renderPane(pane, paneColor.a);
    renderTitle();
    for (int i = 0; i < widgetCount; ++i)
        renderWidget(i);
    for (int i = 0; i < widgetCount; ++i)
        if (popupOpen(i))
            renderPopup(i);

    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
    if (clipped && !scissorWasOn)
        glDisable(GL_SCISSOR_TEST);
    popWindowProjection();
    glEnable(GL_DEPTH_TEST);
}

void LGLUI::renderPane(const tRect& r, double alpha) {
    tRect shadow = r;
    LGeom::moveRect(shadow, SHADOW_DX, SHADOW_DY);
    setColor(SHADOW_GRAY, SHADOW_GRAY, SHADOW_GRAY, SHADOW_ALPHA);
    fill(shadow);
    setColor(paneColor.r, paneColor.g, paneColor.b, alpha);
    fill(r);
    setColor(OUTLINE_GRAY, OUTLINE_GRAY, OUTLINE_GRAY, STRONG_ALPHA);
    rectLoop(r, 0);
}

void LGLUI::renderTitle() {
    setColor(TITLE_COLOR.r, TITLE_COLOR.g, TITLE_COLOR.b, TITLE_COLOR.a);
    fill(titleRect);
    setColor(CLOSE_COLOR.r, CLOSE_COLOR.g, CLOSE_COLOR.b, CLOSE_COLOR.a);
    fill(closeRect);
    setColor(1, 1, 1, 1);
    rectLoop(closeRect, 0);
    glLineWidth(CROSS_LINE_WIDTH);
    glBegin(GL_LINES);
    glVertex2i(closeRect.x1 + CROSS_INSET, closeRect.y1 + CROSS_INSET);
    glVertex2i(closeRect.x2 - CROSS_INSET, closeRect.y2 - CROSS_INSET);
    glVertex2i(closeRect.x2 - CROSS_INSET, closeRect.y1 + CROSS_INSET);
    glVertex2i(closeRect.x1 + CROSS_INSET, closeRect.y2 - CROSS_INSET);
    glEnd();
    glLineWidth(1.0f);
}

void LGLUI::writeLabel(int i) {
    labelY = rowBaseline(i);
    font.alignment = 1;
    font.writeAt_rp(labelX, labelY, widgets[i].label.c_str(), float(labelColor[0]),
                    float(labelColor[1]), float(labelColor[2]));
}

void LGLUI::renderWidget(int i) {
    const uiWidget& w = widgets[i];
    const bool focused = i == focusIndex;
    switch (w.kind) {
    case LIST_BOX:
        renderValueField(i, false, focused);
        break;
    case LIST_SPINNER:
    case NUMBER_SPINNER:
        renderValueField(i, focused, focused);
        break;
    case EDIT_TEXT:
        renderValueField(i, false, false);
        break;
    case BUTTON:
        renderButton(i);
        return;
    case SEPARATOR:
        renderSeparator(i);
        return;
    default:
        return;
    }
    writeLabel(i);
    font.writeAt_rp(labelX + labelColWidth, labelY, valueText(i).c_str(), float(labelColor[0]),
                    float(labelColor[1]), float(labelColor[2]));
}

void LGLUI::renderValueField(int i, bool leftArrow, bool rightArrow) {
    const tRect r = valueFieldRect(i);
    const double shade = i == focusIndex ? 1.0 : UNFOCUSED_FIELD;
    setColor(fieldColor.r * shade, fieldColor.g * shade, fieldColor.b * shade, fieldColor.a);
    fill(r);
    setColor(paneColor.r * OUTER_FIELD_LINE, paneColor.g * OUTER_FIELD_LINE,
             paneColor.b * OUTER_FIELD_LINE, STRONG_ALPHA);
    rectLoop(r, 0);
    setColor(paneColor.r * INNER_FIELD_LINE, paneColor.g * INNER_FIELD_LINE,
             paneColor.b * INNER_FIELD_LINE, STRONG_ALPHA);
    rectLoop(r, 1);
    tRect box;
    if (rightArrow) {
        increaseArrowBox(r, leftArrow, box);
        renderArrow(box, true);
    }
    if (leftArrow) {
        decreaseArrowBox(r, box);
        box.x2 = r.x1 - 3; // the base stands 3 pixels left of the field
        renderArrow(box, false);
    }
}

void LGLUI::renderArrow(const tRect& box, bool pointsRight) {
    const int base = pointsRight ? box.x1 : box.x2;
    const int tip = pointsRight ? box.x2 : box.x1;
    const int middle = (box.y1 + box.y2) / 2;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 0)
            setColor(1, 1, 1, 1);
        else
            setColor(OUTLINE_GRAY, OUTLINE_GRAY, OUTLINE_GRAY, 1);
        glLineWidth(ARROW_LINE_WIDTH);
        glBegin(pass == 0 ? GL_TRIANGLES : GL_LINE_LOOP);
        glVertex2i(base, box.y1);
        glVertex2i(base, box.y2);
        glVertex2i(tip, middle);
        glEnd();
    }
    glLineWidth(1.0f);
}

void LGLUI::renderButton(int i) {
    const tRect r = buttonRect(i);
    const bool focused = i == focusIndex;
    if (focused)
        setColor(FOCUSED_BUTTON, FOCUSED_BUTTON, FOCUSED_BUTTON, STRONG_ALPHA);
    else
        setColor(paneColor.r * UNFOCUSED_FIELD, paneColor.g * UNFOCUSED_FIELD,
                 paneColor.b * UNFOCUSED_FIELD, STRONG_ALPHA);
    fill(r);
    if (showsPressed(i)) {
        setColor(PRESSED_GRAY, PRESSED_GRAY, PRESSED_GRAY, 1);
        for (int inset = 0; inset < 3; ++inset)
            rectLoop(r, inset);
    } else {
        setColor(1, 1, 1, 1);
        glBegin(GL_LINE_STRIP);
        glVertex2i(r.x1 - 1, r.y2 + 1);
        glVertex2i(r.x1 - 1, r.y1 - 1);
        glVertex2i(r.x2 + 1, r.y1 - 1);
        glEnd();
        setColor(SEPARATOR_GRAY, SEPARATOR_GRAY, SEPARATOR_GRAY, 1);
        glBegin(GL_LINE_STRIP);
        glVertex2i(r.x2 + 1, r.y1 - 1);
        glVertex2i(r.x2 + 1, r.y2 + 1);
        glVertex2i(r.x1 - 1, r.y2 + 1);
        glEnd();
    }
    labelY = rowBaseline(i);
    font.alignment = 0;
    font.writeAt_rp((r.x1 + r.x2) / 2, labelY, widgets[i].label.c_str(), float(labelColor[0]),
                    float(labelColor[1]), float(labelColor[2]));
    font.alignment = 1;
}

void LGLUI::renderSeparator(int i) {
    setColor(SEPARATOR_GRAY, SEPARATOR_GRAY, SEPARATOR_GRAY, STRONG_ALPHA);
    const int x = panelX + outerPad.x1;
    const int y = rowTop(i) + fontSize / 2;
    glBegin(GL_LINES);
    glVertex2i(x, y);
    glVertex2i(x + panelWidth - outerPad.x2 - outerPad.x1, y);
    glEnd();
}

void LGLUI::renderPopup(int i) {
    const uiWidget& w = widgets[i];
    const tRect p = popupRect(i);
    renderPane(p, 1.0);
    const int value = int(w.value);
    if (value >= 0 && value < int(w.entries.size())) {
        setColor(fieldColor.r, fieldColor.g, fieldColor.b, fieldColor.a);
        tRect mark;
        LGeom::setRectExt(mark, p.x1 + 8,
                          int((w.value + 0.5) * rowHeight + p.y1 - fontSize / 2 - 1),
                          p.x2 - p.x1 - 16, fontSize + 2);
        fill(mark);
    }
    font.alignment = 1;
    const int first =
        int(rowHeight * 0.5 + p.y1 - fontSize / 2 - 1 + fontSize - (fontSize + 0.5) / 5);
    for (int j = 0; j < int(w.entries.size()); ++j) {
        font.writeAt_rp(p.x1 + fontSize / 2, first + j * rowHeight, w.entries[j].c_str(),
                        float(labelColor[0]), float(labelColor[1]), float(labelColor[2]));
    }
}
