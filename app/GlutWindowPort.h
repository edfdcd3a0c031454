#pragma once
// Run control's window port for the program's GLUT window: timers, redraws,
// the grid layout and GTK message boxes.

#include "evolution/WindowPort.h"

class GlutWindowPort : public WindowPort {
  public:
    void startTimer(int milliseconds, void (*callback)(int), int value) override;
    void postRedisplay() override;
    void drawNow() override;
    void layoutGrid() override;
    void showMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    bool askYesNo(const std::string& text, const std::string& caption) override;
};
