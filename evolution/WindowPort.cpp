#include "evolution/WindowPort.h"

#include <cstdio>

namespace {

// Without a window: timers are never fired, redraws have nothing to draw,
// and messages go to standard output as "caption: text".
class HeadlessWindowPort : public WindowPort {
  public:
    void startTimer(int, void (*)(int), int) override {}
    void postRedisplay() override {}
    void drawNow() override {}
    void layoutGrid() override {}
    void showMessage(const std::string& text, const std::string& caption, MessageIcon) override {
        std::printf("%s: %s\n", caption.c_str(), text.c_str());
        std::fflush(stdout);
    }
};

HeadlessWindowPort headlessPort;
WindowPort* currentPort = &headlessPort;

} // namespace

bool WindowPort::askYesNo(const std::string& text, const std::string& caption) {
    showMessage(text, caption, MessageIcon::Info);
    return true;
}

WindowPort& windowPort() {
    return *currentPort;
}

void setWindowPort(WindowPort* port) {
    currentPort = port ? port : &headlessPort;
}
