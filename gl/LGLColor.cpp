// Colour records, their setters and the fixed colour table.
#include <GL/gl.h>

#include "gl/LGL.h"

namespace {

const float COLOR_TABLE[][3] = {
    {1.0f, 0.0f, 0.0f}, // red
    {0.0f, 1.0f, 0.0f}, // green
    {0.0f, 0.0f, 1.0f}, // blue
    {1.0f, 1.0f, 0.0f}, // yellow
    {1.0f, 0.5f, 0.0f}, // orange
    {0.0f, 0.0f, 0.0f}, // black
    {1.0f, 1.0f, 1.0f}, // white
    {1.0f, 0.0f, 1.0f}, // magenta
    {0.0f, 1.0f, 1.0f}, // cyan
    {0.5f, 0.5f, 0.2f}, // olive
};
const int COLOR_COUNT = int(sizeof(COLOR_TABLE) / sizeof(COLOR_TABLE[0]));

} // namespace

void LGL::SetColor(tGLRGB& c, float r, float g, float b) {
    c.r = r;
    c.g = g;
    c.b = b;
}

void LGL::SetColor(tGLRGBA& c, float r, float g, float b, float a) {
    c.r = r;
    c.g = g;
    c.b = b;
    c.a = a;
}

void LGL::SetColor256(tGLRGB& c, int r, int g, int b) {
    c.r = r / 255.0f;
    c.g = g / 255.0f;
    c.b = b / 255.0f;
}

void LGL::SetGray256(tGLRGB& c, int v) {
    SetColor256(c, v, v, v);
}

void LGL::UseColor(const tGLRGB& c) {
    glColor3f(c.r, c.g, c.b);
}

void LGL::UseColor(const tGLRGBA& c) {
    glColor4f(c.r, c.g, c.b, c.a);
}

bool LGL::colorOf(int c, tGLRGB& out) {
    if (c < 0 || c >= COLOR_COUNT)
        return false;
    SetColor(out, COLOR_TABLE[c][0], COLOR_TABLE[c][1], COLOR_TABLE[c][2]);
    return true;
}

void LGL::UseColor(cColor c) {
    tGLRGB rgb;
    if (colorOf(int(c), rgb))
        UseColor(rgb);
}
