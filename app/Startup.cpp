#include "app/Startup.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/AppState.h"
#include "app/Callbacks.h"
#include "app/Commands.h"
#include "app/ControlPanel.h"
#include "app/DesktopIdentity.h"
#include "app/Display.h"
#include "app/FossilsView.h"
#include "app/GlutWindowPort.h"
#include "app/GtkDialogs.h"
#include "app/MenuBar.h"
#include "app/ModalInput.h"
#include "app/RuleBrowserView.h"
#include "app/SaveName.h"
#include "app/StartupArgs.h"
#include "app/WebPalette.h"
#include "app/WindowManager.h"
#include "app/XConnection.h"
#include "core/LFile.h"
#include "core/LSystem.h"
#include "evolution/RunControl.h"
#include "gl/LGL.h"
#include "gl/LGLFont.h"

namespace {

constexpr const char* CREATION_TITLE = "Gossamerix OpenGL";
constexpr const char* FONT_FACE = "Consolas";
constexpr int LARGE_FONT_SIZE = 22;
constexpr int SMALL_FONT_SHRINK = 3;

GlutWindowPort glutWindowPort;
GtkDialogProvider gtkDialogProvider;

void loadTexture(const std::string& folder, const char* name, unsigned& texture) {
    const std::string path = folder + name;
    if (LFile::fileExist(path))
        LGL::CreateTexture(texture, path);
}

void createFonts() {
    smallFont.create(LGLGetCurrentDC(), FONT_FACE, uiFontSize - SMALL_FONT_SHRINK, 0, 0);
    smallFont.setColor_rp(1.0f, 1.0f, 1.0f);
    largeFont.create(LGLGetCurrentDC(), FONT_FACE, LARGE_FONT_SIZE, 0, 0);
    largeFont.setColor_rp(1.0f, 1.0f, 1.0f);
}

} // namespace

bool displayAvailable() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || name[0] == '\0')
        return false;
    Display* display = XOpenDisplay(name);
    if (display == nullptr)
        return false;
    XCloseDisplay(display);
    return true;
}

void setWindowTitle() {
    static std::string shown;
    const std::string title = runWindowTitle(runFilePath, evolutionState.flags.unsavedWork.any(),
                                             LSystem::GetProductVersion());
    if (title == shown)
        return;
    shown = title;
    glutSetWindowTitle(title.c_str());
    setUtf8WindowTitle(title);
}

void loadTextures() {
    flyTexture = 0;
    spiderTexture = 0;
    // Beside the program (the build tree), else in the installed data folder.
    const std::string exeFolder = LFile::getExePath();
    for (const std::string& folder :
         {textureFolderBesideProgram(exeFolder), textureFolderInData(exeFolder)}) {
        if (flyTexture == 0)
            loadTexture(folder, "fly3.tga", flyTexture);
        if (spiderTexture == 0)
            loadTexture(folder, "araneus.tga", spiderTexture);
    }
}

void prepareWindow() {
    registerCallbacks();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    setWindowTitle();
    setDesktopIdentity();
    setDialogParentWindow(static_cast<unsigned long>(glXGetCurrentDrawable()));
    watchMainWindow(static_cast<unsigned long>(glXGetCurrentDrawable()), drawFrame);
    guardWindowClose(static_cast<unsigned long>(glXGetCurrentDrawable()), mayCloseWindow);
    setWindowPort(&glutWindowPort);
    LFile::setDialogProvider(&gtkDialogProvider);

    createFonts();
    buildMenuBar();
    buildControlPanel();
    buildFossilPanel();
    handleControlPanel();
    loadTextures();
    currentView = VIEW_SIMULATOR;
    buildRuleBrowser();
    layoutRuleBrowser();
    setWebPalette(0);
    resetWebLineWidths();
}

int runProgram(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr, "arachnovix: cannot open an X display (is DISPLAY set?)\n");
        return 1;
    }
    glutInit(&argc, argv);
    const std::string startupFile = startupRunFile(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    desktopWidth = glutGet(GLUT_SCREEN_WIDTH);
    desktopHeight = glutGet(GLUT_SCREEN_HEIGHT);
    chooseUiLayout(desktopHeight);
    const ScreenRect start = fitStartWindow(desktopWorkArea(desktopWidth, desktopHeight));
    windowX = start.x;
    windowY = start.y;
    windowWidth = start.width;
    windowHeight = start.height;
    glutInitWindowPosition(windowX, windowY);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow(CREATION_TITLE);
    prepareWindow();
    fitFrameToWorkArea();
    if (!startupFile.empty())
        openWhenRunning(startupFile);
    glutMainLoop();
    return 0;
}
