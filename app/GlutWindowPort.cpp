#include "app/GlutWindowPort.h"

#include <GL/freeglut.h>

#include "app/AppState.h"
#include "app/Display.h"
#include "app/FossilsModel.h"
#include "app/GtkDialogs.h"
#include "app/SimulatorGrid.h"

void GlutWindowPort::startTimer(int milliseconds, void (*callback)(int), int value)
{
    glutTimerFunc(static_cast<unsigned>(milliseconds), callback, value);
}

void GlutWindowPort::postRedisplay()
{
    glutPostRedisplay();
}

void GlutWindowPort::drawNow()
{
    drawFrame();
}

void GlutWindowPort::layoutGrid()
{
    // A run timer that fires once more after the Fossils Browser was opened
    // must not lay the Simulator's grid over the fossil grid.
    if (currentView == VIEW_FOSSILS)
        layoutFossils();
    else
        layoutSimulator();
}

void GlutWindowPort::showMessage(const std::string& text, const std::string& caption,
                                 MessageIcon icon)
{
    showMessageBox(text, caption, icon);
    glutPostRedisplay();
}
