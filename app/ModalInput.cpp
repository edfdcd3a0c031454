#include "app/ModalInput.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {

int openDialogs = 0;
unsigned long mainWindow = 0;
void (*repaintWindow)() = nullptr;

// The window's connection: the one its GL context was made on.
Display* mainDisplay() {
    return mainWindow == 0 ? nullptr : glXGetCurrentDisplay();
}

// Keys, clicks and pointer moves of the window. GLUT reads the pointer
// through the X input extension too, whose events come as generic events:
// every one of them on this connection counts.
Bool isInput(Display*, XEvent* event, XPointer) {
    switch (event->type) {
    case KeyPress:
    case KeyRelease:
    case ButtonPress:
    case ButtonRelease:
    case MotionNotify:
        return event->xany.window == mainWindow ? True : False;
    case GenericEvent:
        return True;
    default:
        return False;
    }
}

void dropInput(Display* display) {
    XEvent event;
    while (XCheckIfEvent(display, &event, isInput, nullptr)) {
    }
}

} // namespace

bool dialogOpen() {
    return openDialogs > 0;
}

int runWhileModal(const std::function<int()>& run) {
    ++openDialogs;
    const int answer = run();
    --openDialogs;
    dropQueuedInput();
    return answer;
}

void watchMainWindow(unsigned long xWindow, void (*repaint)()) {
    mainWindow = xWindow;
    repaintWindow = repaint;
}

void serviceMainWindow() {
    Display* display = mainDisplay();
    if (display == nullptr)
        return;
    dropInput(display);
    XEvent event;
    bool exposed = false;
    while (XCheckTypedWindowEvent(display, mainWindow, Expose, &event))
        exposed = true;
    if (exposed && repaintWindow != nullptr)
        repaintWindow();
}

void dropQueuedInput() {
    Display* display = mainDisplay();
    if (display == nullptr)
        return;
    // Everything sent before now has reached the queue after the round trip.
    XSync(display, False);
    dropInput(display);
}
