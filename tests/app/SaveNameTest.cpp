#include <gtest/gtest.h>

#include "app/SaveName.h"

namespace {

TEST(SaveNameTest, NameWithoutExtensionGetsOne) {
    EXPECT_EQ(populationFileName("/home/u/run"), "/home/u/run.axv");
}

TEST(SaveNameTest, NameWithTheExtensionIsKept) {
    EXPECT_EQ(populationFileName("/home/u/run.axv"), "/home/u/run.axv");
    EXPECT_EQ(populationFileName("/home/u/run.2.axv"), "/home/u/run.2.axv");
}

TEST(SaveNameTest, OtherDotsStayInTheName) {
    EXPECT_EQ(populationFileName("/home/u/run.v2"), "/home/u/run.v2.axv");
    EXPECT_EQ(populationFileName("/home/u.name/run"), "/home/u.name/run.axv");
    EXPECT_EQ(populationFileName("/home/u/run.axv.bak"), "/home/u/run.axv.bak.axv");
}

TEST(SaveNameTest, TitleNamesTheRunItsStateAndTheVersion) {
    EXPECT_EQ(runWindowTitle("", false, "1.0.0.1"), "Untitled \u2013 Arachnovix 1.0.0.1");
    EXPECT_EQ(runWindowTitle("/home/u/run.axv", false, "1.0.0.1"),
              "run.axv \u2013 Arachnovix 1.0.0.1");
    EXPECT_EQ(runWindowTitle("RUN.AXV", true, "2"), "*RUN.AXV \u2013 Arachnovix 2");
}

TEST(SaveNameTest, OpenFilterMatchesTheExtensionInAnyCase) {
    EXPECT_EQ(caselessPattern("*.axv"), "*.[aA][xX][vV]");
    EXPECT_EQ(caselessPattern("*.1"), "*.1");
}

TEST(SaveNameTest, RefusalAddsTheFileNameAndReasonOnASecondLine) {
    EXPECT_EQ(refusalText("ERROR: Cannot read file.", "/tmp/x/RUN.AXV", "file too short"),
              "ERROR: Cannot read file.\nRUN.AXV: file too short");
    EXPECT_EQ(refusalText("E", "a.axv", ""), "E\na.axv: unknown error");
}

} // namespace
