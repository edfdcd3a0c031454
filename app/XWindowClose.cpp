#include "app/XConnection.h"

#include <X11/Xlib.h>
#include <dlfcn.h>

// Closing the main window: the window manager's close request passes
// through here before freeglut sees it, so that the program can ask first.
// A refused request is blanked out; freeglut then ignores it.
namespace {

using NextEventFunction = int (*)(Display*, XEvent*);

unsigned long guardedWindow = 0;
bool (*closeAllowed)() = nullptr;

NextEventFunction systemNextEvent() {
    static NextEventFunction function =
        reinterpret_cast<NextEventFunction>(dlsym(RTLD_NEXT, "XNextEvent"));
    return function;
}

bool isCloseRequest(Display* display, const XEvent& event) {
    if (event.type != ClientMessage || event.xclient.window != guardedWindow ||
        event.xclient.format != 32)
        return false;
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", True);
    return deleteWindow != None && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow;
}

} // namespace

void guardWindowClose(unsigned long window, bool (*allowed)()) {
    guardedWindow = window;
    closeAllowed = allowed;
}

extern "C" __attribute__((visibility("default"))) int XNextEvent(Display* display, XEvent* event) {
    const NextEventFunction next = systemNextEvent();
    if (next == nullptr)
        return 0;
    const int result = next(display, event);
    if (guardedWindow != 0 && closeAllowed != nullptr && isCloseRequest(display, *event) &&
        !closeAllowed())
        event->xclient.data.l[0] = None;
    return result;
}
