// Quick text in the GLUT 9x15 bitmap font.
#include <GL/freeglut.h>

#include "gl/LGL.h"

namespace {
// The quick writer spaces its characters 30 % wider than the font does.
const double SPACING = 1.3;
} // namespace

void LGL::WriteString(const char* text, int x, int y) {
    if (!text)
        return;
    double a = 0.0;
    for (const char* p = text; *p; ++p) {
        const int c = (unsigned char)*p;
        glRasterPos2f(float(x + a), float(y));
        glutBitmapCharacter(GLUT_BITMAP_9_BY_15, c);
        a += SPACING * glutBitmapWidth(GLUT_BITMAP_9_BY_15, c);
    }
}
