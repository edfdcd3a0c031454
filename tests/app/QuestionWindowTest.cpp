// The program's window around its questions: what is typed or clicked in it
// while a question is open is dropped, and a run of a size the panel does not
// offer keeps its size. Needs an X display (scripts/with-display.sh).

#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdio>
#include <string>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/ControlPanel.h"
#include "app/Display.h"
#include "app/GlutWindowPort.h"
#include "app/ModalInput.h"
#include "app/SimulatorGrid.h"
#include "app/Startup.h"
#include "evolution/EvolutionState.h"
#include "evolution/PopulationFile.h"
#include "evolution/RunControl.h"
#include "gl/LGLUI.h"

#include "tests/app/ProgramWindow.h"

namespace {

Display* display() {
    return glXGetCurrentDisplay();
}

Window window() {
    return static_cast<Window>(glXGetCurrentDrawable());
}

// An event as the X server hands it to the window.
XEvent eventFor(int type) {
    XEvent e{};
    e.xany.type = type;
    e.xany.display = display();
    e.xany.window = window();
    e.xkey.root = DefaultRootWindow(display());
    e.xkey.same_screen = True;
    return e;
}

void sendKey(KeySym key) {
    for (int type : {KeyPress, KeyRelease}) {
        XEvent e = eventFor(type);
        e.xkey.keycode = XKeysymToKeycode(display(), key);
        XSendEvent(display(), window(), True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &e);
    }
}

void sendClick(int x, int y) {
    for (int type : {ButtonPress, ButtonRelease}) {
        XEvent e = eventFor(type);
        e.xbutton.button = Button1;
        e.xbutton.x = x;
        e.xbutton.y = y;
        XSendEvent(display(), window(), True,
                   type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
    }
}

// Lets the window handle what reached it.
void handleEvents() {
    XSync(display(), False);
    for (int i = 0; i < 20; ++i)
        glutMainLoopEvent();
}

// The centre of the grid cell of spider i, in window pixels.
void cellCentre(int i, int& x, int& y) {
    const GridGeometry g = currentGridGeometry();
    const int row = i / gridColumns;
    const int column = i % gridColumns;
    x = static_cast<int>(g.offsetX + 1 + g.cell * (column + 0.5));
    y = static_cast<int>(g.offsetY + 70 + g.cell * (row + 0.5));
}

// Questions as the program asks them, answered no; while the first is open
// the user presses F6 and "o" and clicks a web.
class BusyUserPort : public GlutWindowPort {
  public:
    int asked = 0;
    int clickX = 0, clickY = 0;
    bool askYesNo(const std::string&, const std::string&) override {
        ++asked;
        return runWhileModal([this] {
                   EXPECT_TRUE(dialogOpen());
                   if (asked == 1) {
                       sendKey(XK_F6);
                       sendKey(XK_o);
                       sendClick(clickX, clickY);
                   }
                   return 0;
               }) != 0;
    }
};

TEST(QuestionWindow, InputMadeWhileAQuestionIsOpenIsDropped) {
    openProgramWindow();
    if (HasFatalFailure())
        return;
    BusyUserPort user;
    setWindowPort(&user);
    evolutionState.numPrey = 20;
    startNewRun(6);
    runOneStep();
    runOneStep();
    timeStepBackward(); // generation 1 of 2: breeding asks
    handleEvents();
    layoutSimulator();
    const int selected = evolutionState.selectedSpider;
    cellCentre(selected == 0 ? 1 : 0, user.clickX, user.clickY);
    const std::vector<int32_t> history = evolutionState.fossilRecord;

    runOneStep();
    handleEvents();
    EXPECT_EQ(user.asked, 1);
    EXPECT_FALSE(dialogOpen());
    EXPECT_EQ(evolutionState.generation, 1);
    EXPECT_EQ(evolutionState.fossilRecord, history);
    EXPECT_EQ(evolutionState.selectedSpider, selected);
    EXPECT_FALSE(evolutionState.flags.isRunning);

    // The same key outside a question does reach the program.
    sendKey(XK_F6);
    handleEvents();
    EXPECT_EQ(user.asked, 2);
    EXPECT_EQ(evolutionState.generation, 1);
    setWindowPort(nullptr);
    markRunSaved();
}

TEST(QuestionWindow, ARunOfASizeNotOfferedKeepsItsSize) {
    openProgramWindow();
    if (HasFatalFailure())
        return;
    evolutionState.numPrey = 20;
    startNewRun(7);
    const std::string path = ::testing::TempDir() + "arachnovix-size-test.axv";
    ASSERT_TRUE(savePopulation(path));
    startNewRun(60);
    openPopulationPath(path);
    EXPECT_EQ(runFilePath, path);
    std::string shown;
    controlPanel.getUIString(controlPanelIds[CP_POPULATION], shown);
    EXPECT_EQ(shown, "7");
    handleControlPanel(); // as every frame does
    EXPECT_EQ(evolutionState.populationSize, 7);
    newPopulationOfCurrentSize(); // Ctrl-N
    EXPECT_EQ(evolutionState.populationSize, 7);
    EXPECT_TRUE(runFilePath.empty()); // a new run is untitled
    std::remove(path.c_str());
}

} // namespace
