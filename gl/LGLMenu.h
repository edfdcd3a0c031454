#ifndef OVLIB_GL_LGLMENU_H
#define OVLIB_GL_LGLMENU_H

#include <string>
#include <vector>

#include "core/LGeom.h"
#include "gl/GlApi.h"
#include "gl/LGL.h"
#include "gl/LGLFont.h"

// An action run by a menu item.
typedef void (*tMenuAction)();

// One row of a drop-down list.
struct menuItem {
    std::string label;        // shown text, shortcut removed; "-..." = separator
    std::string shortcutText; // as shown in the right-hand column, or ""
    tMenuAction action;       // may be null
    bool enabled;
    bool checked;
    bool isSpecialKey; // key is a GLUT special-key code
    unsigned char key; // 0: no key
    int modifiers;     // GLUT bits: 1 shift, 2 ctrl, 4 alt
};

// One menu of the bar.
struct menuColumn {
    std::string title;
    std::vector<menuItem> items;
    tRect dropRect;  // the drop-down list's area
    int highlighted; // item under the mouse, -1 for none
    int shortcutX;   // start of the shortcut column from the labels' start
};

// A desktop-style menu bar across the top of the window. The menus, their
// titles and the titles' rectangles are tables of the toolkit shared by
// every LGLMenu object: the program has exactly one menu bar.
class OVLIB_GL_API LGLMenu {
  public:
    // GLUT modifier bits and key codes the menu bar reads.
    static constexpr int SHIFT = 1;
    static constexpr int CTRL = 2;
    static constexpr int ALT = 4;

    int hoverTitle;
    int openMenu;
    bool isOpen;
    bool visible;
    bool active;
    LGLFont font;
    int lastKey;
    int lastSpecialKey;
    int fontSize;
    int rowHeight;
    tRect itemPad;
    tRect titlePad;
    tRect barRect;
    LGL::tGLRGB barColor;
    LGL::tGLRGB listColor;
    LGL::tGLRGB highlightColor;
    LGL::tGLRGB textColor;
    LGL::tGLRGB highlightTextColor;
    LGL::tGLRGB disabledTextColor;

    // The shared tables.
    static std::vector<menuColumn> menus;
    static std::vector<std::string> menuTitles;
    static std::vector<tRect> titleRects;

    // Where the key handlers read the modifier state; GLUT's by default.
    // Tests put their own function here.
    static int (*modifierSource)();

    LGLMenu();
    ~LGLMenu();

    // Sets sizes and colours and creates the font ("Tahoma" for an empty
    // name); the window's OpenGL context must be current.
    void initialize(std::string fontName, int fontSize, double rowFactor);
    // The part of initialize that needs no OpenGL context: sizes and colours.
    void initializeMetrics(int fontSize, double rowFactor);

    void addMenu(std::string title);
    void addItem(std::string label, void (*action)());
    void enableMenuItem(int menu, int item, bool enabled);
    void checkMenuItem(int menu, int item, bool checked);

    void render();
    void handleStandardKeys(unsigned char key);
    void handleSpecialKeys(int key);
    void handleMenuMouseClick(int x, int y, bool button, bool pressed, bool& consumed);
    void handleMousePassiveMotion(int x, int y);
    void handle();
    void dispose();

    // Reads a bracketed shortcut out of an item label into the item's label,
    // shortcutText, key, isSpecialKey and modifiers.
    static void parseShortcut(const std::string& source, menuItem& item);
    // Empties the shared tables (for a program that rebuilds its bar).
    static void clearTables();

  private:
    int textWidth(const std::string& text);
    void layoutLastMenu();
    void resetState();
    void dispatchKey(int key, bool special, int modifiers);
    int baselineOffset() const;
    void renderBar(int windowWidth);
    void renderTitles();
    void renderList();
    void renderListFrame(const tRect& r);
    void renderItems(const menuColumn& menu);
};

#endif
