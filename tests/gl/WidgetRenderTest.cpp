// The menu bar and a control panel drawn into a real window and read back.
#include <GL/gl.h>

#include <cmath>

#include "GlWindow.h"
#include "gl/LGLMenu.h"
#include "gl/LGLUI.h"

namespace {

int runs = 0;
void act() {
    ++runs;
}
int noModifiers() {
    return 0;
}

// A colour blended over another: c * a + under * (1 - a), as 0 ... 255.
int over(double c, double a, double under) {
    return int(std::lround((c * a + under * (1 - a)) * 255));
}

class MenuRender : public GlWindowTest {
  protected:
    LGLMenu menu;
    void SetUp() override {
        GlWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        LGLMenu::clearTables();
        LGLMenu::modifierSource = noModifiers;
        menu.initialize("Consolas", 16, 1.4);
        menu.addMenu("File");
        menu.addItem("New [Ctrl-N]", act);
        menu.addItem("-", nullptr);
        menu.addItem("Exit [CTRL-Q]", act);
        menu.addMenu("Simulate");
        menu.addItem("Run / Stop [F5]", act);
        menu.addItem("Run 1 Step [F6]", act);
    }
    void TearDown() override { LGLMenu::clearTables(); }
};

TEST_F(MenuRender, BarIsFilledWithItsColourAcrossTheWindow) {
    menu.render();
    const Rgb bar{242, 241, 236};
    EXPECT_RGB_NEAR(bar, pixelAt(windowWidth() - 5, 5), 1);
    EXPECT_RGB_NEAR(bar, pixelAt(300, menu.rowHeight / 2), 1);
    EXPECT_RGB_NEAR((Rgb{0, 0, 0}), pixelAt(300, menu.rowHeight + 5), 0);
    EXPECT_EQ(windowWidth(), menu.barRect.x2);
}

TEST_F(MenuRender, TitleTextIsDrawnInsideItsRectangle) {
    menu.render();
    const tRect r = LGLMenu::titleRects[1];
    int dark = 0;
    for (int y = r.y1; y <= r.y2; ++y)
        for (int x = r.x1; x <= r.x2; ++x)
            dark += pixelAt(x, y).r < 100;
    EXPECT_GT(dark, 20);
}

TEST_F(MenuRender, OpenListShowsTheHighlightedItem) {
    bool used = false;
    menu.handleMenuMouseClick(LGLMenu::titleRects[1].x1 + 4, 8, false, true, used);
    const tRect list = LGLMenu::menus[1].dropRect;
    const int row1 = list.y1 + menu.rowHeight + menu.rowHeight / 2;
    menu.handleMousePassiveMotion(list.x1 + 30, row1);
    ASSERT_EQ(1, LGLMenu::menus[1].highlighted);
    menu.render();
    EXPECT_RGB_NEAR((Rgb{49, 106, 197}), pixelAt(list.x1 + 5, row1), 1);
    // Row 0 is on the list's white, beside its label.
    EXPECT_RGB_NEAR((Rgb{255, 255, 255}), pixelAt(list.x1 + 6, list.y1 + menu.rowHeight / 2), 1);
    // White text on the highlight.
    int white = 0;
    for (int x = list.x1 + menu.itemPad.x1; x < list.x1 + 120; ++x)
        for (int y = row1 - 8; y <= row1 + 8; ++y)
            white += pixelAt(x, y).r == 255 && pixelAt(x, y).b == 255;
    EXPECT_GT(white, 20);
}

TEST_F(MenuRender, SeparatorIsAGreyLine) {
    bool used = false;
    menu.handleMenuMouseClick(5, 5, false, true, used);
    menu.render();
    const tRect list = LGLMenu::menus[0].dropRect;
    const int y = int(list.y1 + menu.rowHeight * 1.5);
    int grey = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        const Rgb p = pixelAt(list.x1 + 20, y + dy);
        grey += p.r == 153 && p.g == 153 && p.b == 153;
    }
    EXPECT_EQ(1, grey);
}

TEST_F(MenuRender, InvisibleBarDrawsNothingAndStateIsRestored) {
    menu.visible = false;
    menu.render();
    EXPECT_RGB_NEAR((Rgb{0, 0, 0}), pixelAt(5, 5), 0);
    menu.visible = true;
    GLdouble before[16], after[16];
    glGetDoublev(GL_PROJECTION_MATRIX, before);
    menu.render();
    glGetDoublev(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i)
        EXPECT_DOUBLE_EQ(before[i], after[i]);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

class PanelRender : public GlWindowTest {
  protected:
    LGLUI ui;
    std::vector<std::string> sizes{"6", "15", "24", "40", "60"};
    void SetUp() override {
        GlWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        ui.initialize(0, 0, 16, 1.5, 'n');
        ui.dispose();
        ui.addSeparator();
        ui.addButton("New [Ctrl-N]");
        ui.addListBox("Population Size", sizes, 0);
        ui.addNumberSpinner("Number of prey", 10, 100, 10, 100);
        ui.addSeparator();
        ui.panelX = 200;
        ui.panelY = 100;
        ui.updateUIDimension();
        ui.visible = ui.hasFocus = true;
        ui.focusIndex = 1;
    }
};

// Inside the pane's shadow: black, then shadow 0.1 at 0.4, then pane 0.9 at 0.8.
double paneValue() {
    return 0.9 * 0.8 + (0.1 * 0.4) * 0.2;
}

TEST_F(PanelRender, TitleStripColour) {
    ui.render();
    const double under = paneValue();
    const Rgb strip{over(0.0, 0.8, under), over(0.33333334, 0.8, under),
                    over(0.9019608, 0.8, under)};
    EXPECT_RGB_NEAR(strip, pixelAt(ui.panelX + 10, ui.panelY + 8), 2);
    EXPECT_RGB_NEAR((Rgb{over(0.9, 0.8, 0.04), over(0.9, 0.8, 0.04), over(0.9, 0.8, 0.04)}),
                    pixelAt(ui.panelX + 4, ui.panelY + ui.titleHeight + 4), 2);
}

TEST_F(PanelRender, FocusedFieldIsBrighterThanUnfocused) {
    ui.focusIndex = 2;
    ui.render();
    const double under = paneValue();
    const tRect list = ui.valueFieldRect(2);
    const tRect spin = ui.valueFieldRect(3);
    const int focused = over(1.0, 0.8, under);
    const int unfocused = over(0.9, 0.8, under);
    EXPECT_RGB_NEAR((Rgb{focused, focused, focused}), pixelAt(list.x2 - 3, (list.y1 + list.y2) / 2),
                    2);
    EXPECT_RGB_NEAR((Rgb{unfocused, unfocused, unfocused}), pixelAt(spin.x1 + 2, spin.y1 + 2), 2);
}

TEST_F(PanelRender, RenderRecordsTheHitAreasAndHeight) {
    ui.focusIndex = 3;
    ui.render();
    const tRect f = ui.valueFieldRect(3);
    EXPECT_EQ(f.x1, ui.widgets[3].hitRects[0].x1);
    EXPECT_EQ(f.y2, ui.widgets[3].hitRects[0].y2);
    EXPECT_EQ(LGLUI::HIT_INCREASE, ui.widgets[3].hitCodes[1]);
    EXPECT_EQ(LGLUI::HIT_DECREASE, ui.widgets[3].hitCodes[2]);
    EXPECT_EQ(LGLUI::HIT_MAIN, ui.widgets[1].hitCodes[0]);
    EXPECT_EQ(16 + 4 * 24 + 12 + 16 + 12, ui.panelHeight);
    // The increase arrow is drawn white inside its recorded box.
    const tRect a = ui.widgets[3].hitRects[1];
    EXPECT_RGB_NEAR((Rgb{255, 255, 255}), pixelAt(a.x1 + 2, (a.y1 + a.y2) / 2), 1);
}

TEST_F(PanelRender, ButtonLabelIsWrittenOnItsFace) {
    ui.render();
    const tRect b = ui.buttonRect(1);
    int dark = 0;
    for (int y = b.y1 + 2; y < b.y2 - 1; ++y)
        for (int x = b.x1 + 2; x < b.x2 - 1; ++x)
            dark += pixelAt(x, y).r < 60;
    EXPECT_GT(dark, 30);
}

TEST_F(PanelRender, NothingIsDrawnAboveTheClip) {
    ui.clipTop = ui.panelY + ui.titleHeight + 10;
    ui.render();
    EXPECT_RGB_NEAR((Rgb{0, 0, 0}), pixelAt(ui.panelX + 10, ui.panelY + 8), 0);
    EXPECT_RGB_NEAR((Rgb{0, 0, 0}), pixelAt(ui.panelX + 4, ui.clipTop - 1), 0);
    const int pane = over(0.9, 0.8, 0.04);
    EXPECT_RGB_NEAR((Rgb{pane, pane, pane}), pixelAt(ui.panelX + 4, ui.clipTop + 1), 2);
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
}

TEST_F(PanelRender, OpenPopupIsDrawnOverThePanel) {
    ui.focusIndex = 2;
    ui.activeState = true;
    ui.render();
    const tRect p = ui.popupRect(2);
    EXPECT_EQ(LGLUI::HIT_POPUP, ui.widgets[2].hitCodes[0]);
    EXPECT_RGB_NEAR((Rgb{230, 230, 230}), pixelAt(p.x2 - 4, p.y1 + 3), 1);
    // The chosen entry's mark: field colour at 0.8 over the pop-up.
    const int mark = over(1.0, 0.8, 0.9);
    EXPECT_RGB_NEAR((Rgb{mark, mark, mark}), pixelAt(p.x2 - 10, p.y1 + 4), 1);
}

TEST_F(PanelRender, HiddenPanelDrawsNothing) {
    ui.visible = false;
    ui.render();
    EXPECT_RGB_NEAR((Rgb{0, 0, 0}), pixelAt(ui.panelX + 10, ui.panelY + 8), 0);
    ui.visible = true;
    ui.dispose();
    ui.render();
    EXPECT_RGB_NEAR((Rgb{0, 0, 0}), pixelAt(ui.panelX + 10, ui.panelY + 8), 0);
}

TEST_F(PanelRender, OpacityScalesEveryAlpha) {
    ui.opacity = 0.5;
    ui.render();
    // Pane at 0.4 over shadow at 0.2 over black.
    const double shadow = 0.1 * 0.2;
    const int pane = over(0.9, 0.4, shadow);
    EXPECT_RGB_NEAR((Rgb{pane, pane, pane}), pixelAt(ui.panelX + 4, ui.panelY + ui.titleHeight + 4),
                    2);
}
} // namespace
