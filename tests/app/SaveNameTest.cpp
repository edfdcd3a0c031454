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

} // namespace
