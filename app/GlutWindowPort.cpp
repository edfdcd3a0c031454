#include "app/GlutWindowPort.h"

#include <GL/freeglut.h>

#include "app/Display.h"
#include "app/GtkDialogs.h"
#include "app/Views.h"

void GlutWindowPort::startTimer(int milliseconds, void (*callback)(int), int value) {
    glutTimerFunc(static_cast<unsigned>(milliseconds), callback, value);
}

void GlutWindowPort::postRedisplay() {
    // A timer may still fire while the window is closing.
    if (glutGetWindow() != 0)
        glutPostRedisplay();
}

void GlutWindowPort::drawNow() {
    if (glutGetWindow() != 0)
        drawFrame();
}

void GlutWindowPort::layoutGrid() {
    shownView().runTick();
}

void GlutWindowPort::showMessage(const std::string& text, const std::string& caption,
                                 MessageIcon icon) {
    showMessageBox(text, caption, icon);
    postRedisplay();
}

bool GlutWindowPort::askYesNo(const std::string& text, const std::string& caption) {
    // Without GTK there is no way to ask (nor to save): the command goes on.
    if (!initializeDialogs()) {
        showMessageBox(text, caption, MessageIcon::Info);
        return true;
    }
    const bool yes = askQuestion(text, caption);
    postRedisplay();
    return yes;
}
