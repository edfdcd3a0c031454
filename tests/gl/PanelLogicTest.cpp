// Control panel values, dimensions and recorded areas, without a window.
#include "PanelFixture.h"

long long PanelTest::now = 0;

namespace {

TEST_F(PanelTest, InitializeSetsRowsAndPads) {
    EXPECT_EQ(24, ui.rowHeight);
    EXPECT_EQ(8, ui.outerPad.x1);
    EXPECT_EQ(12, ui.outerPad.y1);
    EXPECT_EQ(8, ui.outerPad.x2);
    EXPECT_EQ(12, ui.outerPad.y2);
    EXPECT_EQ(4, ui.fieldPad.x1);
    EXPECT_EQ(2, ui.fieldPad.y1);
    EXPECT_EQ(16, ui.titleHeight);
    EXPECT_EQ('n', ui.option);
}

TEST_F(PanelTest, RowFactorZeroRoundsOneAndAHalf) {
    ui.initializeLayout(0, 0, 15, 0.0, 'n');
    EXPECT_EQ(23, ui.rowHeight); // 22.5 rounded
    ui.initializeLayout(0, 0, 15, 1.5, 'n');
    EXPECT_EQ(22, ui.rowHeight); // 22.5 truncated
}

TEST_F(PanelTest, SpinnerStartsInsideItsRange) {
    const int high = ui.addNumberSpinner("a", 0, 100, 10, 150);
    const int low = ui.addNumberSpinner("b", 5, 50, 5, -3);
    const int mid = ui.addNumberSpinner("c", 0, 10, 1, 4);
    EXPECT_EQ(100, value(high));
    EXPECT_EQ(5, value(low));
    EXPECT_EQ(4, value(mid));
    EXPECT_EQ(0, high);
    EXPECT_EQ(2, mid);
}

TEST_F(PanelTest, SpinnerTextIsIntegerForWholeStepsElseShortest) {
    const int half = ui.addNumberSpinner("a", 0, 10, 0.5, 2.5);
    const int whole = ui.addNumberSpinner("b", -10, 10, 1, 2.5);
    EXPECT_EQ("2.5", ui.valueText(half));
    EXPECT_EQ("3", ui.valueText(whole)); // half away from zero
    ui.widgets[whole].value = -2.5;
    EXPECT_EQ("-3", ui.valueText(whole));
}

TEST_F(PanelTest, ListBoxShowsItsEntryAndNothingOutsideTheList) {
    const int id = ui.addListBox("Size", sizes, 2);
    EXPECT_EQ("24", ui.valueText(id));
    ui.setUIInt(id, 7);
    EXPECT_EQ(7, value(id));
    EXPECT_EQ("", ui.valueText(id));
    ui.setUIInt(id, -1);
    EXPECT_EQ("", ui.valueText(id));
}

TEST_F(PanelTest, IntValuesTruncateAndOtherKindsReadZero) {
    buildPanel();
    ui.widgets[4].value = -2.7;
    EXPECT_EQ(-2, value(4));
    ui.widgets[0].value = 5;
    EXPECT_EQ(0, value(0)); // separator
    ui.setUIInt(0, 9);
    EXPECT_EQ(0, ui.widgets[0].value);
    ui.setUIInt(4, 70);
    EXPECT_EQ(70, value(4));
}

TEST_F(PanelTest, ReadingLeavesTheOutputAloneWithoutWidgetsOrForABadId) {
    int out = 42;
    ui.getUIInt(0, out);
    EXPECT_EQ(42, out);
    buildPanel();
    ui.getUIInt(5, out);
    ui.getUIInt(-1, out);
    EXPECT_EQ(42, out);
    ui.dispose();
    ui.getUIInt(1, out);
    EXPECT_EQ(42, out);
    EXPECT_EQ(0, ui.widgetCount);
    EXPECT_TRUE(ui.widgets[2].entries.empty());
}

TEST_F(PanelTest, DimensionsFromLabelsAndFields) {
    buildPanel();
    // Labels: button 96 x 1.2 = 115, list box 120, spinner 112. Fields:
    // widest entry 16, spinner maximum "100" 24.
    EXPECT_EQ(120 + 32, ui.labelColWidth);
    EXPECT_EQ(152 + 24 + 24, ui.panelWidth);
    EXPECT_EQ(100, ui.titleRect.x1);
    EXPECT_EQ(50, ui.titleRect.y1);
    EXPECT_EQ(300, ui.titleRect.x2);
    EXPECT_EQ(66, ui.titleRect.y2);
    EXPECT_EQ(285, ui.closeRect.x1);
    EXPECT_EQ(51, ui.closeRect.y1);
    EXPECT_EQ(299, ui.closeRect.x2);
    EXPECT_EQ(65, ui.closeRect.y2);
}

TEST_F(PanelTest, ButtonLabelCountsOneFifthWider) {
    ui.addButton("abcdefghij"); // 80 x 1.2
    EXPECT_EQ(96 + 32, ui.labelColWidth);
}

TEST_F(PanelTest, SpinnerAddDoesNotUpdateDimensions) {
    ui.addSeparator();
    const int before = ui.panelWidth;
    ui.addNumberSpinner("A long label here", 0, 100000, 1, 0);
    EXPECT_EQ(before, ui.panelWidth);
    ui.updateUIDimension();
    EXPECT_EQ(136 + 32 + 48 + 24, ui.panelWidth);
}

TEST_F(PanelTest, RowGeometry) {
    buildPanel();
    EXPECT_EQ(78, ui.rowTop(0));
    EXPECT_EQ(126, ui.rowTop(2));
    EXPECT_EQ(126 + 12, ui.rowBaseline(2)); // 16 - 3.3, truncated
    const tRect f = ui.valueFieldRect(2);
    EXPECT_EQ(256, f.x1);
    EXPECT_EQ(124, f.y1);
    EXPECT_EQ(288, f.x2);
    EXPECT_EQ(144, f.y2);
    const tRect b = ui.buttonRect(1);
    EXPECT_EQ(141, b.x1); // 104 + 188 x 0.2
    EXPECT_EQ(261, b.x2); // 292 - 151 x 0.2
    EXPECT_EQ(100, b.y1);
    EXPECT_EQ(120, b.y2);
    ui.updatePanelHeight();
    EXPECT_EQ(16 + 4 * 24 + 12 + 16 + 12, ui.panelHeight);
}

TEST_F(PanelTest, FocusedSpinnerRecordsFieldAndBothArrows) {
    buildPanel();
    ui.focusIndex = 4;
    ui.recordHitAreas();
    const uiWidget& w = ui.widgets[4];
    const tRect f = ui.valueFieldRect(4);
    EXPECT_EQ(LGLUI::HIT_MAIN, w.hitCodes[0]);
    EXPECT_EQ(f.x1, w.hitRects[0].x1);
    EXPECT_EQ(LGLUI::HIT_INCREASE, w.hitCodes[1]);
    EXPECT_EQ(f.x2 + 2, w.hitRects[1].x1);
    EXPECT_EQ(f.x2 + 2 + 7, w.hitRects[1].x2);
    EXPECT_EQ(f.y1 + 1, w.hitRects[1].y1);
    EXPECT_EQ(f.y2 - 1, w.hitRects[1].y2);
    EXPECT_EQ(LGLUI::HIT_DECREASE, w.hitCodes[2]);
    EXPECT_EQ(f.x1 - 9, w.hitRects[2].x1);
    EXPECT_EQ(f.x1 - 1, w.hitRects[2].x2);
    EXPECT_EQ(LGLUI::HIT_NONE, w.hitCodes[3]);
}

TEST_F(PanelTest, UnfocusedWidgetsRecordOnlyTheirField) {
    buildPanel();
    ui.focusIndex = 1;
    ui.recordHitAreas();
    EXPECT_EQ(LGLUI::HIT_MAIN, ui.widgets[4].hitCodes[0]);
    EXPECT_EQ(LGLUI::HIT_NONE, ui.widgets[4].hitCodes[1]);
    EXPECT_EQ(LGLUI::HIT_NONE, ui.widgets[2].hitCodes[1]);
    EXPECT_EQ(LGLUI::HIT_NONE, ui.widgets[0].hitCodes[0]); // separator
    EXPECT_EQ(141, ui.widgets[1].hitRects[0].x1);          // the button's face
}

TEST_F(PanelTest, FocusedListBoxHasOnlyTheIncreaseArrowLeftOfItsField) {
    buildPanel();
    ui.focusIndex = 2;
    ui.recordHitAreas();
    const tRect f = ui.valueFieldRect(2);
    EXPECT_EQ(LGLUI::HIT_INCREASE, ui.widgets[2].hitCodes[1]);
    EXPECT_EQ(f.x1 - 18, ui.widgets[2].hitRects[1].x1);
    EXPECT_EQ(LGLUI::HIT_NONE, ui.widgets[2].hitCodes[2]);
}

TEST_F(PanelTest, OpenPopupReplacesTheListBoxAreas) {
    buildPanel();
    ui.focusIndex = 2;
    ui.activeState = true;
    ui.recordHitAreas();
    const uiWidget& w = ui.widgets[2];
    EXPECT_EQ(LGLUI::HIT_POPUP, w.hitCodes[0]);
    // x1 = panelWidth + labelX - 190 = 200 + 108 - 190.
    EXPECT_EQ(118, w.hitRects[0].x1);
    EXPECT_EQ(ui.rowTop(2) - 2, w.hitRects[0].y1);
    EXPECT_EQ(218, w.hitRects[0].x2);
    EXPECT_EQ(ui.rowTop(2) - 2 + 5 * 24, w.hitRects[0].y2);
    for (int j = 0; j < 5; ++j) {
        EXPECT_EQ(LGLUI::HIT_ENTRY + j, w.hitCodes[1 + j]);
        EXPECT_EQ(126, w.hitRects[1 + j].x1);
        EXPECT_EQ(int((j + 0.5) * 24 + ui.rowTop(2) - 2 - 9), w.hitRects[1 + j].y1);
        EXPECT_EQ(126 + 184, w.hitRects[1 + j].x2);
        EXPECT_EQ(18, w.hitRects[1 + j].y2 - w.hitRects[1 + j].y1);
    }
    EXPECT_EQ(LGLUI::HIT_NONE, w.hitCodes[6]);
}

TEST_F(PanelTest, AFullPanelRefusesMoreWidgets) {
    for (int i = 0; i < UI_MAX_WIDGETS; ++i)
        ASSERT_EQ(i, ui.addButton("b"));
    testing::internal::CaptureStdout();
    EXPECT_EQ(-1, ui.addButton("one too many"));
    ui.addSeparator();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(std::string::npos, out.find("one too many"));
    EXPECT_EQ(UI_MAX_WIDGETS, ui.widgetCount);
}

TEST_F(PanelTest, APopupListKeepsAtMost199Entries) {
    std::vector<std::string> many(250, "x");
    testing::internal::CaptureStdout();
    const int id = ui.addListBox("many", many, 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(199u, ui.widgets[id].entries.size());
}

TEST_F(PanelTest, FurtherWidgetsListSpinnerAndEditText) {
    std::vector<std::string> models{"Off", "Dist", "Dist+Grav"};
    const int spin = ui.addListSpinner("Attack", models, 1);
    const int edit = ui.addEditText("Note", "orb", 40);
    std::string s;
    ui.getUIString(spin, s);
    EXPECT_EQ("Dist", s);
    ui.setUIString(spin, "Dist+Grav");
    EXPECT_EQ(2, value(spin));
    ui.getUIString(edit, s);
    EXPECT_EQ("orb", s);
    ui.setUIString(edit, "web");
    EXPECT_EQ("web", ui.widgets[edit].text);
    EXPECT_EQ(0, value(edit));
    ui.setUIStepValue(spin, 2);
    EXPECT_EQ(2, ui.widgets[spin].step);
    // Widest field: the list spinner's "Dist+Grav" (72) beats the edit text's 40.
    EXPECT_EQ(int(48 + 32 + 72 + 24), ui.panelWidth);
}
} // namespace
