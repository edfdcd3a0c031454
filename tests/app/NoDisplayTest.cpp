// The program's window-side code where no X display can be opened: the
// dialogs answer "" and messages go to standard output, and the program
// refuses to start with one line on standard error.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/GtkDialogs.h"
#include "app/SaveName.h"
#include "app/Startup.h"

namespace {

class NoDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        saved_ = display ? display : "";
        hadDisplay_ = display != nullptr;
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        // A locale with its own name: a toolkit that took it from the
        // environment would show here.
        setenv("LC_ALL", "C.UTF-8", 1);
    }
    void TearDown() override {
        if (hadDisplay_)
            setenv("DISPLAY", saved_.c_str(), 1);
    }

  private:
    std::string saved_;
    bool hadDisplay_ = false;
};

TEST_F(NoDisplayTest, NoDisplayIsReported) {
    EXPECT_FALSE(displayAvailable());
    setenv("DISPLAY", "", 1);
    EXPECT_FALSE(displayAvailable());
}

TEST_F(NoDisplayTest, ProgramRefusesToStartInOneLine) {
    char name[] = "arachnovix";
    char* argv[] = {name, nullptr};
    EXPECT_EXIT(std::exit(runProgram(1, argv)), ::testing::ExitedWithCode(1),
                "^arachnovix: cannot open an X display \\(is DISPLAY set\\?\\)\n$");
}

TEST_F(NoDisplayTest, DialogsAnswerEmptyAndMessagesGoToStandardOutput) {
    GtkDialogProvider dialogs;
    EXPECT_EQ(dialogs.openFile(POPULATION_TYPE_NAME, POPULATION_PATTERN), "");
    EXPECT_EQ(dialogs.saveFile(POPULATION_TYPE_NAME, POPULATION_PATTERN), "");
    EXPECT_FALSE(askQuestion("Replace it?", "Arachnovix"));

    testing::internal::CaptureStdout();
    showMessageBox("Cannot evolve more than 10,000 generations.", "Arachnovix",
                   MessageIcon::Warning);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Arachnovix: Cannot evolve more than 10,000 generations.\n");
}

TEST_F(NoDisplayTest, DialogSetupLeavesTheNumberFormatAlone) {
    initializeDialogs();
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", 2.5);
    EXPECT_STREQ(text, "2.5");
    EXPECT_STREQ(setlocale(LC_NUMERIC, nullptr), "C");
}

} // namespace
