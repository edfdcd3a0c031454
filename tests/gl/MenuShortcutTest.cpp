// Reading shortcuts out of menu labels.
#include <gtest/gtest.h>

#include "gl/LGLMenu.h"

namespace {

menuItem parse(const std::string& label) {
    menuItem item;
    LGLMenu::parseShortcut(label, item);
    return item;
}

TEST(MenuShortcut, CtrlLetterGivesLowerCaseKeyWithCtrl) {
    const menuItem it = parse("New [Ctrl-N]");
    EXPECT_EQ("New", it.label);
    EXPECT_EQ("Ctrl-N", it.shortcutText);
    EXPECT_EQ('n', it.key);
    EXPECT_FALSE(it.isSpecialKey);
    EXPECT_EQ(2, it.modifiers);
}

TEST(MenuShortcut, ModifierWordIsComparedInLowerCase) {
    const menuItem it = parse("Exit [CTRL-Q]");
    EXPECT_EQ("Exit", it.label);
    EXPECT_EQ("CTRL-Q", it.shortcutText);
    EXPECT_EQ('q', it.key);
    EXPECT_EQ(2, it.modifiers);
}

TEST(MenuShortcut, AltAndShiftModifiers) {
    EXPECT_EQ(4, parse("A [Alt-x]").modifiers);
    EXPECT_EQ(1, parse("A [shift-x]").modifiers);
    EXPECT_EQ(0, parse("A [Meta-x]").modifiers);
    const menuItem both = parse("Save As... [Ctrl-Shift-S]");
    EXPECT_EQ("Save As...", both.label);
    EXPECT_EQ("Ctrl-Shift-S", both.shortcutText);
    EXPECT_EQ('s', both.key);
    EXPECT_EQ(3, both.modifiers);
    EXPECT_EQ('x', parse("A [Meta-x]").key);
}

TEST(MenuShortcut, FunctionKeyIsSpecialWithItsNumber) {
    const menuItem it = parse("Run / Stop [F5]");
    EXPECT_EQ("Run / Stop", it.label);
    EXPECT_EQ("F5", it.shortcutText);
    EXPECT_TRUE(it.isSpecialKey);
    EXPECT_EQ(5, it.key);
    EXPECT_EQ(0, it.modifiers);
    EXPECT_EQ(12, parse("X [F12]").key);
    EXPECT_TRUE(parse("X [Ctrl-F9]").isSpecialKey);
    EXPECT_EQ(2, parse("X [Ctrl-F9]").modifiers);
}

TEST(MenuShortcut, NamedKeys) {
    struct Case {
        const char* label;
        int key;
        bool special;
    };
    const Case cases[] = {{"a [esc]", 27, false},     {"a [tab]", 9, false},
                          {"a [enter]", 13, false},   {"a [space]", 32, false},
                          {"a [delete]", 127, false}, {"a [insert]", 108, true},
                          {"a [up]", 101, true},      {"a [down]", 103, true},
                          {"a [right]", 102, true},   {"a [left]", 100, true}};
    for (const Case& c : cases) {
        const menuItem it = parse(c.label);
        EXPECT_EQ(c.key, it.key) << c.label;
        EXPECT_EQ(c.special, it.isSpecialKey) << c.label;
    }
}

TEST(MenuShortcut, NamesInTheWrongCaseOrBadTextGiveNoKey) {
    EXPECT_EQ(0, parse("a [Esc]").key);
    EXPECT_EQ(0, parse("a [ESC]").key);
    EXPECT_EQ(0, parse("a [Fx]").key);
    EXPECT_FALSE(parse("a [Fx]").isSpecialKey);
    EXPECT_EQ(0, parse("a [nonsense]").key);
    EXPECT_EQ(0, parse("a [Ctrl-]").key);
    EXPECT_EQ(0, parse("a []").key);
    // A decimal code outside a byte is no key rather than a wrapped one.
    EXPECT_EQ(0, parse("a [300]").key);
}

TEST(MenuShortcut, LongerTextIsReadAsDecimalCode) {
    EXPECT_EQ(65, parse("a [65]").key);
    EXPECT_FALSE(parse("a [65]").isSpecialKey);
}

TEST(MenuShortcut, LabelWithoutBracketIsKeptWhole) {
    const menuItem it = parse("Leave Prey");
    EXPECT_EQ("Leave Prey", it.label);
    EXPECT_EQ("", it.shortcutText);
    EXPECT_EQ(0, it.key);
}

TEST(MenuShortcut, LabelDropsTheCharacterBeforeTheBracketAndOuterSpaces) {
    EXPECT_EQ("Back to Simulator", parse("  Back to Simulator [esc]  ").label);
    // The character right before "[" goes even when it is not a space.
    EXPECT_EQ("Wor", parse("Word[F2]").label);
    EXPECT_EQ("", parse("[F2]").label);
}

TEST(MenuShortcut, LastBracketPairCountsAndMissingCloseRunsToTheEnd) {
    const menuItem a = parse("Tab [a] more [Ctrl-B]");
    EXPECT_EQ("Tab [a] more", a.label);
    EXPECT_EQ('b', a.key);
    const menuItem b = parse("Open [Ctrl-O");
    EXPECT_EQ("Ctrl-O", b.shortcutText);
    EXPECT_EQ('o', b.key);
}
} // namespace
