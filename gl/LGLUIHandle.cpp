// Control panel input: clicks on the recorded areas, focus, keys and the
// held-press repeat.
#include <chrono>

#include "gl/LGLUI.h"

namespace {

const int kFirstPrintable = 32;
const int kLastAscii = 126;
const int kFirstHighPrintable = 160;

bool isPrintable(int c) {
    return (c >= kFirstPrintable && c <= kLastAscii) || (c >= kFirstHighPrintable && c <= 255);
}

}  // namespace

long long LGLUI::monotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

long long (*LGLUI::clockMs)() = LGLUI::monotonicMs;

bool LGLUI::isFocusable(int i) const {
    if (i < 0 || i >= widgetCount) return false;
    const int k = widgets[i].kind;
    return k >= kListBox && k <= kButton;
}

bool LGLUI::popupOpen(int i) const {
    return i >= 0 && i < widgetCount && widgets[i].kind == kListBox && activeState && i == focusIndex;
}

bool LGLUI::showsPressed(int i) const {
    return i >= 0 && i < widgetCount && widgets[i].kind == kButton && activeState && i == focusIndex &&
           clockMs() - pressTime <= kPressedLook;
}

bool LGLUI::repeatHeld() const {
    if (!visible || !mouseDown || focusIndex < 0 || focusIndex >= widgetCount) return false;
    const int k = widgets[focusIndex].kind;
    return (k == kNumberSpinner || k == kListSpinner) &&
           (clickedCode == kHitDecrease || clickedCode == kHitIncrease);
}

void LGLUI::endRepeat() {
    if (repeatHeld() && clickedCode == previousCode) clickedCode = -1;
}

bool LGLUI::hitTestWidgets(int x, int y, bool popupsOnly) {
    bool found = false;
    for (int i = 0; i < widgetCount; ++i) {
        const uiWidget& w = widgets[i];
        if ((w.hitCodes[0] == kHitPopup) != popupsOnly) continue;
        for (int k = 0; k < kUIMaxHitRects; ++k) {
            if (w.hitCodes[k] == kHitNone || !LGeom::pointInRect(x, y, w.hitRects[k])) continue;
            if (i != focusIndex) activeState = false;
            focusIndex = i;
            clickedCode = w.hitCodes[k];
            hasFocus = true;
            found = true;
        }
    }
    return found;
}

void LGLUI::handleMouseClick(int x, int y, bool button, bool pressed, bool& consumed) {
    (void)button;  // both buttons act alike
    mouseX = x;
    mouseY = y;
    if (!visible || widgetCount == 0) {
        hasFocus = false;
        return;
    }
    consumed = false;
    mouseDown = pressed;
    if (!pressed) clickedCode = -1;
    const bool inside = x >= panelX && x <= panelX + panelWidth && y >= panelY && y <= panelY + panelHeight;
    if (inside) consumed = true;
    if (pressed) hasFocus = inside;
    // An open pop-up lies over the rows below it: it is tested first.
    if (pressed && (hitTestWidgets(x, y, true) || hitTestWidgets(x, y, false))) consumed = true;
    if (hasFocus) {
        if (!pressed && selectionMade) activeState = selectionMade = false;
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
    if (!visible) return;
    keyUsed = false;
    valueChanged = false;
    const long long now = clockMs();
    if (clickedCode >= 0 && clickedCode == previousCode) {
        if (now - repeatTimer < repeatDelay) return;
        repeatTimer = now;
        repeatDelay = kRepeatDelay;
    }
    if (widgetCount == 0 || !hasFocus) return;
    // A button's pressed look ends by itself; it does not hold the focus.
    if (activeState && focusIndex < widgetCount && widgets[focusIndex].kind == kButton &&
        now - pressTime > kPressedLook)
        activeState = false;
    if (!activeState && (specialKey == kKeyUp || specialKey == kKeyDown)) {
        moveFocus(specialKey == kKeyUp ? -1 : 1);
        keyUsed = true;
    }
    if (focusIndex >= 0 && focusIndex < widgetCount) {
        uiWidget& w = widgets[focusIndex];
        switch (w.kind) {
            case kButton: handleButton(w); break;
            case kNumberSpinner: handleNumberSpinner(w); break;
            case kListBox: handleListBox(w); break;
            case kListSpinner: handleListSpinner(w); break;
            case kEditText: handleEditText(w); break;
            default: break;
        }
    }
    stdKey = 0;
    specialKey = 0;
    if (clickedCode != previousCode) {
        repeatTimer = now;
        repeatDelay = kFirstRepeatDelay;
        previousCode = clickedCode;
    }
}

void LGLUI::handleButton(uiWidget& w) {
    w.value = 0;
    if (stdKey == kKeyEnter || clickedCode == kHitMain) {
        w.value = 1;
        activeState = true;
        valueChanged = keyUsed = true;
        pressTime = clockMs();
    } else if (activeState && clockMs() - pressTime > kPressedLook) {
        activeState = false;
    }
}

void LGLUI::handleNumberSpinner(uiWidget& w) {
    if (specialKey == kKeyRight || clickedCode == kHitIncrease) {
        w.value += w.step;
        if (w.value > w.maxValue) w.value = w.maxValue;
        keyUsed = valueChanged = true;
    }
    if (specialKey == kKeyLeft || clickedCode == kHitDecrease) {
        w.value -= w.step;
        if (w.value < w.minValue) w.value = w.minValue;
        keyUsed = valueChanged = true;
    }
}

void LGLUI::handleListBox(uiWidget& w) {
    if (activeState && (specialKey == kKeyUp || specialKey == kKeyDown)) {
        stepDirection = specialKey == kKeyUp ? -1 : 1;
        keyUsed = true;
    }
    if (specialKey == kKeyRight || clickedCode == kHitIncrease) {
        activeState = true;
        keyUsed = true;
    }
    if (specialKey == kKeyLeft || stdKey == kKeyEnter) {
        activeState = false;
        keyUsed = true;
    }
    if (clickedCode >= kHitEntry) {
        w.value = clickedCode - kHitEntry;
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
    if (specialKey == kKeyRight || clickedCode == kHitIncrease) {
        w.value = w.value + 1 > last ? last : w.value + 1;
        keyUsed = valueChanged = true;
    }
    if (specialKey == kKeyLeft || clickedCode == kHitDecrease) {
        w.value = w.value - 1 < 0 ? 0 : w.value - 1;
        keyUsed = valueChanged = true;
    }
    if (w.value < 0) w.value = 0;
}

void LGLUI::handleEditText(uiWidget& w) {
    if (stdKey == kKeyBackspace && !w.text.empty()) {
        w.text.pop_back();
        keyUsed = valueChanged = true;
    } else if (isPrintable(stdKey)) {
        w.text.push_back(char(stdKey));
        keyUsed = valueChanged = true;
    }
}
