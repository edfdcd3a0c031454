#include "app/WorkArea.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

constexpr long WORKAREA_WORDS = 4;

bool readWorkArea(Display* display, ScreenRect& area) {
    const Atom property = XInternAtom(display, "_NET_WORKAREA", True);
    if (property == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status =
        XGetWindowProperty(display, DefaultRootWindow(display), property, 0, WORKAREA_WORDS, False,
                           XA_CARDINAL, &type, &format, &items, &remaining, &data);
    const bool ok = status == Success && type == XA_CARDINAL && format == 32 &&
                    items >= static_cast<unsigned long>(WORKAREA_WORDS) && data != nullptr;
    if (ok) {
        // Format 32 properties arrive as longs.
        const long* words = reinterpret_cast<const long*>(data);
        area = ScreenRect{static_cast<int>(words[0]), static_cast<int>(words[1]),
                          static_cast<int>(words[2]), static_cast<int>(words[3])};
    }
    if (data != nullptr)
        XFree(data);
    return ok && area.width > 0 && area.height > 0;
}

} // namespace

ScreenRect desktopWorkArea(int screenWidth, int screenHeight) {
    ScreenRect area{0, 0, screenWidth, screenHeight};
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return area;
    ScreenRect announced;
    if (readWorkArea(display, announced))
        area = announced;
    XCloseDisplay(display);
    return area;
}
