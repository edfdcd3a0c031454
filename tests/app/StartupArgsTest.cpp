#include <gtest/gtest.h>

#include "app/StartupArgs.h"

namespace {

std::string runFileOf(std::initializer_list<const char*> args) {
    std::vector<const char*> argv(args);
    return startupRunFile(static_cast<int>(argv.size()), argv.data());
}

TEST(StartupArgs, OneRunFileIsOpened) {
    EXPECT_EQ(runFileOf({"arachnovix", "/data/runs/seed 1.axv"}), "/data/runs/seed 1.axv");
    EXPECT_EQ(runFileOf({"arachnovix", "RUN.AXV"}), "RUN.AXV");
    EXPECT_EQ(runFileOf({"arachnovix", "my.runs/a.b.axv"}), "my.runs/a.b.axv");
}

TEST(StartupArgs, AnythingElseOpensNothing) {
    EXPECT_EQ(runFileOf({"arachnovix"}), "");
    EXPECT_EQ(runFileOf({"arachnovix", "notes.txt"}), "");
    EXPECT_EQ(runFileOf({"arachnovix", "run.axv.bak"}), "");
    EXPECT_EQ(runFileOf({"arachnovix", "noextension"}), "");
    EXPECT_EQ(runFileOf({"arachnovix", "-sync.axv"}), "");
    EXPECT_EQ(runFileOf({"arachnovix", "a.axv", "b.axv"}), "");
    EXPECT_EQ(startupRunFile(0, nullptr), "");
}

TEST(StartupArgs, TexturesBesideTheProgramThenInTheDataFolder) {
    EXPECT_EQ(textureFolderBesideProgram("/opt/ax/bin"), "/opt/ax/bin/");
    const std::string data = textureFolderInData("/opt/ax/bin");
    EXPECT_EQ(data.rfind("/opt/ax/bin/", 0), 0u);
    EXPECT_NE(data.find("share/arachnovix/"), std::string::npos) << data;
}

} // namespace
