// The menu bar without a window: layout, key dispatch, mouse state machine.
#include <gtest/gtest.h>

#include "FakeFont.h"
#include "gl/LGLMenu.h"

namespace {

int fakeModifiers = 0;
int readFakeModifiers() {
    return fakeModifiers;
}

int runsNew = 0, runsOpen = 0, runsRun = 0, runsStep = 0, runsOther = 0;
void actNew() {
    ++runsNew;
}
void actOpen() {
    ++runsOpen;
}
void actRun() {
    ++runsRun;
}
void actStep() {
    ++runsStep;
}
void actOther() {
    ++runsOther;
}

// Every character is 8 pixels wide; font size 16, row factor 1.4: rows of
// 22 pixels, items indented by 16 with 19 more on the right, titles padded
// by 10 on each side.
class MenuLogic : public ::testing::Test {
  protected:
    LGLMenu menu;

    void SetUp() override {
        LGLMenu::clearTables();
        LGLMenu::modifierSource = readFakeModifiers;
        fakeModifiers = 0;
        runsNew = runsOpen = runsRun = runsStep = runsOther = 0;
        fakeFont(menu.font, 8);
        menu.initializeMetrics(16, 1.4);
    }
    void TearDown() override { LGLMenu::clearTables(); }

    void buildBar() {
        menu.addMenu("File");
        menu.addItem("New [Ctrl-N]", actNew);
        menu.addItem("Open [Ctrl-O]", actOpen);
        menu.addItem("-", nullptr);
        menu.addItem("Leave Prey", actOther);
        menu.addMenu("Simulate");
        menu.addItem("Run / Stop [F5]", actRun);
        menu.addItem("Run 1 Step [F6]", actStep);
    }

    // The middle of row j of menu m's list.
    int rowY(int m, int j) const {
        return LGLMenu::menus[m].dropRect.y1 + j * menu.rowHeight + menu.rowHeight / 2;
    }

    bool click(int x, int y) {
        bool used = true;
        menu.handleMenuMouseClick(x, y, false, true, used);
        return used;
    }
};

TEST_F(MenuLogic, MetricsFollowFontSizeAndRowFactor) {
    // A row holds its text and grows with the font and the row factor; items
    // are indented by one font size, titles padded alike on both sides.
    int lastOfSize = 0;
    for (int size : {12, 16, 22}) {
        int last = 0;
        for (double factor : {1.0, 1.4, 2.0}) {
            menu.initializeMetrics(size, factor);
            EXPECT_GE(menu.rowHeight, size);
            EXPECT_GT(menu.rowHeight, last) << size << " " << factor;
            last = menu.rowHeight;
            EXPECT_EQ(menu.itemPad.x1, size);
            EXPECT_GT(menu.itemPad.x2, 0);
            EXPECT_GT(menu.titlePad.x1, 0);
            EXPECT_EQ(menu.titlePad.x1, menu.titlePad.x2);
        }
        EXPECT_GT(last, lastOfSize) << size;
        lastOfSize = last;
    }
    // Disabled text lies between the text and the bar; the highlight is
    // darker than the bar.
    EXPECT_GT(menu.disabledTextColor.r, menu.textColor.r);
    EXPECT_LT(menu.disabledTextColor.r, menu.barColor.r);
    EXPECT_LT(menu.highlightColor.r + menu.highlightColor.g, menu.barColor.r + menu.barColor.g);
}

TEST_F(MenuLogic, TitlesSitSideBySide) {
    buildBar();
    ASSERT_EQ(2u, LGLMenu::titleRects.size());
    const tRect a = LGLMenu::titleRects[0];
    const tRect b = LGLMenu::titleRects[1];
    // "File": 4 x 8 + 10 + 10.
    EXPECT_EQ(0, a.x1);
    EXPECT_EQ(1, a.y1);
    EXPECT_EQ(52, a.x2);
    EXPECT_EQ(21, a.y2);
    // "Simulate" starts one pixel after: 53 + 64 + 20.
    EXPECT_EQ(53, b.x1);
    EXPECT_EQ(137, b.x2);
    EXPECT_EQ("Simulate", LGLMenu::menuTitles[1]);
}

TEST_F(MenuLogic, ListLayoutMakesRoomForTheShortcutColumn) {
    buildBar();
    const menuColumn& file = LGLMenu::menus[0];
    // Widest label "Leave Prey" 80, widest shortcut "Ctrl-N" 48.
    EXPECT_EQ(16 + 80, file.shortcutX);
    const tRect r = file.dropRect;
    EXPECT_EQ(1, r.x1);
    EXPECT_EQ(21, r.y1);
    EXPECT_EQ(1 + (80 + 16 + 48) + 16 + 19, r.x2);
    EXPECT_EQ(21 + 22 * 4 + 2, r.y2);
    EXPECT_EQ(54, LGLMenu::menus[1].dropRect.x1);
}

TEST_F(MenuLogic, MenuWithoutShortcutsHasNoShortcutColumn) {
    menu.addMenu("View");
    menu.addItem("Leave Prey", actOther);
    const menuColumn& view = LGLMenu::menus[0];
    EXPECT_EQ(0, view.shortcutX);
    EXPECT_EQ("", view.items[0].shortcutText);
    EXPECT_EQ(80 + 16 + 19, view.dropRect.x2 - view.dropRect.x1);
}

TEST_F(MenuLogic, ItemFlagsWhenAdded) {
    buildBar();
    const std::vector<menuItem>& items = LGLMenu::menus[0].items;
    EXPECT_TRUE(items[0].enabled);
    EXPECT_FALSE(items[0].checked);
    EXPECT_FALSE(items[2].enabled); // separator
    menu.addItem("Nothing to do", nullptr);
    EXPECT_FALSE(LGLMenu::menus[1].items.back().enabled);
}

TEST_F(MenuLogic, EmptyLabelsAndItemsBeforeAnyMenuAreIgnored) {
    menu.addItem("Orphan [F2]", actOther);
    EXPECT_TRUE(LGLMenu::menus.empty());
    menu.addMenu("File");
    menu.addItem("", actOther);
    EXPECT_TRUE(LGLMenu::menus[0].items.empty());
}

TEST_F(MenuLogic, EnableAndCheckIgnoreIndexesOutsideTheTables) {
    buildBar();
    menu.enableMenuItem(0, 0, false);
    menu.checkMenuItem(1, 1, true);
    EXPECT_FALSE(LGLMenu::menus[0].items[0].enabled);
    EXPECT_TRUE(LGLMenu::menus[1].items[1].checked);
    menu.enableMenuItem(5, 0, false);
    menu.enableMenuItem(0, 9, false);
    menu.checkMenuItem(-1, 0, true);
    menu.checkMenuItem(1, -1, true);
    EXPECT_TRUE(LGLMenu::menus[0].items[1].enabled);
}

TEST_F(MenuLogic, CtrlLetterArrivesAsControlCode) {
    buildBar();
    fakeModifiers = LGLMenu::CTRL;
    menu.handleStandardKeys(14); // Ctrl+N
    EXPECT_EQ(1, runsNew);
    EXPECT_EQ('n', menu.lastKey);
    menu.handleStandardKeys('o'); // delivered as the letter also works
    EXPECT_EQ(1, runsOpen);
    // Both ends of the range: Ctrl+A is 1, Ctrl+Z is 26.
    menu.addMenu("Edit");
    menu.addItem("Select All [Ctrl-A]", actOther);
    menu.addItem("Undo [Ctrl-Z]", actOther);
    menu.handleStandardKeys(1);
    EXPECT_EQ('a', menu.lastKey);
    menu.handleStandardKeys(26);
    EXPECT_EQ('z', menu.lastKey);
    EXPECT_EQ(2, runsOther);
}

TEST_F(MenuLogic, LetterWithoutCtrlDoesNotRunACtrlShortcut) {
    buildBar();
    menu.handleStandardKeys('n');
    fakeModifiers = LGLMenu::ALT;
    menu.handleStandardKeys('n');
    fakeModifiers = LGLMenu::CTRL | LGLMenu::SHIFT;
    menu.handleStandardKeys(14);
    EXPECT_EQ(0, runsNew);
    // ... but runs the Ctrl-Shift shortcut of the same letter.
    menu.addMenu("Edit");
    menu.addItem("Renew [Ctrl-Shift-N]", actOther);
    menu.handleStandardKeys(14);
    EXPECT_EQ(0, runsNew);
    EXPECT_EQ(1, runsOther);
}

TEST_F(MenuLogic, ShiftAloneCountsAsNoModifierForCharacters) {
    menu.addMenu("Zoom");
    menu.addItem("In [+]", actOther);
    fakeModifiers = LGLMenu::SHIFT;
    menu.handleStandardKeys('+');
    EXPECT_EQ(1, runsOther);
}

TEST_F(MenuLogic, FunctionKeyRunsOnlyWithoutModifiers) {
    buildBar();
    menu.handleSpecialKeys(5);
    EXPECT_EQ(1, runsRun);
    EXPECT_EQ(5, menu.lastSpecialKey);
    fakeModifiers = LGLMenu::SHIFT;
    menu.handleSpecialKeys(5);
    EXPECT_EQ(1, runsRun);
    // A character with the same code is another key.
    fakeModifiers = 0;
    menu.handleStandardKeys(5);
    EXPECT_EQ(1, runsRun);
}

TEST_F(MenuLogic, TwoItemsWithOneShortcutBothRun) {
    buildBar();
    menu.addItem("Also run [F5]", actOther);
    menu.handleSpecialKeys(5);
    EXPECT_EQ(1, runsRun);
    EXPECT_EQ(1, runsOther);
}

TEST_F(MenuLogic, DisabledItemsSeparatorsAndKeyZeroNeverRun) {
    buildBar();
    menu.enableMenuItem(1, 0, false);
    menu.handleSpecialKeys(5);
    EXPECT_EQ(0, runsRun);
    // Items without a shortcut have key 0, which no key event matches.
    menu.handleStandardKeys(0);
    menu.handleSpecialKeys(0);
    EXPECT_EQ(0, runsOther);
}

TEST_F(MenuLogic, ShortcutsWorkWhileTheListIsOpenButNotWhenInvisible) {
    buildBar();
    click(10, 10);
    ASSERT_TRUE(menu.isOpen);
    menu.handleSpecialKeys(6);
    EXPECT_EQ(1, runsStep);
    menu.visible = false;
    menu.handleSpecialKeys(6);
    EXPECT_EQ(1, runsStep);
}

TEST_F(MenuLogic, InactiveBarStillTakesKeysButNoMouse) {
    buildBar();
    menu.active = false;
    menu.handleSpecialKeys(6);
    EXPECT_EQ(1, runsStep);
    bool used = false;
    menu.handleMenuMouseClick(10, 10, false, true, used);
    EXPECT_FALSE(menu.isOpen);
}

TEST_F(MenuLogic, ClickOnTitleOpensItsList) {
    buildBar();
    EXPECT_TRUE(click(60, 10));
    EXPECT_TRUE(menu.isOpen);
    EXPECT_EQ(1, menu.openMenu);
    EXPECT_EQ(1, menu.hoverTitle);
}

TEST_F(MenuLogic, TitleBordersCount) {
    buildBar();
    EXPECT_TRUE(click(52, 21));
    EXPECT_EQ(0, menu.openMenu);
}

TEST_F(MenuLogic, ReleaseAndClicksOffTheTitlesDoNothing) {
    buildBar();
    bool used = true;
    menu.handleMenuMouseClick(10, 10, false, false, used);
    EXPECT_FALSE(used);
    EXPECT_FALSE(menu.isOpen);
    EXPECT_FALSE(click(500, 10));
    EXPECT_FALSE(click(10, 300));
    EXPECT_FALSE(menu.isOpen);
}

TEST_F(MenuLogic, ChoosingAnItemRunsItAndClosesTheList) {
    buildBar();
    click(60, 10);
    const int x = LGLMenu::menus[1].dropRect.x1 + 30;
    menu.handleMousePassiveMotion(x, rowY(1, 1));
    EXPECT_EQ(1, LGLMenu::menus[1].highlighted);
    EXPECT_TRUE(click(x, rowY(1, 1)));
    EXPECT_EQ(1, runsStep);
    EXPECT_FALSE(menu.isOpen);
    EXPECT_EQ(-1, menu.openMenu);
    EXPECT_EQ(-1, menu.hoverTitle);
    EXPECT_EQ(-1, LGLMenu::menus[1].highlighted);
}

TEST_F(MenuLogic, ClickOutsideEveryRowClosesWithoutRunning) {
    buildBar();
    click(10, 10);
    menu.handleMousePassiveMotion(700, 400);
    EXPECT_EQ(-1, LGLMenu::menus[0].highlighted);
    EXPECT_TRUE(click(700, 400));
    EXPECT_FALSE(menu.isOpen);
    EXPECT_EQ(0, runsNew + runsOpen + runsOther);
}

TEST_F(MenuLogic, SeparatorAndDisabledRowsHighlightButDoNotRun) {
    buildBar();
    menu.enableMenuItem(0, 0, false);
    click(10, 10);
    const int x = LGLMenu::menus[0].dropRect.x1 + 5;
    menu.handleMousePassiveMotion(x, rowY(0, 2));
    EXPECT_EQ(2, LGLMenu::menus[0].highlighted);
    click(x, rowY(0, 2));
    click(10, 10);
    menu.handleMousePassiveMotion(x, rowY(0, 0));
    EXPECT_EQ(0, LGLMenu::menus[0].highlighted);
    click(x, rowY(0, 0));
    EXPECT_EQ(0, runsNew);
}

TEST_F(MenuLogic, RowBandsLeaveAPixelBetweenRows) {
    buildBar();
    click(10, 10);
    const tRect r = LGLMenu::menus[0].dropRect;
    menu.handleMousePassiveMotion(r.x1, r.y1 + 22); // last pixel row of row 0's band is y1 + 21
    EXPECT_EQ(-1, LGLMenu::menus[0].highlighted);
    menu.handleMousePassiveMotion(r.x2, r.y1 + 23);
    EXPECT_EQ(1, LGLMenu::menus[0].highlighted);
    menu.handleMousePassiveMotion(r.x2 + 1, r.y1 + 23);
    EXPECT_EQ(-1, LGLMenu::menus[0].highlighted);
}

TEST_F(MenuLogic, MovingAlongTheBarSwitchesTheOpenList) {
    buildBar();
    click(10, 10);
    menu.handleMousePassiveMotion(60, 5);
    EXPECT_EQ(1, menu.openMenu);
    EXPECT_EQ(1, menu.hoverTitle);
    EXPECT_TRUE(menu.isOpen);
}

TEST_F(MenuLogic, HoverFollowsTheMouseWhileClosed) {
    buildBar();
    menu.handleMousePassiveMotion(60, 5);
    EXPECT_EQ(1, menu.hoverTitle);
    EXPECT_EQ(-1, menu.openMenu);
    menu.handleMousePassiveMotion(60, 100);
    EXPECT_EQ(-1, menu.hoverTitle);
    menu.handleMousePassiveMotion(60, 5);
    menu.handleMousePassiveMotion(600, 5); // along the bar, past the titles
    EXPECT_EQ(-1, menu.hoverTitle);
}
} // namespace
