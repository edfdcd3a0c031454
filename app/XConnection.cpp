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

OpenDisplayFunction systemOpenDisplay() {
    static OpenDisplayFunction function =
        reinterpret_cast<OpenDisplayFunction>(dlsym(RTLD_NEXT, "XOpenDisplay"));
    return function;
}

bool displayNamed(const char* name) {
    const char* env = std::getenv("DISPLAY");
    return (name != nullptr && name[0] != '\0') || (env != nullptr && env[0] != '\0');
}

} // namespace

extern "C" __attribute__((visibility("default"))) Display* XOpenDisplay(const char* name) {
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
