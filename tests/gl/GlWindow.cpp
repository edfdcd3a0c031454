#include "GlWindow.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>

#include <dlfcn.h>
#include <link.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>

// On a busy machine the X server's queue of new connections can be full for
// a moment, and the connection attempt then fails at once. Every connection
// of this test program, freeglut's included, comes through here and is tried
// again for up to two seconds.
extern "C" __attribute__((visibility("default"))) Display* XOpenDisplay(const char* name) {
    typedef Display* (*OpenFn)(const char*);
    static OpenFn realOpen = reinterpret_cast<OpenFn>(dlsym(RTLD_NEXT, "XOpenDisplay"));
    const int ATTEMPTS = 100;
    const useconds_t PAUSE_MICROS = 20000;
    for (int i = 0; i < ATTEMPTS; ++i) {
        Display* d = realOpen(name);
        if (d)
            return d;
        usleep(PAUSE_MICROS);
    }
    return nullptr;
}

namespace {

const int WIDTH = 640;
const int HEIGHT = 480;
// Far beyond any screen: the window never covers other tests' windows.
const int OFF_SCREEN = 20000;
bool opened = false;
int window = 0;
std::string failure;

// Closes the window after the last test, so that the GL driver gives its
// buffers back before the leak checker looks.
class WindowCleanup : public ::testing::Environment {
  public:
    void TearDown() override {
        if (!opened)
            return;
        glutDestroyWindow(window);
        glutMainLoopEvent();
        glutExit();
        opened = false;
    }
};
::testing::Environment* const cleanup = ::testing::AddGlobalTestEnvironment(new WindowCleanup);

void noDisplay() {}

// The X server's GL driver is loaded by libGL and unloaded again when the
// display closes; keep it loaded so that the leak checker can still name
// the driver's own allocations (which tests/sanitizer/lsan.supp suppresses).
int pinDriver(struct dl_phdr_info* info, size_t, void*) {
    if (info->dlpi_name && std::strstr(info->dlpi_name, "/dri/"))
        dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}

bool displayAnswers(std::string& why) {
    const char* name = std::getenv("DISPLAY");
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        why = std::string("cannot open the X display \"") + (name ? name : "") +
              "\": run the window tests under scripts/with-display.sh or xvfb-run";
        return false;
    }
    XCloseDisplay(d);
    return true;
}

} // namespace

bool openTestWindow(std::string& why) {
    if (opened)
        return true;
    if (!failure.empty() || !displayAnswers(failure)) {
        why = failure;
        return false;
    }
    int argc = 1;
    char name[] = "gl_window_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(OFF_SCREEN, OFF_SCREEN);
    glutInitWindowSize(WIDTH, HEIGHT);
    window = glutCreateWindow("ovlib_gl tests");
    glutDisplayFunc(noDisplay);
    // Drawing and reading back use the back buffer only: the window need
    // not be shown.
    glutHideWindow();
    for (int i = 0; i < 10; ++i)
        glutMainLoopEvent();
    dl_iterate_phdr(pinDriver, nullptr);
    opened = true;
    return true;
}

int windowWidth() {
    return glutGet(GLUT_WINDOW_WIDTH);
}
int windowHeight() {
    return glutGet(GLUT_WINDOW_HEIGHT);
}

void beginFrame() {
    glViewport(0, 0, windowWidth(), windowHeight());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, windowWidth(), windowHeight(), 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
}

Rgb pixelAt(int x, int y) {
    unsigned char p[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, windowHeight() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return Rgb{p[0], p[1], p[2]};
}

void rasterPosition(float& x, float& y) {
    GLfloat pos[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, pos);
    x = pos[0];
    y = float(windowHeight()) - pos[1];
}
