#ifndef OVLIB_TESTS_GL_PANELFIXTURE_H
#define OVLIB_TESTS_GL_PANELFIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeFont.h"
#include "gl/LGLUI.h"

// A panel at (100, 50), font size 16, row factor 1.5 (rows of 24 pixels),
// every character 8 pixels wide, on a clock the test moves by hand.
class PanelTest : public ::testing::Test {
  protected:
    static long long now;
    static long long fakeClock() { return now; }

    LGLUI ui;
    std::vector<std::string> sizes{"6", "15", "24", "40", "60"};

    void SetUp() override {
        now = 100000;
        LGLUI::clockMs = fakeClock;
        fakeFont(ui.font, 8);
        ui.initializeLayout(100, 50, 16, 1.5, 'n');
    }
    void TearDown() override { LGLUI::clockMs = LGLUI::monotonicMs; }

    // The control panel's first rows: separator, button, list box,
    // separator, spinner.
    void buildPanel() {
        ui.addSeparator();
        ui.addButton("New [Ctrl-N]");
        ui.addListBox("Population Size", sizes, 2);
        ui.addSeparator();
        ui.addNumberSpinner("Number of prey", 10, 100, 10, 50);
        ui.updateUIDimension();
        ui.hasFocus = true;
    }

    // A press (and optionally its release) the way the program delivers it:
    // handle and render between events.
    bool press(int x, int y) {
        bool used = false;
        ui.handleMouseClick(x, y, false, true, used);
        return used;
    }
    void release(int x, int y) {
        bool used = false;
        ui.handleMouseClick(x, y, false, false, used);
    }
    static int midX(const tRect& r) { return (r.x1 + r.x2) / 2; }
    static int midY(const tRect& r) { return (r.y1 + r.y2) / 2; }
    int value(int id) {
        int v = -999;
        ui.getUIInt(id, v);
        return v;
    }
};

#endif
