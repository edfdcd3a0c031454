#include "app/Commands.h"

#include <GL/freeglut.h>

#include <dlfcn.h>
#include <link.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/AppState.h"
#include "app/ControlPanel.h"
#include "app/Display.h"
#include "app/FossilsModel.h"
#include "app/GtkDialogs.h"
#include "app/PanelSettings.h"
#include "app/RuleBrowserView.h"
#include "app/SaveName.h"
#include "app/SimulatorGrid.h"
#include "app/WindowManager.h"
#include "core/LFile.h"
#include "evolution/EvolutionState.h"
#include "evolution/PopulationFile.h"
#include "evolution/RunControl.h"
#include "evolution/WindowPort.h"
#include "gl/LGLUI.h"

void showSimulator() {
    currentView = VIEW_SIMULATOR;
    hidePanel(fossilPanel);
    showPanel(controlPanel);
    layoutSimulator();
    glutPostRedisplay();
}

void showRuleBrowser() {
    stopRun();
    currentView = VIEW_RULE_BROWSER;
    const int sel = evolutionState.selectedSpider;
    if (sel >= 0 && sel < evolutionState.populationSize)
        loadRuleBrowser(evolutionState.spiders[sel], sel);
    layoutRuleBrowser();
    glutPostRedisplay();
}

void showFossilsBrowser() {
    stopRun();
    currentView = VIEW_FOSSILS;
    layoutFossils();
    showPanel(fossilPanel);
    hidePanel(controlPanel);
    glutPostRedisplay();
}

namespace {

// Full screen by the window manager; back, the window and its frame return
// where they were.
void toggleWindowManagerFullScreen() {
    if (isFullScreen) {
        FrameExtents frame;
        readFrameExtents(frame);
        const ScreenRect client = windowOnScreen();
        savedWindowGeometry = tSavedGeometry{client.width, client.height, client.x - frame.left,
                                             client.y - frame.top};
        requestFullScreen(true);
        return;
    }
    requestFullScreen(false);
    const tSavedGeometry& saved = savedWindowGeometry;
    glutReshapeWindow(saved.width, saved.height);
    glutPositionWindow(saved.x, saved.y);
}

} // namespace

void toggleFullScreen() {
    isFullScreen = !isFullScreen;
    if (windowManagerFullScreen()) {
        toggleWindowManagerFullScreen();
    } else if (isFullScreen) {
        windowX = glutGet(GLUT_WINDOW_X);
        windowY = glutGet(GLUT_WINDOW_Y);
        savedWindowGeometry = tSavedGeometry{windowWidth, windowHeight, windowX, windowY};
        desktopWidth = glutGet(GLUT_SCREEN_WIDTH);
        desktopHeight = glutGet(GLUT_SCREEN_HEIGHT);
        glutReshapeWindow(desktopWidth, desktopHeight - 1);
        glutPositionWindow(0, 0);
        glutShowWindow();
    } else {
        windowWidth = savedWindowGeometry.width;
        windowHeight = savedWindowGeometry.height;
        windowX = savedWindowGeometry.x;
        windowY = savedWindowGeometry.y;
        glutReshapeWindow(windowWidth, windowHeight);
        glutPositionWindow(windowX, windowY);
    }
    layoutSimulator();
    glutPostRedisplay();
}

void toggleShowGenes() {
    showGenes = !showGenes;
    glutPostRedisplay();
}

void toggleLeavePrey() {
    leavePrey = !leavePrey;
    glutPostRedisplay();
}

void leaveBrowsers() {
    // Back was pressed before this command: its write-back comes first.
    if (ruleBrowser.writeBackPending)
        ruleBrowser.writeBack(evolutionState);
    if (currentView != VIEW_SIMULATOR)
        showSimulator();
}

void openPopulationFile() {
    leaveBrowsers();
    if (!mayDiscardRun("open another run"))
        return;
    const std::string path = LFile::OpenFileDialog(POPULATION_TYPE_NAME, POPULATION_PATTERN);
    drawFrame(); // the window shows again where the dialog stood
    if (path.empty())
        return;
    openPopulationPath(path);
}

namespace {

// The window as run control sees it while a file opens: the loader's
// refusal is kept, to be shown with the file's name and reason.
class OpeningPort : public WindowPort {
  public:
    explicit OpeningPort(WindowPort& window) : window_(window) {}
    std::string refusal;

    void startTimer(int ms, void (*callback)(int), int value) override {
        window_.startTimer(ms, callback, value);
    }
    void postRedisplay() override { window_.postRedisplay(); }
    void drawNow() override { window_.drawNow(); }
    void layoutGrid() override { window_.layoutGrid(); }
    void showMessage(const std::string& text, const std::string&, MessageIcon) override {
        refusal = text;
    }

  private:
    WindowPort& window_;
};

constexpr const char* CANNOT_READ = "ERROR: Cannot read file.";

} // namespace

void openPopulationPath(const std::string& path) {
    leaveBrowsers();
    WindowPort& window = windowPort();
    OpeningPort opening(window);
    setWindowPort(&opening);
    std::string why;
    const bool opened = openRunFile(path, &why);
    setWindowPort(&window);
    if (!opened) {
        const bool damaged = opening.refusal == NOT_A_POPULATION_FILE_MESSAGE;
        window.showMessage(
            refusalText(damaged ? NOT_A_POPULATION_FILE_MESSAGE : CANNOT_READ, path, why),
            MESSAGE_CAPTION, MessageIcon::Plain);
        glutPostRedisplay();
        return;
    }
    runFilePath = path;
    writeSettingsToPanel(currentRunSettings(), evolutionState.populationSize);
    layoutSimulator();
    drawFrame();
}

namespace {

void saveTo(const std::string& path) {
    if (savePopulation(path)) {
        markRunSaved();
        runFilePath = path;
    }
    glutPostRedisplay();
}

} // namespace

void savePopulationFileAs() {
    const std::string chosen = LFile::SaveFileDialog(POPULATION_TYPE_NAME, POPULATION_PATTERN);
    drawFrame();
    if (chosen.empty())
        return;
    const std::string path = populationFileName(chosen);
    // The dialog asked about the name as typed; ask again when the
    // extension makes it name another file that exists.
    if (path != chosen && LFile::fileExist(path) &&
        !askQuestion("A file named \"" + path + "\" already exists. Replace it?",
                     MESSAGE_CAPTION)) {
        glutPostRedisplay();
        return;
    }
    saveTo(path);
}

void savePopulationFile() {
    if (runFilePath.empty())
        savePopulationFileAs();
    else
        saveTo(runFilePath);
}

namespace {

// Keeps the OpenGL driver loaded until the process ends, so that what it
// still holds at exit stays attributable to it (for leak checkers).
int pinDriver(struct dl_phdr_info* info, size_t, void*) {
    if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "/dri/") != nullptr)
        dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}

} // namespace

void exitProgram() {
    if (!mayDiscardRun("quit"))
        return;
    quitProgram();
}

bool mayCloseWindow() {
    if (!mayDiscardRun("quit"))
        return false;
    // Closed by freeglut, which then ends the process: the run stops first.
    stopRun();
    return true;
}

void quitProgram() {
    // A queued run tick or fresh-generation timer may still fire while the
    // window closes below; with the run stopped and no window they do nothing.
    stopRun();
    std::printf("Exit\n");
    std::fflush(stdout);
    // Closing the window and GLUT lets the OpenGL driver release what it
    // holds for them before the process ends.
    dl_iterate_phdr(pinDriver, nullptr);
    glutDestroyWindow(glutGetWindow());
    glutMainLoopEvent();
    glutExit();
    std::exit(0);
}

void newPopulationOfCurrentSize() {
    leaveBrowsers();
    if (mayDiscardRun(START_NEW_RUN))
        startNewRun(0);
}

void startNewRun(int size) {
    newPopulation(size);
    runFilePath.clear();
}
