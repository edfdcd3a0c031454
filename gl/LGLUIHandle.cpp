// Control panel input: clicks on the recorded areas, focus, keys and the
// held-press repeat.
#include <chrono>

#include "gl/LGLUI.h"

namespace {

const int FIRST_PRINTABLE = 32;
const int LAST_ASCII = 126;
const int FIRST_HIGH_PRINTABLE = 160;

bool isPrintable(int c) {
    return (c >= FIRST_PRINTABLE && c <= LAST_ASCII) || (c >= FIRST_HIGH_PRINTABLE && c <= 255);
}

} // namespace

long long LGLUI::monotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

long long (*LGLUI::clockMs)() = LGLUI::monotonicMs;

bool LGLUI::isFocusable(int i) const {
    if (i < 0 || i >= widgetCount)
        return false;
    const int k = widgets[i].kind;
    return k >= LIST_BOX && k <= BUTTON;
}

bool LGLUI::popupOpen(int i) const {
    return i >= 0 && i < widgetCount && widgets[i].kind == LIST_BOX && activeState &&
           i == focusIndex;
}

bool LGLUI::showsPressed(int i) const {
    return i >= 0 && i < widgetCount && widgets[i].kind == BUTTON && activeState &&
           i == focusIndex && clockMs() - pressTime <= PRESSED_LOOK;
}

bool LGLUI::repeatHeld() const {
    if (!visible || !mouseDown || focusIndex < 0 || focusIndex >= widgetCount)
        return false;
    const int k = widgets[focusIndex].kind;
    return (k == NUMBER_SPINNER || k == LIST_SPINNER) &&
           (clickedCode == HIT_DECREASE || clickedCode == HIT_INCREASE);
}

void LGLUI::endRepeat() {
    if (repeatHeld() && clickedCode == previousCode)
        clickedCode = -1;
}

bool LGLUI::hitTestWidgets(int x, int y, bool popupsOnly) {
    bool found = false;
    for (int i = 0; i < widgetCount; ++i) {
        const uiWidget& w = widgets[i];
        if ((w.hitCodes[0] == HIT_POPUP) != popupsOnly)
            continue;
        for (int k = 0; k < UI_MAX_HIT_RECTS; ++k) {
            if (w.hitCodes[k] == HIT_NONE || !LGeom::pointInRect(x, y, w.hitRects[k]))
                continue;
            if (i != focusIndex)
                activeState = false;
            focusIndex = i;
            clickedCode = w.hitCodes[k];
            hasFocus = true;
            found = true;
        }
    }
    return found;
}

void LGLUI::handleMouseClick(int x, int y, bool button, bool pressed, bool& consumed) {
    (void)button; // both buttons act alike
    mouseX = x;
    mouseY = y;
    if (!visible || widgetCount == 0) {
        hasFocus = false;
        return;
    }
    consumed = false;
    mouseDown = pressed;
    if (!pressed)
        clickedCode = -1;
    const bool reachable = y >= clipTop;
    const bool inside = reachable && x >= panelX && x <= panelX + panelWidth && y >= panelY &&
                        y <= panelY + panelHeight;
    if (inside)
        consumed = true;
    if (pressed)
        hasFocus = inside;
    // An open pop-up lies over the rows below it: it is tested first.
    if (pressed && reachable && (hitTestWidgets(x, y, true) || hitTestWidgets(x, y, false)))
        consumed = true;
    if (hasFocus) {
        if (!pressed && selectionMade)
            activeState = selectionMade = false;
    } else {
        activeState = selectionMade = false;
    }
    clearHitAreas();
}

void LGLUI::moveFocus(int direction) {
    for (int n = 1; n <= widgetCount; ++n) {
        const int i = ((focusIndex + direction * n) % widgetCount + widgetCount) % widgetCount;
        if (isFocusable(i)) {
            focusIndex = i;
            return;
        }
    }
}

void LGLUI::handle() {
    if (!visible)
        return;
    keyUsed = false;
    valueChanged = false;
    const long long now = clockMs();
    if (clickedCode >= 0 && clickedCode == previousCode) {
        if (now - repeatTimer < repeatDelay)
            return;
        repeatTimer = now;
        repeatDelay = REPEAT_DELAY;
    }
    if (widgetCount == 0 || !hasFocus)
        return;
    // A button's pressed look ends by itself; it does not hold the focus.
    if (activeState && focusIndex < widgetCount && widgets[focusIndex].kind == BUTTON &&
        now - pressTime > PRESSED_LOOK)
        activeState = false;
    if (!activeState && (specialKey == KEY_UP || specialKey == KEY_DOWN)) {
        moveFocus(specialKey == KEY_UP ? -1 : 1);
        keyUsed = true;
    }
    if (focusIndex >= 0 && focusIndex < widgetCount) {
        uiWidget& w = widgets[focusIndex];
        switch (w.kind) {
        case BUTTON:
            handleButton(w);
            break;
        case NUMBER_SPINNER:
            handleNumberSpinner(w);
            break;
        case LIST_BOX:
            handleListBox(w);
            break;
        case LIST_SPINNER:
            handleListSpinner(w);
            break;
        case EDIT_TEXT:
            handleEditText(w);
            break;
        default:
            break;
        }
    }
    stdKey = 0;
    specialKey = 0;
    if (clickedCode != previousCode) {
        repeatTimer = now;
        repeatDelay = FIRST_REPEAT_DELAY;
        previousCode = clickedCode;
    }
}

void LGLUI::handleButton(uiWidget& w) {
    w.value = 0;
    if (stdKey == KEY_ENTER || clickedCode == HIT_MAIN) {
        w.value = 1;
        activeState = true;
        valueChanged = keyUsed = true;
        pressTime = clockMs();
    } else if (activeState && clockMs() - pressTime > PRESSED_LOOK) {
        activeState = false;
    }
}

void LGLUI::handleNumberSpinner(uiWidget& w) {
    if (specialKey == KEY_RIGHT || clickedCode == HIT_INCREASE) {
        w.value += w.step;
        if (w.value > w.maxValue)
            w.value = w.maxValue;
        keyUsed = valueChanged = true;
    }
    if (specialKey == KEY_LEFT || clickedCode == HIT_DECREASE) {
        w.value -= w.step;
        if (w.value < w.minValue)
            w.value = w.minValue;
        keyUsed = valueChanged = true;
    }
}

void LGLUI::handleListBox(uiWidget& w) {
    if (activeState && (specialKey == KEY_UP || specialKey == KEY_DOWN)) {
        stepDirection = specialKey == KEY_UP ? -1 : 1;
        keyUsed = true;
    }
    if (specialKey == KEY_RIGHT || clickedCode == HIT_INCREASE) {
        activeState = true;
        keyUsed = true;
    }
    if (specialKey == KEY_LEFT || stdKey == KEY_ENTER) {
        activeState = false;
        keyUsed = true;
    }
    if (clickedCode >= HIT_ENTRY) {
        w.value = clickedCode - HIT_ENTRY;
        selectionMade = true;
        valueChanged = true;
    }
    const double last = double(w.entries.size()) - 1;
    if (stepDirection > 0) {
        w.value = w.value + 1 > last ? last : w.value + 1;
        valueChanged = true;
    } else if (stepDirection < 0) {
        w.value = w.value - 1 < 0 ? 0 : w.value - 1;
        valueChanged = true;
    }
    stepDirection = 0;
}

void LGLUI::handleListSpinner(uiWidget& w) {
    const double last = double(w.entries.size()) - 1;
    if (specialKey == KEY_RIGHT || clickedCode == HIT_INCREASE) {
        w.value = w.value + 1 > last ? last : w.value + 1;
        keyUsed = valueChanged = true;
    }
    if (specialKey == KEY_LEFT || clickedCode == HIT_DECREASE) {
        w.value = w.value - 1 < 0 ? 0 : w.value - 1;
        keyUsed = valueChanged = true;
    }
    if (w.value < 0)
        w.value = 0;
}

void LGLUI::handleEditText(uiWidget& w) {
    if (stdKey == KEY_BACKSPACE && !w.text.empty()) {
        w.text.pop_back();
        keyUsed = valueChanged = true;
    } else if (isPrintable(stdKey)) {
        w.text.push_back(char(stdKey));
        keyUsed = valueChanged = true;
    }
}
