// Drawing the menu bar and its open list.
#include <GL/freeglut.h>

#include "gl/LGLMenu.h"
#include "gl/LGLProjection.h"

namespace {

const float HALF = 0.5f;
const float SEPARATOR_GRAY = 0.6f;
const int CHECK_SIZE = 10;
const int CHECK_X = 8;
const int HIGHLIGHT_INSET = 3;
const int SEPARATOR_INSET = 4;
const LGL::tGLRGB LIST_FRAME = {236 / 255.0f, 233 / 255.0f, 216 / 255.0f};

void gray(float v) {
    glColor3f(v, v, v);
}

void line(int x1, int y1, int x2, int y2) {
    glBegin(GL_LINES);
    glVertex2i(x1, y1);
    glVertex2i(x2, y2);
    glEnd();
}

void writeIn(LGLFont& font, int x, int y, const std::string& text, const LGL::tGLRGB& c) {
    font.writeAt_rp(x, y, text.c_str(), c.r, c.g, c.b);
}

} // namespace

int LGLMenu::baselineOffset() const {
    const int d = int(fontSize - (fontSize + 0.5) / 5);
    return d / 2;
}

void LGLMenu::render() {
    if (!visible || !active || menus.empty())
        return;
    glDisable(GL_DEPTH_TEST);
    int width = 0;
    int height = 0;
    pushWindowProjection(width, height);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    renderBar(width);
    renderTitles();
    if (isOpen)
        renderList();

    glDisable(GL_BLEND);
    popWindowProjection();
    glEnable(GL_DEPTH_TEST);
}

void LGLMenu::renderBar(int width) {
    LGeom::setRect(barRect, 0, 0, width, rowHeight);
    LGL::UseColor(barColor);
    glRecti(barRect.x1, barRect.y1, barRect.x2, barRect.y2);
    glColor3f(barColor.r * HALF, barColor.g * HALF, barColor.b * HALF);
    line(barRect.x1, barRect.y2, barRect.x2, barRect.y2);
}

void LGLMenu::renderTitles() {
    font.alignment = 0;
    const int baseline = -1 + rowHeight / 2 + baselineOffset();
    for (size_t i = 0; i < titleRects.size(); ++i) {
        const tRect& r = titleRects[i];
        if (int(i) == hoverTitle) {
            // Pressed while its list is open, raised while it is not.
            const float lowRight = isOpen ? 1.0f : HALF;
            const float highLeft = isOpen ? HALF : 1.0f;
            gray(lowRight);
            line(r.x2, r.y1, r.x2, r.y2);
            line(r.x1, r.y2, r.x2, r.y2);
            gray(highLeft);
            line(r.x1, r.y1, r.x1, r.y2);
            line(r.x1, r.y1, r.x2, r.y1);
        }
        writeIn(font, r.x1 + (r.x2 - r.x1) / 2 + 1, baseline, menuTitles[i], textColor);
    }
}

void LGLMenu::renderListFrame(const tRect& r) {
    LGL::UseColor(listColor);
    glRecti(r.x1, r.y1, r.x2, r.y2);
    LGL::UseColor(LIST_FRAME);
    glBegin(GL_LINE_LOOP);
    glVertex2i(r.x2 - 2, r.y1 + 2);
    glVertex2i(r.x1 + 1, r.y1 + 2);
    glVertex2i(r.x1 + 1, r.y2 - 1);
    glVertex2i(r.x2 - 2, r.y2 - 1);
    glEnd();
    gray(HALF);
    glBegin(GL_LINE_STRIP);
    glVertex2i(r.x2 - 1, r.y1 + 1);
    glVertex2i(r.x2 - 1, r.y2);
    glVertex2i(r.x1, r.y2);
    glEnd();
    gray(1.0f);
    glBegin(GL_LINE_STRIP);
    glVertex2i(r.x1, r.y2);
    glVertex2i(r.x1, r.y1 + 1);
    glVertex2i(r.x2, r.y1 + 1);
    glEnd();
}

void LGLMenu::renderList() {
    if (openMenu < 0 || openMenu >= int(menus.size()))
        return;
    const menuColumn& m = menus[openMenu];
    font.alignment = 1;
    renderListFrame(m.dropRect);
    const int h = m.highlighted;
    if (h >= 0 && h < int(m.items.size()) && m.items[h].label.compare(0, 1, "-") != 0) {
        LGL::UseColor(highlightColor);
        const tRect& r = m.dropRect;
        tRect band;
        LGeom::setRectExt(band, r.x1 + HIGHLIGHT_INSET, r.y1 + 1 + h * rowHeight, r.x2 - r.x1 - 7,
                          rowHeight - 2);
        glRecti(band.x1, band.y1, band.x2, band.y2);
    }
    renderItems(m);
}

void LGLMenu::renderItems(const menuColumn& m) {
    const tRect& r = m.dropRect;
    for (int row = 0; row < int(m.items.size()); ++row) {
        const menuItem& it = m.items[row];
        if (it.label.compare(0, 1, "-") == 0) {
            gray(SEPARATOR_GRAY);
            const int y = int(r.y1 + rowHeight * (row + 0.5));
            line(r.x1 + SEPARATOR_INSET, y, r.x2 - SEPARATOR_INSET, y);
            continue;
        }
        const LGL::tGLRGB& c = !it.enabled            ? disabledTextColor
                               : row == m.highlighted ? highlightTextColor
                                                      : textColor;
        const int baseline = r.y1 + row * rowHeight + rowHeight / 2 - 1 + baselineOffset();
        writeIn(font, r.x1 + itemPad.x1, baseline, it.label, c);
        if (it.checked) {
            LGL::UseColor(c);
            const int top = r.y1 + row * rowHeight + rowHeight / 2 - 5;
            glRecti(r.x1 + CHECK_X, top, r.x1 + CHECK_X + CHECK_SIZE, top + CHECK_SIZE);
        }
        if (!it.shortcutText.empty())
            writeIn(font, r.x1 + m.shortcutX + itemPad.x1, baseline, it.shortcutText, c);
    }
}
