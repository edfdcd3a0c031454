#include "app/DesktopIdentity.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>
#include <vector>

#include "app/WindowIconData.inc"

namespace {

// Must match StartupWMClass of the desktop entry.
char kWmName[] = "arachnovix";
char kWmClass[] = "Arachnovix";

void setClassHint(Display* display, Window window) {
    XClassHint* hint = XAllocClassHint();
    if (hint == nullptr) {
        return;
    }
    hint->res_name = kWmName;
    hint->res_class = kWmClass;
    XSetClassHint(display, window, hint);
    XFree(hint);
}

void setIcon(Display* display, Window window) {
    // _NET_WM_ICON is a CARDINAL list: width, height, then ARGB pixels; Xlib
    // wants format-32 items as longs.
    std::vector<unsigned long> data;
    data.reserve(2 + kWindowIconSize * kWindowIconSize);
    data.push_back(kWindowIconSize);
    data.push_back(kWindowIconSize);
    for (unsigned int pixel : kWindowIconPixels) {
        data.push_back(pixel);
    }
    Atom netWmIcon = XInternAtom(display, "_NET_WM_ICON", False);
    XChangeProperty(display, window, netWmIcon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()),
                    static_cast<int>(data.size()));
}

} // namespace

void setDesktopIdentity() {
    Display* display = glXGetCurrentDisplay();
    GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) {
        return;
    }
    setClassHint(display, window);
    setIcon(display, window);
    XFlush(display);
}

void setUtf8WindowTitle(const std::string& title) {
    Display* display = glXGetCurrentDisplay();
    GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0)
        return;
    // WM_NAME as set by GLUT is Latin-1; _NET_WM_NAME carries the UTF-8 text.
    Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, netWmName, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
    XFlush(display);
}
