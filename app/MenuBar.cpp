#include "app/MenuBar.h"

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/HistoryChart.h"
#include "evolution/RunControl.h"
#include "gl/LGLMenu.h"

namespace {

constexpr const char* MENU_FONT = "Consolas";
constexpr int MENU_FONT_SIZE = 16;
constexpr double MENU_ROW_FACTOR = 1.4;

void noAction() {}

void checkItem(const char* label, bool on) {
    for (menuColumn& menu : LGLMenu::menus)
        for (menuItem& item : menu.items)
            if (item.label == label)
                item.checked = on;
}

} // namespace

void buildMenuBar() {
    menuBar.initialize(MENU_FONT, MENU_FONT_SIZE, MENU_ROW_FACTOR);

    menuBar.addMenu("File");
    menuBar.addItem("New [Ctrl-N]", newPopulationOfCurrentSize);
    menuBar.addItem("Open [Ctrl-O]", openPopulationFile);
    menuBar.addItem("-", nullptr);
    menuBar.addItem("Save [Ctrl-S]", savePopulationFile);
    menuBar.addItem("Save As... [Ctrl-Shift-S]", savePopulationFileAs);
    menuBar.addItem("-", nullptr);
    menuBar.addItem("Exit [CTRL-Q]", exitProgram);

    menuBar.addMenu("Simulate");
    menuBar.addItem("Run / Stop [F5]", fromSimulator<runStop>);
    menuBar.addItem("Run 1 Step [F6]", fromSimulator<runOneStep>);
    menuBar.addItem("-", nullptr);
    menuBar.addItem("Time Step Backward [F7]", fromSimulator<timeStepBackward>);
    menuBar.addItem("Time Step Forward [F8]", fromSimulator<timeStepForward>);
    menuBar.addItem("-", nullptr);
    menuBar.addItem("Evaluate Spiders [Ctrl-E]", fromSimulator<evaluateNow>);

    menuBar.addMenu("View");
    menuBar.addItem("Simulator [F2]", showSimulator);
    menuBar.addItem("Rule Browser [F3]", showRuleBrowser);
    menuBar.addItem("Fossils Browser [F4]", showFossilsBrowser);
    menuBar.addItem("-", nullptr);
    menuBar.addItem("Show Genes [Ctrl-G]", toggleShowGenes);
    menuBar.addItem("Leave Prey", toggleLeavePrey);
    menuBar.addItem("History Chart [H]", toggleHistoryChart);
    menuBar.addItem("-", nullptr);
    menuBar.addItem("Toggle FullScreen [F9]", toggleFullScreen);

    menuBar.addMenu("Help");
    menuBar.addItem("Overview [F1]", noAction);
    showToggleStates();
}

void showToggleStates() {
    checkItem("Show Genes", showGenes);
    checkItem("Leave Prey", leavePrey);
    checkItem("History Chart", showHistoryChart);
    checkItem("Toggle FullScreen", isFullScreen);
}
