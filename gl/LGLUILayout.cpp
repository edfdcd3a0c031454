// Control panel geometry: rows, fields, arrows, pop-up lists, and the hit
// areas that every render records.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "gl/LGLUI.h"

namespace {

const double BUTTON_NARROWING = 0.2;
const int POPUP_OFFSET = 190;
const int POPUP_WIDTH = 100;
const int POPUP_ENTRY_INSET = 8;
const int ARROW_GAP = 2;
const int ARROW_SPACE = 20;
const int DECREASE_BASE = 3;
const int TEXT_BUFFER = 64;

int baselineWithin(int top, int fontSize) {
    return int(top + fontSize - (fontSize + 0.5) / 5);
}

} // namespace

int LGLUI::rowTop(int i) const {
    return panelY + titleHeight + outerPad.y1 + rowHeight * i;
}

int LGLUI::rowBaseline(int i) const {
    return baselineWithin(rowTop(i), fontSize);
}

tRect LGLUI::valueFieldRect(int i) const {
    tRect r;
    LGeom::setRectExt(r, panelX - fieldPad.x1 + labelColWidth + outerPad.x1,
                      rowTop(i) - fieldPad.y1,
                      panelWidth - outerPad.x2 - labelColWidth - outerPad.x1,
                      fieldPad.y2 + fieldPad.y1 + fontSize);
    return r;
}

tRect LGLUI::buttonRect(int i) const {
    tRect r;
    LGeom::setRectExt(r, panelX - fieldPad.x1 + outerPad.x1, rowTop(i) - fieldPad.y1,
                      panelWidth - outerPad.x2 - outerPad.x1 + fieldPad.x1,
                      fieldPad.y2 + fontSize + fieldPad.y1);
    r.x1 = int(r.x1 + (r.x2 - r.x1) * BUTTON_NARROWING);
    r.x2 = int(r.x2 - (r.x2 - r.x1) * BUTTON_NARROWING);
    return r;
}

tRect LGLUI::popupRect(int i) const {
    tRect r;
    const bool known = i >= 0 && i < widgetCount;
    const int entries = known ? int(widgets[i].entries.size()) : 0;
    // Wide enough for the widest entry with half a font size of margin on
    // either side, so that no entry is cut by the border.
    int width = POPUP_WIDTH;
    if (known)
        for (const std::string& e : widgets[i].entries)
            width = std::max(width, font.pixWidthOf(e) + fontSize);
    LGeom::setRectExt(r, panelWidth + labelX - POPUP_OFFSET, rowTop(i) - fieldPad.y1, width,
                      entries * rowHeight);
    return r;
}

tRect LGLUI::popupEntryRect(int i, int j) const {
    const tRect p = popupRect(i);
    tRect r;
    LGeom::setRectExt(r, p.x1 + POPUP_ENTRY_INSET,
                      int((j + 0.5) * rowHeight + p.y1 - fontSize / 2 - 1),
                      panelWidth - 2 * POPUP_ENTRY_INSET, fontSize + 2);
    return r;
}

void LGLUI::increaseArrowBox(const tRect& field, bool hasDecrease, tRect& box) const {
    const int left = hasDecrease ? field.x2 + ARROW_GAP : field.x1 - ARROW_SPACE + ARROW_GAP;
    LGeom::setRect(box, left, field.y1 + 1, left + fontSize / 2 - 1, field.y2 - 1);
}

void LGLUI::decreaseArrowBox(const tRect& field, tRect& box) const {
    LGeom::setRect(box, field.x1 - fontSize / 2 - 1, field.y1 + 1, field.x1 - 1, field.y2 - 1);
}

std::string LGLUI::valueText(int i) const {
    if (i < 0 || i >= widgetCount)
        return std::string();
    const uiWidget& w = widgets[i];
    if (w.kind == LIST_BOX || w.kind == LIST_SPINNER) {
        // An index outside the list shows an empty field.
        const double v = std::trunc(w.value);
        if (v >= 0 && v < double(w.entries.size()))
            return w.entries[size_t(v)];
        return std::string();
    }
    if (w.kind == EDIT_TEXT)
        return w.text;
    if (w.kind != NUMBER_SPINNER)
        return std::string();
    char text[TEXT_BUFFER];
    if (w.step >= 1)
        std::snprintf(text, sizeof(text), "%i", int(std::round(w.value)));
    else
        std::snprintf(text, sizeof(text), "%g", w.value);
    return text;
}

void LGLUI::clearHitAreas() {
    for (uiWidget& w : widgets) {
        for (int k = 0; k < UI_MAX_HIT_RECTS; ++k) {
            LGeom::setRect(w.hitRects[k], 0, 0, -1, -1);
            w.hitCodes[k] = HIT_NONE;
        }
    }
}

void LGLUI::updatePanelHeight() {
    panelHeight =
        fontSize + (widgetCount - 1) * rowHeight + outerPad.y2 + titleHeight + outerPad.y1;
}

void LGLUI::recordFieldAreas(int i, bool leftArrow, bool rightArrow) {
    uiWidget& w = widgets[i];
    w.hitRects[0] = valueFieldRect(i);
    w.hitCodes[0] = HIT_MAIN;
    if (rightArrow) {
        increaseArrowBox(w.hitRects[0], leftArrow, w.hitRects[1]);
        w.hitCodes[1] = HIT_INCREASE;
    }
    if (leftArrow) {
        decreaseArrowBox(w.hitRects[0], w.hitRects[2]);
        w.hitCodes[2] = HIT_DECREASE;
    }
}

void LGLUI::recordPopupAreas(int i) {
    uiWidget& w = widgets[i];
    w.hitRects[0] = popupRect(i);
    w.hitCodes[0] = HIT_POPUP;
    const int n = int(w.entries.size());
    for (int j = 0; j < n && j + 1 < UI_MAX_HIT_RECTS; ++j) {
        w.hitRects[1 + j] = popupEntryRect(i, j);
        w.hitCodes[1 + j] = HIT_ENTRY + j;
    }
}

void LGLUI::recordHitAreas() {
    clearHitAreas();
    labelX = panelX + outerPad.x1;
    updatePanelHeight();
    for (int i = 0; i < widgetCount; ++i) {
        const bool focused = i == focusIndex;
        switch (widgets[i].kind) {
        case LIST_BOX:
            recordFieldAreas(i, false, focused);
            break;
        case LIST_SPINNER:
        case NUMBER_SPINNER:
            recordFieldAreas(i, focused, focused);
            break;
        case EDIT_TEXT:
            recordFieldAreas(i, false, false);
            break;
        case BUTTON:
            widgets[i].hitRects[0] = buttonRect(i);
            widgets[i].hitCodes[0] = HIT_MAIN;
            break;
        default:
            break;
        }
    }
    for (int i = 0; i < widgetCount; ++i)
        if (popupOpen(i))
            recordPopupAreas(i);
}

namespace {

void appendText(std::vector<int>& key, const std::string& text) {
    key.push_back(int(text.size()));
    for (const char c : text)
        key.push_back(static_cast<unsigned char>(c));
}

void appendDouble(std::vector<int>& key, double v) {
    int words[2];
    std::memcpy(words, &v, sizeof(words));
    key.insert(key.end(), words, words + 2);
}

} // namespace

void LGLUI::appearanceKey(std::vector<int>& key) const {
    key.clear();
    key.insert(key.end(),
               {visible ? 1 : 0, panelX,      panelY,      panelWidth,  panelHeight,
                labelColWidth,   fontSize,    rowHeight,   titleHeight, outerPad.x1,
                outerPad.y1,     outerPad.x2, outerPad.y2, fieldPad.x1, fieldPad.y1,
                fieldPad.x2,     fieldPad.y2, widgetCount, focusIndex,  activeState ? 1 : 0,
                clipTop});
    for (const double v :
         {opacity, paneColor.r, paneColor.g, paneColor.b, paneColor.a, fieldColor.r, fieldColor.g,
          fieldColor.b, fieldColor.a, labelColor[0], labelColor[1], labelColor[2]})
        appendDouble(key, v);
    for (int i = 0; i < widgetCount; ++i) {
        const uiWidget& w = widgets[i];
        key.push_back(w.kind);
        appendText(key, w.label);
        appendText(key, valueText(i));
        appendDouble(key, w.value);
        key.push_back(showsPressed(i) ? 1 : 0);
        key.push_back(popupOpen(i) ? 1 : 0);
        key.push_back(int(w.entries.size()));
        for (const std::string& e : w.entries)
            appendText(key, e);
    }
}

bool LGLUI::anyPopupOpen() const {
    for (int i = 0; i < widgetCount; ++i)
        if (popupOpen(i))
            return true;
    return false;
}
