// gl-demo: a window with the toolkit's menu bar, a control panel holding
// every widget kind, a list box with its pop-up open, text in the three
// faces the program uses, quick GLUT text and a texture read from a TGA file.
//
//   gl-demo            interactive
//   gl-demo --opened   starts with the "Simulate" menu open and an item
//                      highlighted, and a pop-up list open (for screenshots)
#include <GL/freeglut.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gl/LGL.h"
#include "gl/LGLFont.h"
#include "gl/LGLMenu.h"
#include "gl/LGLUI.h"

namespace {

const int WIDTH = 1000;
const int HEIGHT = 680;
const int TEXTURE_SIZE = 64;

LGLMenu menuBar;
LGLUI panel;
LGLUI listPanel;
LGLFont fonts; // one object holding several created fonts
unsigned texture = 0;
bool running = false;
bool showGrid = true;
std::string status = "Ready";

void say(const char* what) {
    status = what;
    std::printf("%s\n", what);
    glutPostRedisplay();
}

void actNew() {
    say("New");
}
void actOpen() {
    say("Open");
}
void actSave() {
    say("Save As");
}
void actExit() {
    std::printf("Exit\n");
    std::exit(0);
}
void actRun() {
    running = !running;
    menuBar.checkMenuItem(1, 0, running);
    say(running ? "Running" : "Stopped");
}
void actStep() {
    say("One step");
}
void actBack() {
    say("Backward");
}
void actForward() {
    say("Forward");
}
void actGrid() {
    showGrid = !showGrid;
    menuBar.checkMenuItem(2, 0, showGrid);
    say("Grid toggled");
}

void buildMenu() {
    menuBar.initialize("Consolas", 16, 1.4);
    menuBar.addMenu("File");
    menuBar.addItem("New [Ctrl-N]", actNew);
    menuBar.addItem("Open [Ctrl-O]", actOpen);
    menuBar.addItem("-", nullptr);
    menuBar.addItem("Save As... [Ctrl-S]", actSave);
    menuBar.addItem("-", nullptr);
    menuBar.addItem("Exit [CTRL-Q]", actExit);
    menuBar.addMenu("Simulate");
    menuBar.addItem("Run / Stop [F5]", actRun);
    menuBar.addItem("Run 1 Step [F6]", actStep);
    menuBar.addItem("-", nullptr);
    menuBar.addItem("Time Step Backward [F7]", actBack);
    menuBar.addItem("Time Step Forward [F8]", actForward);
    menuBar.addItem("Disabled item", nullptr);
    menuBar.addMenu("View");
    menuBar.addItem("Show Grid [Ctrl-G]", actGrid);
    menuBar.addItem("Leave Prey", actStep);
    menuBar.addMenu("Help");
    menuBar.addItem("Overview [F1]", nullptr);
    menuBar.checkMenuItem(2, 0, showGrid);
}

void buildPanels() {
    panel.initialize(0, 0, 22, 1.5, 9);
    panel.dispose();
    panel.addSeparator();
    panel.addButton("New [Ctrl-N]");
    std::vector<std::string> sizes = {"6", "15", "24", "40", "60"};
    panel.addListBox("Population Size", sizes, 2);
    panel.addSeparator();
    panel.addNumberSpinner("Number of prey", 10, 100, 10, 100);
    panel.addNumberSpinner("Step of 0.5", 0, 10, 0.5, 2.5);
    std::vector<std::string> models = {"Off", "Dist", "Dist+Grav"};
    panel.addListSpinner("Attack model", models, 1);
    panel.addEditText("Note", "orb web", 60);
    panel.addBlankSpace();
    panel.addButton("Run / Stop [F5]");
    panel.addSeparator();
    panel.visible = panel.hasFocus = true;
    panel.focusIndex = 4;
    panel.panelX = WIDTH - panel.panelWidth - 20;
    panel.panelY = 60;
    panel.updateUIDimension();

    listPanel.initialize(0, 0, 16, 1.5, 'n');
    listPanel.dispose();
    listPanel.addSeparator();
    listPanel.addListBox("Attack sim", models, 2);
    listPanel.addNumberSpinner("Prey size", 1, 10, 1, 4);
    listPanel.addSeparator();
    listPanel.panelX = 330;
    listPanel.panelY = 500;
    listPanel.focusIndex = 1;
    listPanel.updateUIDimension();
}

// A checkered 64 x 64 TGA written to a temporary file, then read back as a
// texture the way the program reads its sprites.
void makeTexture() {
    const char* path = "/tmp/gl-demo-texture.tga";
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return;
    unsigned char header[18] = {0};
    header[2] = 2;
    header[12] = TEXTURE_SIZE;
    header[14] = TEXTURE_SIZE;
    header[16] = 32;
    std::fwrite(header, 1, sizeof(header), f);
    for (int y = 0; y < TEXTURE_SIZE; ++y) {
        for (int x = 0; x < TEXTURE_SIZE; ++x) {
            const bool dark = ((x / 8) + (y / 8)) % 2;
            const unsigned char bgra[4] = {(unsigned char)(dark ? 40 : 240),
                                           (unsigned char)(dark ? 120 : 200),
                                           (unsigned char)(dark ? 200 : 60), 255};
            std::fwrite(bgra, 1, 4, f);
        }
    }
    std::fclose(f);
    LGL::CreateTexture(texture, path);
}

void drawTexture() {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(30, 560);
    glTexCoord2f(1, 0);
    glVertex2i(130, 560);
    glTexCoord2f(1, 1);
    glVertex2i(130, 660);
    glTexCoord2f(0, 1);
    glVertex2i(30, 660);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

void drawSamples() {
    const char* names[] = {"Consolas",         "Arial",
                           "Tahoma",           "Consolas (13 px)",
                           "Arial bold 18 px", "Tahoma italic 15 px"};
    int y = 190;
    for (int i = 0; i < fonts.numFonts; ++i) {
        fonts.selectFont(i);
        fonts.shadow = false;
        fonts.setColor_rp(1, 1, 1);
        char line[160];
        std::snprintf(line, sizeof(line),
                      "%s: Generation 42  Fit=1234  \xE9t\xE9 \x80 5 \xB1 2 \xA9", names[i]);
        fonts.writeAt_rp(20, y, line);
        y += fonts.fonts[i].height + 12;
    }
    fonts.selectFont(1);
    fonts.alignment = 0;
    fonts.writeAt_rp(300, y + 10, "centred on x = 300", 1.0f, 1.0f, 0.3f);
    fonts.alignment = -1;
    fonts.writeAt_rp(300, y + 40, "ending at x = 300", 0.4f, 1.0f, 0.4f);
    fonts.alignment = 1;
    fonts.shadow = true;
    fonts.writeAt_rp(20, y + 70, "with a shadow", 1.0f, 1.0f, 1.0f);
    fonts.shadow = false;
    glColor3f(0.7f, 0.85f, 1.0f);
    LGL::WriteString((char*)"LGL::WriteString in GLUT 9x15", 20, y + 100);
    glColor3f(0.5f, 0.5f, 0.5f);
    glBegin(GL_LINES);
    glVertex2i(300, y - 5);
    glVertex2i(300, y + 45);
    glEnd();
    fonts.selectFont(0);
    fonts.writeAt_rp(150, 615, ("Status: " + status).c_str(), 0.9f, 0.9f, 0.9f);
}

void display() {
    glClearColor(0.08f, 0.1f, 0.16f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    fonts.begin();
    drawTexture();
    drawSamples();
    fonts.end();
    panel.handle();
    panel.render();
    listPanel.handle();
    listPanel.render();
    menuBar.render();
    glutSwapBuffers();
}

void reshape(int w, int h) {
    glViewport(0, 0, w, h == 0 ? 1 : h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, h, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void keyboard(unsigned char key, int, int) {
    menuBar.handleStandardKeys(key);
    panel.registerStandardKeys(key);
    listPanel.registerStandardKeys(key);
    glutPostRedisplay();
}

void special(int key, int, int) {
    panel.registerSpecialKeys(key);
    listPanel.registerSpecialKeys(key);
    menuBar.handleSpecialKeys(key);
    glutPostRedisplay();
}

void mouse(int button, int state, int x, int y) {
    const bool left = button == GLUT_LEFT_BUTTON && state == GLUT_DOWN;
    const bool right = button == GLUT_RIGHT_BUTTON && state == GLUT_DOWN;
    bool used = false;
    menuBar.handleMenuMouseClick(x, y, right, left, used);
    if (!used) {
        panel.handleMouseClick(x, y, right, left, used);
        listPanel.handleMouseClick(x, y, right, left, used);
    }
    glutPostRedisplay();
}

void passive(int x, int y) {
    menuBar.handleMousePassiveMotion(x, y);
    glutPostRedisplay();
}

// Keeps a held arrow repeating while the mouse button stays down.
void tick(int) {
    if (panel.mouseDown || listPanel.mouseDown)
        glutPostRedisplay();
    glutTimerFunc(30, tick, 0);
}

void openForScreenshot() {
    bool used = false;
    const tRect title = LGLMenu::titleRects[1];
    menuBar.handleMenuMouseClick(title.x1 + 5, title.y1 + 5, false, true, used);
    const tRect list = LGLMenu::menus[1].dropRect;
    menuBar.handleMousePassiveMotion(list.x1 + 20,
                                     list.y1 + menuBar.rowHeight * 3 + menuBar.rowHeight / 2);
    listPanel.hasFocus = true;
    listPanel.activeState = true;
}

} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(WIDTH, HEIGHT);
    glutCreateWindow("ovlib_gl demo");
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(special);
    glutMouseFunc(mouse);
    glutPassiveMotionFunc(passive);
    glutTimerFunc(30, tick, 0);

    fonts.create(LGLGetCurrentDC(), "Consolas", 22, 0, 0);
    fonts.create(LGLGetCurrentDC(), "Arial", 22, 0, 0);
    fonts.create(LGLGetCurrentDC(), "Tahoma", 16, 0, 0);
    fonts.create(LGLGetCurrentDC(), "Consolas", 13, 0, 0);
    fonts.create(LGLGetCurrentDC(), "Arial", 18, 700, 0);
    fonts.create(LGLGetCurrentDC(), "Tahoma", 15, 0, 1);
    buildMenu();
    buildPanels();
    makeTexture();
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--opened") == 0)
            openForScreenshot();
    glutMainLoop();
    return 0;
}
