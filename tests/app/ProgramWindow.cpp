#include "tests/app/ProgramWindow.h"

#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <string>

#include "app/AppState.h"
#include "app/Startup.h"

// Declared here because GlWindow.h's size helpers share the program's names.
bool openTestWindow(std::string& why);

void openProgramWindow() {
    static bool prepared = false;
    if (prepared)
        return;
    std::string why;
    ASSERT_TRUE(openTestWindow(why)) << why;
    chooseUiLayout(glutGet(GLUT_SCREEN_HEIGHT));
    prepareWindow();
    prepared = true;
}
