// The menu bar's tables, layout, mouse state machine and shortcut keys.
#include "gl/LGLMenu.h"

#include <GL/freeglut.h>

#include "core/LString.h"

namespace {

const char* const kDefaultFace = "Tahoma";
const double ITEM_PAD_FACTOR = 1.2;
const double TITLE_PAD_DIVISOR = 1.5;
// Control characters 1 ... 26 are Ctrl+A ... Ctrl+Z.
const int FIRST_CONTROL_CHAR = 1;
const int LAST_CONTROL_CHAR = 26;
const int CONTROL_TO_LETTER = 96;

int glutModifiers() {
    if (!glutGet(GLUT_INIT_STATE))
        return 0;
    return glutGetModifiers();
}

} // namespace

std::vector<menuColumn> LGLMenu::menus;
std::vector<std::string> LGLMenu::menuTitles;
std::vector<tRect> LGLMenu::titleRects;
int (*LGLMenu::modifierSource)() = glutModifiers;

LGLMenu::LGLMenu()
    : hoverTitle(-1), openMenu(-1), isOpen(false), visible(true), active(true), lastKey(0),
      lastSpecialKey(0), fontSize(0),
      rowHeight(0), itemPad{0, 0, 0, 0}, titlePad{0, 0, 0, 0}, barRect{0, 0, 0, 0},
      barColor{0, 0, 0}, listColor{0, 0, 0}, highlightColor{0, 0, 0}, textColor{0, 0, 0},
      highlightTextColor{0, 0, 0}, disabledTextColor{0, 0, 0} {}

LGLMenu::~LGLMenu() {}

void LGLMenu::clearTables() {
    menus.clear();
    menuTitles.clear();
    titleRects.clear();
}

void LGLMenu::initializeMetrics(int size, double rowFactor) {
    fontSize = size;
    rowHeight = int(size * rowFactor);
    LGeom::setRect(itemPad, size, 0, int(size * ITEM_PAD_FACTOR), 0);
    const int titleSpace = int(size / TITLE_PAD_DIVISOR);
    LGeom::setRect(titlePad, titleSpace, 0, titleSpace, 0);
    LGL::SetColor256(barColor, 242, 241, 236);
    LGL::SetColor(listColor, 1, 1, 1);
    LGL::SetColor256(highlightColor, 49, 106, 197);
    LGL::SetColor(textColor, 0, 0, 0);
    LGL::SetColor(highlightTextColor, 1, 1, 1);
    LGL::SetColor256(disabledTextColor, 172, 168, 153);
}

void LGLMenu::initialize(std::string fontName, int size, double rowFactor) {
    initializeMetrics(size, rowFactor);
    const std::string face = fontName.empty() ? kDefaultFace : fontName;
    font.create(LGLGetCurrentDC(), face.c_str(), size, 0, 0);
    font.setColor_rp(0, 0, 0);
}

int LGLMenu::textWidth(const std::string& text) {
    return font.pixWidthOf(text);
}

void LGLMenu::addMenu(std::string title) {
    tRect r;
    const int x1 = titleRects.empty() ? 0 : titleRects.back().x2 + 1;
    LGeom::setRect(r, x1, 1, x1 + textWidth(title) + titlePad.x1 + titlePad.x2, rowHeight - 1);
    menuColumn column;
    column.title = title;
    LGeom::setRect(column.dropRect, 0, 0, 0, 0);
    column.highlighted = -1;
    column.shortcutX = 0;
    menus.push_back(column);
    menuTitles.push_back(title);
    titleRects.push_back(r);
}

void LGLMenu::addItem(std::string label, void (*action)()) {
    if (label.empty() || menus.empty())
        return;
    menuItem item;
    parseShortcut(label, item);
    item.action = action;
    item.enabled = !(!item.label.empty() && item.label[0] == '-') && action != nullptr;
    item.checked = false;
    menus.back().items.push_back(item);
    layoutLastMenu();
}

void LGLMenu::layoutLastMenu() {
    menuColumn& m = menus.back();
    int widest = 0;
    int widestShortcut = 0;
    for (const menuItem& it : m.items) {
        const int l = textWidth(it.label);
        const int s = textWidth(it.shortcutText);
        if (l > widest)
            widest = l;
        if (s > widestShortcut)
            widestShortcut = s;
    }
    int content = widest;
    m.shortcutX = 0;
    if (widestShortcut > 0) {
        content = widest + itemPad.x1 + widestShortcut;
        m.shortcutX = itemPad.x1 + widest;
    }
    LGeom::setRectExt(m.dropRect, titleRects.back().x1 + 1, rowHeight - 1,
                      content + itemPad.x1 + itemPad.x2, rowHeight * int(m.items.size()) + 2);
}

void LGLMenu::enableMenuItem(int menu, int item, bool enabled) {
    if (menu < 0 || menu >= int(menus.size()))
        return;
    if (item < 0 || item >= int(menus[menu].items.size()))
        return;
    menus[menu].items[item].enabled = enabled;
}

void LGLMenu::checkMenuItem(int menu, int item, bool checked) {
    if (menu < 0 || menu >= int(menus.size()))
        return;
    if (item < 0 || item >= int(menus[menu].items.size()))
        return;
    menus[menu].items[item].checked = checked;
}

void LGLMenu::resetState() {
    hoverTitle = -1;
    openMenu = -1;
    isOpen = false;
}

void LGLMenu::handleMousePassiveMotion(int x, int y) {
    if (!visible || !active)
        return;
    if (!isOpen && y > rowHeight) {
        hoverTitle = -1;
        return;
    }
    for (size_t i = 0; i < titleRects.size(); ++i) {
        if (LGeom::pointInRect(x, y, titleRects[i])) {
            hoverTitle = int(i);
            if (isOpen)
                openMenu = int(i);
            return;
        }
    }
    if (!isOpen) {
        // Along the bar but past every title: no title is under the mouse.
        hoverTitle = -1;
        return;
    }
    if (openMenu < 0 || openMenu >= int(menus.size()))
        return;
    menuColumn& m = menus[openMenu];
    m.highlighted = -1;
    if (x < m.dropRect.x1 || x > m.dropRect.x2)
        return;
    for (int j = 0; j < int(m.items.size()); ++j) {
        const int top = m.dropRect.y1 + j * rowHeight + 1;
        const int bottom = m.dropRect.y1 + (j + 1) * rowHeight - 1;
        if (y >= top && y <= bottom)
            m.highlighted = j;
    }
}

void LGLMenu::handleMenuMouseClick(int x, int y, bool button, bool pressed, bool& consumed) {
    (void)button; // either button opens and chooses alike
    if (!visible || !active)
        return;
    consumed = false;
    if (!pressed)
        return;
    if (!isOpen) {
        for (size_t i = 0; i < titleRects.size(); ++i) {
            if (LGeom::pointInRect(x, y, titleRects[i])) {
                hoverTitle = openMenu = int(i);
                isOpen = true;
                consumed = true;
                return;
            }
        }
        resetState();
        return;
    }
    const int menu = openMenu;
    tMenuAction action = nullptr;
    if (menu >= 0 && menu < int(menus.size())) {
        const menuColumn& m = menus[menu];
        // A disabled item (and a separator) is not run by a click either.
        if (m.highlighted >= 0 && m.highlighted < int(m.items.size()) &&
            m.items[m.highlighted].enabled)
            action = m.items[m.highlighted].action;
    }
    if (action)
        action();
    if (menu >= 0 && menu < int(menus.size()))
        menus[menu].highlighted = -1;
    consumed = true;
    resetState();
}

void LGLMenu::dispatchKey(int key, bool special, int modifiers) {
    for (size_t i = 0; i < menus.size(); ++i) {
        for (size_t j = 0; j < menus[i].items.size(); ++j) {
            const menuItem& it = menus[i].items[j];
            if (it.enabled && it.isSpecialKey == special && it.key != 0 && int(it.key) == key &&
                it.modifiers == modifiers && it.action) {
                it.action();
            }
        }
    }
}

void LGLMenu::handleStandardKeys(unsigned char key) {
    if (!visible || menus.empty())
        return;
    int m = modifierSource ? modifierSource() : 0;
    if (m == SHIFT)
        m = 0; // a shifted character arrives shifted already
    int k = key;
    if ((m & CTRL) != 0 && k >= FIRST_CONTROL_CHAR && k <= LAST_CONTROL_CHAR)
        k += CONTROL_TO_LETTER;
    dispatchKey(k, false, m);
    lastKey = k;
}

void LGLMenu::handleSpecialKeys(int key) {
    if (!visible || menus.empty())
        return;
    const int m = modifierSource ? modifierSource() : 0;
    dispatchKey(key, true, m);
    lastSpecialKey = key;
}

void LGLMenu::handle() {}

void LGLMenu::dispose() {}
