// Control panel input without a window: clicks on recorded areas, focus,
// keys, one-frame button values and the held-press repeat on a fake clock.
#include "PanelFixture.h"

namespace {

const int SPINNER = 4;
const int LIST = 2;
const int BUTTON = 1;

TEST_F(PanelTest, PressInsideFocusesAndOutsideUnfocuses) {
    buildPanel();
    ui.hasFocus = false;
    ui.recordHitAreas();
    EXPECT_TRUE(press(ui.panelX + 2, ui.panelY + 2));
    EXPECT_TRUE(ui.hasFocus);
    release(ui.panelX + 2, ui.panelY + 2);
    ui.recordHitAreas();
    EXPECT_FALSE(press(5, 5));
    EXPECT_FALSE(ui.hasFocus);
    ui.registerStandardKeys(13);
    ui.registerSpecialKeys(LGLUI::KEY_RIGHT);
    EXPECT_EQ(0, ui.stdKey);
    EXPECT_EQ(0, ui.specialKey);
}

TEST_F(PanelTest, KeysAreRegisteredOnlyWhenVisibleFocusedAndFilled) {
    ui.hasFocus = true;
    ui.registerSpecialKeys(LGLUI::KEY_RIGHT);
    EXPECT_EQ(0, ui.specialKey); // no widgets
    buildPanel();
    ui.visible = false;
    ui.registerSpecialKeys(LGLUI::KEY_RIGHT);
    EXPECT_EQ(0, ui.specialKey);
    ui.visible = true;
    ui.registerSpecialKeys(LGLUI::KEY_RIGHT);
    ui.registerStandardKeys('x');
    EXPECT_EQ(LGLUI::KEY_RIGHT, ui.specialKey);
    EXPECT_EQ('x', ui.stdKey);
}

TEST_F(PanelTest, ClickOnAFieldFocusesItsWidget) {
    buildPanel();
    ui.recordHitAreas();
    const tRect f = ui.valueFieldRect(SPINNER);
    EXPECT_TRUE(press(f.x1, f.y2)); // borders count
    EXPECT_EQ(SPINNER, ui.focusIndex);
    EXPECT_EQ(LGLUI::HIT_MAIN, ui.clickedCode);
    EXPECT_TRUE(ui.mouseDown);
    release(f.x1, f.y2);
    EXPECT_EQ(-1, ui.clickedCode);
    EXPECT_FALSE(ui.mouseDown);
}

TEST_F(PanelTest, RowsAboveTheClipTakeNoClick) {
    buildPanel();
    const tRect f = ui.valueFieldRect(SPINNER);
    ui.clipTop = f.y2 + 1; // the panel slid up: the spinner's row is hidden
    ui.focusIndex = BUTTON;
    ui.recordHitAreas();
    EXPECT_FALSE(press(f.x1 + 1, f.y1 + 1));
    EXPECT_EQ(BUTTON, ui.focusIndex);
    EXPECT_FALSE(ui.hasFocus);
    release(f.x1 + 1, f.y1 + 1);
    ui.clipTop = f.y1;
    ui.recordHitAreas();
    EXPECT_TRUE(press(f.x1 + 1, f.y1 + 1));
    EXPECT_EQ(SPINNER, ui.focusIndex);
}

TEST_F(PanelTest, AreasAreClearedAfterEveryClick) {
    buildPanel();
    ui.recordHitAreas();
    const tRect f = ui.valueFieldRect(SPINNER);
    press(f.x1 + 1, f.y1 + 1);
    release(f.x1 + 1, f.y1 + 1);
    ui.focusIndex = BUTTON;
    press(f.x1 + 1, f.y1 + 1); // no render in between: nothing recorded
    EXPECT_EQ(BUTTON, ui.focusIndex);
}

TEST_F(PanelTest, ClearedAreasAreNeverHitAtTheOrigin) {
    ui.initializeLayout(0, 0, 16, 1.5, 'n');
    buildPanel();
    ui.focusIndex = BUTTON;
    ui.clearHitAreas();
    press(0, 0);
    EXPECT_EQ(BUTTON, ui.focusIndex);
    EXPECT_EQ(-1, ui.clickedCode);
}

TEST_F(PanelTest, ArrowKeysStepAndClampTheSpinner) {
    buildPanel();
    ui.focusIndex = SPINNER;
    for (int i = 0; i < 7; ++i) {
        ui.registerSpecialKeys(LGLUI::KEY_RIGHT);
        ui.handle();
    }
    EXPECT_EQ(100, value(SPINNER));
    EXPECT_TRUE(ui.keyUsed);
    EXPECT_TRUE(ui.valueChanged);
    ui.registerSpecialKeys(LGLUI::KEY_LEFT);
    ui.handle();
    EXPECT_EQ(90, value(SPINNER));
    for (int i = 0; i < 20; ++i) {
        ui.registerSpecialKeys(LGLUI::KEY_LEFT);
        ui.handle();
    }
    EXPECT_EQ(10, value(SPINNER));
    ui.handle();
    EXPECT_FALSE(ui.keyUsed);
    EXPECT_FALSE(ui.valueChanged);
}

TEST_F(PanelTest, FocusMovesPastSeparatorsAndWraps) {
    buildPanel();
    ui.addBlankSpace();
    ui.addSeparator();
    ui.focusIndex = SPINNER;
    ui.registerSpecialKeys(LGLUI::KEY_DOWN);
    ui.handle();
    EXPECT_EQ(BUTTON, ui.focusIndex); // past blank space, separators, around
    EXPECT_TRUE(ui.keyUsed);
    ui.registerSpecialKeys(LGLUI::KEY_DOWN);
    ui.handle();
    EXPECT_EQ(LIST, ui.focusIndex);
    ui.registerSpecialKeys(LGLUI::KEY_DOWN);
    ui.handle();
    EXPECT_EQ(SPINNER, ui.focusIndex);
    ui.registerSpecialKeys(LGLUI::KEY_UP);
    ui.handle();
    EXPECT_EQ(LIST, ui.focusIndex);
    ui.registerSpecialKeys(LGLUI::KEY_UP);
    ui.handle();
    ui.registerSpecialKeys(LGLUI::KEY_UP);
    ui.handle();
    EXPECT_EQ(SPINNER, ui.focusIndex);
}

TEST_F(PanelTest, NothingIsHandledWithoutFocus) {
    buildPanel();
    ui.focusIndex = SPINNER;
    ui.specialKey = LGLUI::KEY_RIGHT;
    ui.hasFocus = false;
    ui.handle();
    EXPECT_EQ(50, value(SPINNER));
}

TEST_F(PanelTest, ButtonReadsOneOnlyInTheHandlingThatSawThePress) {
    buildPanel();
    ui.recordHitAreas();
    const tRect b = ui.buttonRect(BUTTON);
    press(midX(b), midY(b));
    ui.handle();
    EXPECT_EQ(1, value(BUTTON));
    EXPECT_TRUE(ui.valueChanged);
    EXPECT_TRUE(ui.showsPressed(BUTTON));
    now += 30;
    ui.handle(); // held: returns early, the value stays
    EXPECT_EQ(1, value(BUTTON));
    release(midX(b), midY(b));
    ui.handle();
    EXPECT_EQ(0, value(BUTTON));
    now += 71;
    EXPECT_FALSE(ui.showsPressed(BUTTON));
}

TEST_F(PanelTest, EnterPressesTheFocusedButton) {
    buildPanel();
    ui.focusIndex = BUTTON;
    ui.registerStandardKeys(13);
    ui.handle();
    EXPECT_EQ(1, value(BUTTON));
    EXPECT_TRUE(ui.keyUsed);
    ui.handle();
    EXPECT_EQ(0, value(BUTTON));
    ui.setUIInt(BUTTON, 1);
    EXPECT_EQ(1, value(BUTTON));
}

TEST_F(PanelTest, PressedLookLastsAHundredMilliseconds) {
    buildPanel();
    ui.focusIndex = BUTTON;
    ui.registerStandardKeys(13);
    ui.handle();
    now += 100;
    ui.handle();
    EXPECT_TRUE(ui.activeState);
    now += 1;
    ui.handle();
    EXPECT_FALSE(ui.activeState);
}

TEST_F(PanelTest, KeysMoveFocusAgainOnceThePressedLookIsOver) {
    buildPanel();
    ui.focusIndex = BUTTON;
    ui.registerStandardKeys(13);
    ui.handle();
    now += 150;
    ui.registerSpecialKeys(LGLUI::KEY_DOWN);
    ui.handle();
    EXPECT_EQ(LIST, ui.focusIndex);
}

// The spinner focused at 10; returns its increase arrow's area.
class SpinnerTest : public PanelTest {
  protected:
    tRect focusSpinner() {
        buildPanel();
        ui.focusIndex = SPINNER;
        ui.widgets[SPINNER].value = 10;
        ui.recordHitAreas();
        EXPECT_EQ(LGLUI::HIT_INCREASE, ui.widgets[SPINNER].hitCodes[1]);
        return ui.widgets[SPINNER].hitRects[1];
    }
};

TEST_F(SpinnerTest, HeldArrowActsOnceThenAfter400ThenEvery50) {
    const tRect inc = focusSpinner();
    press(midX(inc), midY(inc));
    ui.handle();
    EXPECT_EQ(20, value(SPINNER));
    now += 399;
    ui.handle();
    EXPECT_EQ(20, value(SPINNER));
    now += 1;
    ui.handle();
    EXPECT_EQ(30, value(SPINNER));
    now += 49;
    ui.handle();
    EXPECT_EQ(30, value(SPINNER));
    now += 1;
    ui.handle();
    EXPECT_EQ(40, value(SPINNER));
    now += 50;
    ui.handle();
    EXPECT_EQ(50, value(SPINNER));
    release(midX(inc), midY(inc));
    now += 500;
    ui.handle();
    ui.handle();
    EXPECT_EQ(50, value(SPINNER));
}

// The program handles the panel once more when the button goes up: after
// endRepeat a late release is not a repeat, and a press not yet handled
// still steps once.
TEST_F(SpinnerTest, ReleaseAfterASlowFrameStepsNoMore) {
    const tRect inc = focusSpinner();
    press(midX(inc), midY(inc));
    EXPECT_TRUE(ui.repeatHeld());
    ui.handle();
    now += 450; // the release comes after a slow frame
    ui.endRepeat();
    ui.handle();
    release(midX(inc), midY(inc));
    EXPECT_FALSE(ui.repeatHeld());
    EXPECT_EQ(20, value(SPINNER));

    ui.recordHitAreas();
    press(midX(inc), midY(inc)); // press and release with no frame between
    ui.endRepeat();
    ui.handle();
    release(midX(inc), midY(inc));
    EXPECT_EQ(30, value(SPINNER));
}

TEST_F(PanelTest, DecreaseArrowStepsDown) {
    buildPanel();
    ui.focusIndex = SPINNER;
    ui.recordHitAreas();
    const tRect dec = ui.widgets[SPINNER].hitRects[2];
    press(midX(dec), midY(dec));
    ui.handle();
    EXPECT_EQ(40, value(SPINNER));
}

TEST_F(PanelTest, ListBoxOpensStepsAndCloses) {
    buildPanel();
    ui.focusIndex = LIST;
    ui.registerSpecialKeys(LGLUI::KEY_RIGHT);
    ui.handle();
    EXPECT_TRUE(ui.activeState);
    EXPECT_TRUE(ui.popupOpen(LIST));
    EXPECT_TRUE(ui.keyUsed);
    ui.registerSpecialKeys(LGLUI::KEY_DOWN); // steps instead of moving focus
    ui.handle();
    EXPECT_EQ(LIST, ui.focusIndex);
    EXPECT_EQ(3, value(LIST));
    for (int i = 0; i < 3; ++i) {
        ui.registerSpecialKeys(LGLUI::KEY_DOWN);
        ui.handle();
    }
    EXPECT_EQ(4, value(LIST)); // the last entry
    for (int i = 0; i < 6; ++i) {
        ui.registerSpecialKeys(LGLUI::KEY_UP);
        ui.handle();
    }
    EXPECT_EQ(0, value(LIST));
    ui.registerSpecialKeys(LGLUI::KEY_LEFT);
    ui.handle();
    EXPECT_FALSE(ui.activeState);
    ui.registerSpecialKeys(LGLUI::KEY_RIGHT);
    ui.handle();
    ui.registerStandardKeys(13);
    ui.handle();
    EXPECT_FALSE(ui.activeState);
}

TEST_F(PanelTest, ClosedListBoxIgnoresUpAndDownAsSteps) {
    buildPanel();
    ui.focusIndex = LIST;
    ui.registerSpecialKeys(LGLUI::KEY_DOWN);
    ui.handle();
    EXPECT_EQ(2, value(LIST));
    EXPECT_EQ(SPINNER, ui.focusIndex);
}

TEST_F(PanelTest, ListBoxArrowOpensAndAnEntryIsPicked) {
    buildPanel();
    ui.focusIndex = LIST;
    ui.recordHitAreas();
    const tRect arrow = ui.widgets[LIST].hitRects[1];
    press(midX(arrow), midY(arrow));
    ui.handle();
    release(midX(arrow), midY(arrow));
    ui.handle();
    EXPECT_TRUE(ui.popupOpen(LIST));
    ui.recordHitAreas();
    const tRect entry = ui.popupEntryRect(LIST, 4);
    press(entry.x1 + 2, midY(entry));
    EXPECT_EQ(LGLUI::HIT_ENTRY + 4, ui.clickedCode);
    ui.handle();
    EXPECT_EQ(4, value(LIST));
    EXPECT_TRUE(ui.selectionMade);
    release(entry.x1 + 2, midY(entry));
    EXPECT_FALSE(ui.activeState);
    EXPECT_FALSE(ui.selectionMade);
}

TEST_F(PanelTest, PopupEntryOverAnotherRowWinsOverThatRow) {
    buildPanel();
    ui.addNumberSpinner("Prey size", 1, 10, 1, 4);
    ui.updateUIDimension();
    ui.focusIndex = LIST;
    ui.activeState = true;
    ui.recordHitAreas();
    // Entry 2 of the pop-up lies over the spinner field of row 4.
    const tRect field = ui.valueFieldRect(SPINNER);
    const tRect entry = ui.popupEntryRect(LIST, 2);
    const int x = field.x1 + 2;
    const int y = std::max(field.y1, entry.y1) + 1;
    ASSERT_TRUE(LGeom::pointInRect(x, y, field));
    ASSERT_TRUE(LGeom::pointInRect(x, y, entry));
    press(x, y);
    ui.handle();
    EXPECT_EQ(LIST, ui.focusIndex);
    EXPECT_EQ(2, value(LIST));
    EXPECT_EQ(50, value(SPINNER));
}

TEST_F(PanelTest, ClickOnAnotherWidgetClosesThePopup) {
    buildPanel();
    ui.focusIndex = LIST;
    ui.activeState = true;
    ui.recordHitAreas();
    const tRect b = ui.buttonRect(BUTTON);
    press(b.x1 + 1, b.y1 + 1);
    EXPECT_EQ(BUTTON, ui.focusIndex);
    EXPECT_FALSE(ui.popupOpen(LIST));
}

TEST_F(PanelTest, PressOutsideClosesThePopupAndTakesFocus) {
    buildPanel();
    ui.focusIndex = LIST;
    ui.activeState = true;
    ui.recordHitAreas();
    press(900, 900);
    EXPECT_FALSE(ui.hasFocus);
    EXPECT_FALSE(ui.activeState);
}

TEST_F(PanelTest, HiddenOrEmptyPanelDropsFocusOnAnyClick) {
    bool used = false;
    ui.hasFocus = true;
    ui.handleMouseClick(110, 60, false, true, used);
    EXPECT_FALSE(ui.hasFocus);
    buildPanel();
    ui.visible = false;
    ui.handleMouseClick(110, 60, false, true, used);
    EXPECT_FALSE(ui.hasFocus);
    EXPECT_FALSE(used);
}

TEST_F(PanelTest, ClickRecordsTheMousePosition) {
    buildPanel();
    press(123, 77);
    EXPECT_EQ(123, ui.mouseX);
    EXPECT_EQ(77, ui.mouseY);
}

TEST_F(PanelTest, EditTextTakesCharactersAndBackspace) {
    const int id = ui.addEditText("Note", "ab", 40);
    ui.hasFocus = true;
    ui.focusIndex = id;
    ui.registerStandardKeys('c');
    ui.handle();
    ui.registerStandardKeys(8);
    ui.handle();
    ui.registerStandardKeys(8);
    ui.handle();
    EXPECT_EQ("a", ui.widgets[id].text);
}
} // namespace
