// Control panel: widgets, values, keys and the panel's dimensions.
#include "gl/LGLUI.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/LString.h"

namespace {

const char* const kPanelFace = "Arial";
const int DEFAULT_FONT_SIZE = 16;
const int TITLE_HEIGHT = 16;
const double DEFAULT_ROW_FACTOR = 1.5;
const double BUTTON_LABEL_FACTOR = 1.2;
const double PANEL_MARGIN_FACTOR = 1.5;
// Entry j of a pop-up list is recorded as hit area 1 + j.
const int MAX_ENTRIES = UI_MAX_HIT_RECTS - 1;

const LGLUI::tColor PANE_COLOR = {0.9, 0.9, 0.9, 0.8};
const LGLUI::tColor FIELD_COLOR = {1.0, 1.0, 1.0, 0.8};

bool hasIntValue(int kind) {
    return kind == LGLUI::LIST_BOX || kind == LGLUI::LIST_SPINNER ||
           kind == LGLUI::NUMBER_SPINNER || kind == LGLUI::BUTTON;
}

int toInt(double v) {
    if (!(v == v))
        return 0;
    if (v >= double(INT_MAX))
        return INT_MAX;
    if (v <= double(INT_MIN))
        return INT_MIN;
    return int(v);
}

void copyEntries(const std::vector<std::string>& from, uiWidget& w) {
    w.entries = from;
    if (int(w.entries.size()) > MAX_ENTRIES) {
        std::printf("LGLUI> a list holds at most %d entries, \"%s\" keeps the first ones\n",
                    MAX_ENTRIES, w.label.c_str());
        w.entries.resize(MAX_ENTRIES);
    }
}

} // namespace

LGLUI::LGLUI()
    : visible(true), hasFocus(false), option(0), keyUsed(false), valueChanged(false), opacity(1.0),
      paneColor(PANE_COLOR), fieldColor(FIELD_COLOR), labelColor{0.0, 0.0, 0.0}, stdKey(0),
      specialKey(0), clickedCode(-1), previousCode(-2), repeatDelay(0), panelX(0), panelY(0),
      clipTop(0), labelColWidth(0), panelWidth(0), panelHeight(0), labelX(0), labelY(0),
      fontSize(DEFAULT_FONT_SIZE),
      rowHeight(DEFAULT_FONT_SIZE), outerPad{DEFAULT_FONT_SIZE / 2, DEFAULT_FONT_SIZE / 2,
                                             DEFAULT_FONT_SIZE / 2, DEFAULT_FONT_SIZE / 2},
      fieldPad{DEFAULT_FONT_SIZE / 4, 2, DEFAULT_FONT_SIZE / 4, 2}, titleRect{0, 0, 0, 0},
      closeRect{0, 0, 0, 0}, titleHeight(0), mouseDown(false), selectionMade(false), pressTime(0),
      repeatTimer(0), widgetCount(0), focusIndex(0), stepDirection(0), activeState(false),
      mouseX(0), mouseY(0) {
    for (uiWidget& w : widgets) {
        w.kind = 0;
        w.value = w.minValue = w.maxValue = w.step = 0.0;
        w.fieldWidth = 0;
    }
    clearHitAreas();
}

LGLUI::~LGLUI() {}

void LGLUI::initializeLayout(int x, int y, int size, double rowFactor, char opt) {
    panelX = x;
    panelY = y;
    fontSize = size;
    option = opt;
    rowHeight = rowFactor == 0.0 ? int(size * DEFAULT_ROW_FACTOR + 0.5) : int(size * rowFactor);
    LGeom::setRect(outerPad, fontSize / 2, rowHeight / 2, fontSize / 2, rowHeight / 2);
    LGeom::setRect(fieldPad, fontSize / 4, 2, fontSize / 4, 2);
    titleHeight = TITLE_HEIGHT;
    updateUIDimension();
    clearHitAreas();
}

void LGLUI::initialize(int x, int y, int size, double rowFactor, char opt) {
    font.create(LGLGetCurrentDC(), kPanelFace, size, 0, 0);
    font.setColor_rp(float(labelColor[0]), float(labelColor[1]), float(labelColor[2]));
    initializeLayout(x, y, size, rowFactor, opt);
}

int LGLUI::textWidth(const std::string& text) {
    return font.pixWidthOf(text);
}

int LGLUI::addWidget(int kind, const std::string& label) {
    if (widgetCount >= UI_MAX_WIDGETS) {
        std::printf("LGLUI> a panel holds at most %d widgets, \"%s\" left out\n", UI_MAX_WIDGETS,
                    label.c_str());
        return -1;
    }
    uiWidget& w = widgets[widgetCount];
    w.kind = kind;
    w.label = label;
    w.entries.clear();
    w.value = w.minValue = w.maxValue = w.step = 0.0;
    w.text.clear();
    w.fieldWidth = 0;
    for (int k = 0; k < UI_MAX_HIT_RECTS; ++k) {
        LGeom::setRect(w.hitRects[k], 0, 0, -1, -1);
        w.hitCodes[k] = HIT_NONE;
    }
    return widgetCount++;
}

int LGLUI::addButton(std::string label) {
    const int id = addWidget(BUTTON, label);
    if (id >= 0)
        updateUIDimension();
    return id;
}

int LGLUI::addNumberSpinner(std::string label, double minValue, double maxValue, double step,
                            double initial) {
    const int id = addWidget(NUMBER_SPINNER, label);
    if (id < 0)
        return id;
    uiWidget& w = widgets[id];
    w.minValue = minValue;
    w.maxValue = maxValue;
    w.step = step;
    w.value = initial;
    if (initial < minValue)
        w.value = minValue;
    if (initial > maxValue)
        w.value = maxValue;
    return id;
}

int LGLUI::addList(int kind, const std::string& label, const std::vector<std::string>& entries,
                   int initial) {
    const int id = addWidget(kind, label);
    if (id < 0)
        return id;
    copyEntries(entries, widgets[id]);
    widgets[id].value = initial;
    updateUIDimension();
    return id;
}

int LGLUI::addListBox(std::string label, std::vector<std::string>& entries, int initial) {
    return addList(LIST_BOX, label, entries, initial);
}

int LGLUI::addListSpinner(std::string label, std::vector<std::string>& entries, int initial) {
    return addList(LIST_SPINNER, label, entries, initial);
}

int LGLUI::addEditText(std::string label, std::string text, int fieldWidth) {
    const int id = addWidget(EDIT_TEXT, label);
    if (id < 0)
        return id;
    widgets[id].text = text;
    widgets[id].fieldWidth = fieldWidth;
    updateUIDimension();
    return id;
}

void LGLUI::addSeparator() {
    if (addWidget(SEPARATOR, "") >= 0)
        updateUIDimension();
}

void LGLUI::addBlankSpace() {
    addWidget(BLANK_SPACE, "");
}

void LGLUI::getUIInt(int id, int& out) {
    if (id < 0 || id >= widgetCount)
        return;
    const uiWidget& w = widgets[id];
    out = hasIntValue(w.kind) ? toInt(w.value) : 0;
}

void LGLUI::setUIInt(int id, int v) {
    if (id < 0 || id >= widgetCount)
        return;
    uiWidget& w = widgets[id];
    w.value = hasIntValue(w.kind) ? v : 0;
}

void LGLUI::getUIString(int id, std::string& out) {
    if (id < 0 || id >= widgetCount)
        return;
    out = widgets[id].kind == EDIT_TEXT ? widgets[id].text : valueText(id);
}

void LGLUI::setUIString(int id, std::string text) {
    if (id < 0 || id >= widgetCount)
        return;
    uiWidget& w = widgets[id];
    if (w.kind == EDIT_TEXT)
        w.text = text;
    if (w.kind != LIST_BOX && w.kind != LIST_SPINNER)
        return;
    for (size_t j = 0; j < w.entries.size(); ++j)
        if (w.entries[j] == text)
            w.value = double(j);
}

void LGLUI::setUIStepValue(int id, double step) {
    if (id < 0 || id >= widgetCount)
        return;
    widgets[id].step = step;
}

void LGLUI::registerStandardKeys(unsigned char key) {
    if (visible && widgetCount > 0 && hasFocus)
        stdKey = key;
}

void LGLUI::registerSpecialKeys(int key) {
    if (visible && widgetCount > 0 && hasFocus)
        specialKey = key;
}

void LGLUI::dispose() {
    for (uiWidget& w : widgets)
        w.entries.clear();
    widgetCount = 0;
    focusIndex = 0;
    activeState = false;
}

void LGLUI::updateUIDimension() {
    int widestLabel = 0;
    int widestField = 0;
    for (int i = 0; i < widgetCount; ++i) {
        const uiWidget& w = widgets[i];
        int l = 0;
        int f = 0;
        if (w.kind >= LIST_BOX && w.kind <= EDIT_TEXT)
            l = textWidth(w.label);
        if (w.kind == BUTTON)
            l = int(textWidth(w.label) * BUTTON_LABEL_FACTOR);
        if (w.kind == LIST_BOX || w.kind == LIST_SPINNER)
            for (const std::string& e : w.entries)
                f = std::max(f, textWidth(e));
        if (w.kind == NUMBER_SPINNER)
            f = textWidth(LString::itoa(toInt(w.maxValue)));
        if (w.kind == EDIT_TEXT)
            f = std::max(textWidth(w.text), w.fieldWidth);
        widestLabel = std::max(widestLabel, l);
        widestField = std::max(widestField, f);
    }
    labelColWidth = widestLabel + 2 * fontSize;
    panelWidth = int(labelColWidth + widestField + fontSize * PANEL_MARGIN_FACTOR);
    LGeom::setRectExt(titleRect, panelX, panelY, panelWidth, titleHeight);
    LGeom::setRectExt(closeRect, panelX + panelWidth - titleHeight + 1, panelY + 1, titleHeight - 2,
                      titleHeight - 2);
}
