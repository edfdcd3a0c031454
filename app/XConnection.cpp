#include "app/XConnection.h"

// Opening the X display with a few retries. Under heavy load an X server can
// refuse a new connection for a moment (the connection is reset or would
// block); the window, GLUT and the GTK dialogs all open their connections
// through this function, so a passing refusal does not end the program.

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>

namespace {

constexpr int CONNECT_ATTEMPTS = 20;
constexpr useconds_t CONNECT_PAUSE_US = 50000;

using OpenDisplayFunction = Display* (*)(const char*);

OpenDisplayFunction systemOpenDisplay()
{
    static OpenDisplayFunction function =
        reinterpret_cast<OpenDisplayFunction>(dlsym(RTLD_NEXT, "XOpenDisplay"));
    return function;
}

bool displayNamed(const char* name)
{
    const char* env = std::getenv("DISPLAY");
    return (name != nullptr && name[0] != '\0') || (env != nullptr && env[0] != '\0');
}

} // namespace

extern "C" __attribute__((visibility("default"))) Display* XOpenDisplay(const char* name)
{
    const OpenDisplayFunction open = systemOpenDisplay();
    if (open == nullptr)
        return nullptr;
    Display* display = open(name);
    for (int attempt = 1; display == nullptr && displayNamed(name) && attempt < CONNECT_ATTEMPTS;
         ++attempt) {
        usleep(CONNECT_PAUSE_US);
        display = open(name);
    }
    return display;
}

// Closing the main window: the window manager's close request passes
// through here before freeglut sees it, so that the program can ask first.
// A refused request is blanked out; freeglut then ignores it.
namespace {

using NextEventFunction = int (*)(Display*, XEvent*);

unsigned long guardedWindow = 0;
bool (*closeAllowed)() = nullptr;

NextEventFunction systemNextEvent()
{
    static NextEventFunction function =
        reinterpret_cast<NextEventFunction>(dlsym(RTLD_NEXT, "XNextEvent"));
    return function;
}

bool isCloseRequest(Display* display, const XEvent& event)
{
    if (event.type != ClientMessage || event.xclient.window != guardedWindow ||
        event.xclient.format != 32)
        return false;
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", True);
    return deleteWindow != None && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow;
}

} // namespace

void guardWindowClose(unsigned long window, bool (*allowed)())
{
    guardedWindow = window;
    closeAllowed = allowed;
}

extern "C" __attribute__((visibility("default"))) int XNextEvent(Display* display, XEvent* event)
{
    const NextEventFunction next = systemNextEvent();
    if (next == nullptr)
        return 0;
    const int result = next(display, event);
    if (guardedWindow != 0 && closeAllowed != nullptr && isCloseRequest(display, *event) &&
        !closeAllowed())
        event->xclient.data.l[0] = None;
    return result;
}
