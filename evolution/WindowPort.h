#pragma once
// What run control needs from the window, and nothing more. The program
// implements it with GLUT and GTK; tests install a recording fake; without
// either, a headless port prints messages on standard output and ignores the
// rest (the command-line tool runs that way).

#include <string>

// The icon of a message box; Plain shows none (text and OK only).
enum class MessageIcon { Warning, Error, Info, Plain };

class WindowPort {
  public:
    virtual ~WindowPort() = default;
    // Calls callback(value) once after `milliseconds` (glutTimerFunc).
    virtual void startTimer(int milliseconds, void (*callback)(int), int value) = 0;
    // Asks for one redraw at the next opportunity (glutPostRedisplay).
    virtual void postRedisplay() = 0;
    // Draws the window at once (the display routine).
    virtual void drawNow() = 0;
    // Lays out the Simulator grid for the current population size.
    virtual void layoutGrid() = 0;
    // A modal message box with the given caption; returns when dismissed.
    virtual void showMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
    // A modal yes/no question whose default answer is no; true only when the
    // user answers yes. A port with nobody to ask shows the question as a
    // message and answers yes.
    virtual bool askYesNo(const std::string& text, const std::string& caption);
};

// The port in use; never null (a headless port until the program installs its own).
WindowPort& windowPort();
// Installs a port (nullptr restores the headless one). The caller keeps ownership.
void setWindowPort(WindowPort* port);
