#pragma once
// The window port of the command-line tool: no window, no timers, no
// drawing; the messages that the engine would show in a message box are kept
// so that the command can report them on standard error.

#include <string>
#include <vector>

#include "evolution/WindowPort.h"

class CliPort : public WindowPort {
  public:
    void startTimer(int, void (*)(int), int) override {}
    void postRedisplay() override {}
    void drawNow() override {}
    void layoutGrid() override {}
    void showMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;

    // The messages shown since the last call, oldest first; empties the list.
    std::vector<std::string> takeMessages();

  private:
    std::vector<std::string> messages_;
};

// The tool's port, installed as the engine's window port on first use.
CliPort& cliPort();
