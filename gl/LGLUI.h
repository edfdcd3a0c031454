#ifndef OVLIB_GL_LGLUI_H
#define OVLIB_GL_LGLUI_H

#include <string>
#include <vector>

#include "core/LGeom.h"
#include "gl/GlApi.h"
#include "gl/LGLFont.h"

// Limits of a panel.
constexpr int UI_MAX_WIDGETS = 50;
constexpr int UI_MAX_HIT_RECTS = 200;

// One row of a control panel.
struct uiWidget {
    int kind;
    std::string label;
    std::vector<std::string> entries; // choices of a list box / list spinner
    double value;                     // chosen index, spinner number, or a button's 1 = pressed
    double minValue;
    double maxValue;
    double step;
    std::string text; // edit text
    int fieldWidth;   // edit text
    tRect hitRects[UI_MAX_HIT_RECTS];
    int hitCodes[UI_MAX_HIT_RECTS];
};

// A small floating control panel: a title strip, then one row per widget,
// a label on the left and a value field on the right. The renderer records
// the clickable areas; a mouse press tests them.
class OVLIB_GL_API LGLUI {
  public:
    // Widget kinds.
    static constexpr int LIST_BOX = 1;
    static constexpr int LIST_SPINNER = 2;
    static constexpr int NUMBER_SPINNER = 3;
    static constexpr int EDIT_TEXT = 4;
    static constexpr int BUTTON = 5;
    static constexpr int SEPARATOR = 6;
    static constexpr int BLANK_SPACE = 7;

    // Hit codes.
    static constexpr int HIT_MAIN = 0;
    static constexpr int HIT_DECREASE = 1;
    static constexpr int HIT_INCREASE = 2;
    static constexpr int HIT_POPUP = 4;
    static constexpr int HIT_ENTRY = 10; // + entry index
    static constexpr int HIT_NONE = -1;  // a cleared area

    // Keys (GLUT special-key codes and characters).
    static constexpr int KEY_LEFT = 100;
    static constexpr int KEY_UP = 101;
    static constexpr int KEY_RIGHT = 102;
    static constexpr int KEY_DOWN = 103;
    static constexpr int KEY_ENTER = 13;
    static constexpr int KEY_BACKSPACE = 8;

    // Held-press repeat and pressed look, in milliseconds.
    static constexpr int FIRST_REPEAT_DELAY = 400;
    static constexpr int REPEAT_DELAY = 50;
    static constexpr int PRESSED_LOOK = 100;

    struct tColor {
        double r;
        double g;
        double b;
        double a;
    };

    uiWidget widgets[UI_MAX_WIDGETS];
    bool visible;
    bool hasFocus;
    char option;
    bool keyUsed;
    bool valueChanged;
    double opacity;
    tColor paneColor;
    tColor fieldColor;
    double labelColor[3];
    int stdKey;
    int specialKey;
    int clickedCode;
    int previousCode;
    int repeatDelay;
    int panelX, panelY;
    // Nothing of the panel is drawn above this window row, nor takes a
    // click there: a scrolled panel slides under what stands above it
    // (0: no limit).
    int clipTop;
    int labelColWidth;
    int panelWidth, panelHeight;
    int labelX, labelY;
    int fontSize;
    int rowHeight;
    tRect outerPad;
    tRect fieldPad;
    tRect titleRect;
    tRect closeRect;
    int titleHeight;
    bool mouseDown;
    bool selectionMade;
    long long pressTime; // milliseconds of the monotonic clock
    long long repeatTimer;
    int widgetCount;
    int focusIndex;
    int stepDirection;
    bool activeState;
    LGLFont font;
    // The last mouse position handed to handleMouseClick (window pixels).
    int mouseX, mouseY;

    // The clock of the repeat and the pressed look: milliseconds of a
    // monotonic wall clock by default. Tests put their own function here.
    static long long (*clockMs)();
    static long long monotonicMs();

    LGLUI();
    ~LGLUI();

    // Places the panel and creates its font ("Arial"); the window's OpenGL
    // context must be current.
    void initialize(int x, int y, int fontSize, double rowFactor, char option);
    // The part of initialize that needs no OpenGL context.
    void initializeLayout(int x, int y, int fontSize, double rowFactor, char option);

    // Each returns the widget's id, or -1 (with one line on standard
    // output) when the panel is full.
    int addButton(std::string label);
    int addNumberSpinner(std::string label, double minValue, double maxValue, double step,
                         double initial);
    int addListBox(std::string label, std::vector<std::string>& entries, int initial);
    int addListSpinner(std::string label, std::vector<std::string>& entries, int initial);
    int addEditText(std::string label, std::string text, int fieldWidth);
    void addSeparator();
    void addBlankSpace();

    void getUIInt(int id, int& out);
    void setUIInt(int id, int v);
    void getUIString(int id, std::string& out);
    void setUIString(int id, std::string text);
    void setUIStepValue(int id, double step);

    void registerStandardKeys(unsigned char key);
    void registerSpecialKeys(int key);
    void handleMouseClick(int x, int y, bool button, bool pressed, bool& consumed);
    void handle();
    void render();
    void updateUIDimension();
    void dispose();

    // Geometry of row i (also used by the renderer).
    int rowTop(int i) const;
    int rowBaseline(int i) const;
    tRect valueFieldRect(int i) const;
    tRect buttonRect(int i) const;
    tRect popupRect(int i) const;
    tRect popupEntryRect(int i, int j) const;
    void increaseArrowBox(const tRect& field, bool hasDecrease, tRect& box) const;
    void decreaseArrowBox(const tRect& field, tRect& box) const;
    // Text shown in a widget's value field.
    std::string valueText(int i) const;
    // Whether row i is a focusable widget / shows arrows / shows its pop-up.
    bool isFocusable(int i) const;
    bool popupOpen(int i) const;
    bool showsPressed(int i) const;
    // Whether the mouse holds down an arrow of a spinner, which steps again
    // after FIRST_REPEAT_DELAY and then every REPEAT_DELAY milliseconds, as
    // long as handle() keeps being called.
    bool repeatHeld() const;
    // To be called when the mouse button goes up, before the release is
    // handled: an arrow press already acted on ends there, so that a slow
    // frame between press and release never turns a click into a repeat.
    void endRepeat();

    // Records every widget's hit areas exactly as render() does, without
    // drawing; render() calls it.
    void recordHitAreas();
    void clearHitAreas();
    // Computes panelHeight for the current widget count.
    void updatePanelHeight();
    // Everything render() draws from, written as numbers: two renders with
    // the same key (and the same window size) draw the same pixels.
    void appearanceKey(std::vector<int>& key) const;
    // Whether a list box's pop-up is open (it reaches beyond the panel).
    bool anyPopupOpen() const;

  private:
    int addWidget(int kind, const std::string& label);
    int addList(int kind, const std::string& label, const std::vector<std::string>& entries,
                int initial);
    int textWidth(const std::string& text);
    void moveFocus(int direction);
    void handleButton(uiWidget& w);
    void handleNumberSpinner(uiWidget& w);
    void handleListBox(uiWidget& w);
    void handleListSpinner(uiWidget& w);
    void handleEditText(uiWidget& w);
    void recordFieldAreas(int i, bool leftArrow, bool rightArrow);
    void recordPopupAreas(int i);
    bool hitTestWidgets(int x, int y, bool popupsOnly);
    void renderPane(const tRect& r, double alpha);
    void renderTitle();
    void renderWidget(int i);
    void renderValueField(int i, bool leftArrow, bool rightArrow);
    void renderArrow(const tRect& box, bool pointsRight);
    void renderButton(int i);
    void renderSeparator(int i);
    void renderPopup(int i);
    void writeLabel(int i);
    void setColor(double r, double g, double b, double a);
};

#endif
