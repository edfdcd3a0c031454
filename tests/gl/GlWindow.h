#ifndef OVLIB_TESTS_GL_GLWINDOW_H
#define OVLIB_TESTS_GL_GLWINDOW_H

#include <gtest/gtest.h>

#include <string>

// One freeglut window for the whole test process, on the X display of
// $DISPLAY. Without a display the tests fail with a message saying so.
bool openTestWindow(std::string& why);

// Clears to black and sets a window-pixel projection (y downwards).
void beginFrame();

struct Rgb {
    int r, g, b;
};
// The back buffer's colour at window pixel (x, y), y downwards.
Rgb pixelAt(int x, int y);

// The current raster position in window pixels (x right, y downwards).
void rasterPosition(float& x, float& y);

// Window size.
int windowWidth();
int windowHeight();

class GlWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        if (!openTestWindow(why))
            FAIL() << why;
        beginFrame();
    }
};

#define EXPECT_RGB_NEAR(expected, actual, tolerance)                                               \
    do {                                                                                           \
        const Rgb e_ = (expected);                                                                 \
        const Rgb a_ = (actual);                                                                   \
        EXPECT_NEAR(e_.r, a_.r, tolerance) << "red";                                               \
        EXPECT_NEAR(e_.g, a_.g, tolerance) << "green";                                             \
        EXPECT_NEAR(e_.b, a_.b, tolerance) << "blue";                                              \
    } while (0)

#endif
