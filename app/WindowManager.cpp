#include "app/WindowManager.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <vector>

#include "app/AppState.h"

namespace {

// The frame is looked for every 100 ms for 5 seconds after start-up.
constexpr unsigned FRAME_POLL_MS = 100;
constexpr int FRAME_POLL_TRIES = 50;

// _NET_WM_STATE's actions and the source of a request (an application).
enum : long { STATE_REMOVE = 0, STATE_ADD = 1 };
// The most atoms read of the window manager's supported list.
constexpr long MOST_SUPPORTED = 1024;
constexpr long SOURCE_APPLICATION = 1;

// A format-32 property of `window` as numbers (Xlib hands them as longs).
std::vector<long> cardinalProperty(Display* display, Window window, const char* name, Atom type,
                                   long words) {
    std::vector<long> values;
    const Atom property = XInternAtom(display, name, True);
    if (property == None)
        return values;
    Atom actualType = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, words, False, type,
                                          &actualType, &format, &items, &remaining, &data);
    if (status == Success && actualType == type && format == 32 && data != nullptr) {
        const long* words32 = reinterpret_cast<const long*>(data);
        values.assign(words32, words32 + items);
    }
    if (data != nullptr)
        XFree(data);
    return values;
}

bool windowManagerRuns(Display* display) {
    return !cardinalProperty(display, DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK",
                             XA_WINDOW, 1)
                .empty();
}

void pollFrame(int tries) {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr || !windowManagerRuns(display))
        return;
    FrameExtents frame;
    if (!readFrameExtents(frame)) {
        if (tries > 1)
            glutTimerFunc(FRAME_POLL_MS, pollFrame, tries - 1);
        return;
    }
    const ScreenRect client = windowOnScreen();
    const ScreenRect fitted =
        fitFramedWindow(client, frame, desktopWorkArea(desktopWidth, desktopHeight));
    if (fitted.width != client.width || fitted.height != client.height)
        glutReshapeWindow(fitted.width, fitted.height);
    // The window manager places the frame's top-left corner where the
    // window is asked to go (north-west gravity).
    if (fitted.x != client.x || fitted.y != client.y)
        glutPositionWindow(fitted.x - frame.left, fitted.y - frame.top);
}

} // namespace

ScreenRect desktopWorkArea(int screenWidth, int screenHeight) {
    ScreenRect area{0, 0, screenWidth, screenHeight};
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return area;
    // x, y, width and height of the first desktop's work area.
    const std::vector<long> words =
        cardinalProperty(display, DefaultRootWindow(display), "_NET_WORKAREA", XA_CARDINAL, 4);
    if (words.size() >= 4 && words[2] > 0 && words[3] > 0)
        area = ScreenRect{static_cast<int>(words[0]), static_cast<int>(words[1]),
                          static_cast<int>(words[2]), static_cast<int>(words[3])};
    XCloseDisplay(display);
    return area;
}

bool windowManagerFullScreen() {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr || !windowManagerRuns(display))
        return false;
    const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", True);
    if (fullScreen == None)
        return false;
    for (const long atom : cardinalProperty(display, DefaultRootWindow(display), "_NET_SUPPORTED",
                                            XA_ATOM, MOST_SUPPORTED))
        if (static_cast<Atom>(atom) == fullScreen)
            return true;
    return false;
}

void requestFullScreen(bool on) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0)
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = on ? STATE_ADD : STATE_REMOVE;
    event.xclient.data.l[1] =
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False));
    event.xclient.data.l[3] = SOURCE_APPLICATION;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

bool readFrameExtents(FrameExtents& frame) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0)
        return false;
    // Left, right, top and bottom.
    const std::vector<long> words =
        cardinalProperty(display, window, "_NET_FRAME_EXTENTS", XA_CARDINAL, 4);
    if (words.size() < 4)
        return false;
    frame = FrameExtents{static_cast<int>(words[0]), static_cast<int>(words[1]),
                         static_cast<int>(words[2]), static_cast<int>(words[3])};
    return true;
}

ScreenRect windowOnScreen() {
    ScreenRect rect{0, 0, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT)};
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0)
        return rect;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &rect.x, &rect.y,
                          &child);
    return rect;
}

void fitFrameToWorkArea() {
    glutTimerFunc(FRAME_POLL_MS, pollFrame, FRAME_POLL_TRIES);
}
