#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/LString.h"
#include "core/LSystem.h"

typedef std::vector<std::string> Parts;

TEST(LStringNumbers, Itoa) {
    EXPECT_EQ(LString::itoa(-7), "-7");
    EXPECT_EQ(LString::itoa(0), "0");
    EXPECT_EQ(LString::itoa(360), "360");
    EXPECT_EQ(LString::itoa(INT_MIN), "-2147483648");
    EXPECT_EQ(LString::itoa(INT_MAX), "2147483647");
}

TEST(LStringNumbers, DtoaUsesShortestOfFixedAndExponent) {
    EXPECT_EQ(LString::dtoa(2.5), "2.5");
    EXPECT_EQ(LString::dtoa(1000000), "1e+06");
    EXPECT_EQ(LString::dtoa(100000), "100000");
    EXPECT_EQ(LString::dtoa(0.1), "0.1");
    EXPECT_EQ(LString::dtoa(0.00001), "1e-05");
    EXPECT_EQ(LString::dtoa(-0.25), "-0.25");
    EXPECT_EQ(LString::dtoa(3.14159265359), "3.14159");
    EXPECT_EQ(LString::dtoa(1e300), "1e+300");
}

TEST(LStringSplit, AtSeparator) {
    EXPECT_EQ(LString::split("Ctrl-N", "-"), (Parts{"Ctrl", "N"}));
    EXPECT_EQ(LString::split("Ctrl-Shift-S", "-"), (Parts{"Ctrl", "Shift", "S"}));
}

TEST(LStringSplit, KeepsEmptyParts) {
    EXPECT_EQ(LString::split("a--b", "-"), (Parts{"a", "", "b"}));
    EXPECT_EQ(LString::split("-a-", "-"), (Parts{"", "a", ""}));
    EXPECT_EQ(LString::split("-", "-"), (Parts{"", ""}));
}

TEST(LStringSplit, WithoutSeparatorGivesWholeText) {
    EXPECT_EQ(LString::split("F5", "-"), (Parts{"F5"}));
    EXPECT_EQ(LString::split("", "-"), (Parts{""}));
}

TEST(LStringSplit, LongSeparator) {
    EXPECT_EQ(LString::split("a::b:c::", "::"), (Parts{"a", "b:c", ""}));
}

TEST(LStringSplit, EmptySeparatorGivesWholeText) {
    EXPECT_EQ(LString::split("abc", ""), (Parts{"abc"}));
}

TEST(LStringTrim, RemovesOnlySpacesAtBothEnds) {
    EXPECT_EQ(LString::trimSpaces("  Run "), "Run");
    EXPECT_EQ(LString::trimSpaces("a b"), "a b");
    EXPECT_EQ(LString::trimSpaces("\tx \t"), "\tx \t");
    EXPECT_EQ(LString::trimSpaces(" \tx"), "\tx");
    EXPECT_EQ(LString::trimSpaces("   "), "");
    EXPECT_EQ(LString::trimSpaces(""), "");
}

TEST(LStringCase, LowerCase) {
    EXPECT_EQ(LString::LowerCase("Fly3.TGA"), "fly3.tga");
    EXPECT_EQ(LString::LowerCase("ctrl-n 12"), "ctrl-n 12");
    // Bytes outside ASCII pass unchanged
    EXPECT_EQ(LString::LowerCase("A\xC4\xFF"), "a\xC4\xFF");
    EXPECT_EQ(LString::LowerCase(""), "");
}

TEST(LSystemVersion, ProductVersionOfThisBuild) {
    EXPECT_EQ(LSystem::GetProductVersion(), "1.0.0.1");
}
