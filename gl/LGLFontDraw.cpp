// Drawing text from a created font at raster positions.
#include <GL/gl.h>

#include <cstring>

#include "gl/LGLFont.h"
#include "gl/LGLProjection.h"

namespace {
const float SHADOW_GRAY = 0.3f;
const char TAB = '\t';
} // namespace

int LGLFont::drawText(int x, int y, const char* text, size_t n, float r, float g, float b) {
    if (!text || curFont < 0 || curFont >= numFonts)
        return 0;
    const int w = widthOf(text, n);
    if (n == 0)
        return w;
    const int start = alignedStart(x, w);
    const GLuint base = fonts[curFont].listBase;
    if (shadow) {
        glPushAttrib(GL_LIST_BIT);
        glColor3f(SHADOW_GRAY, SHADOW_GRAY, SHADOW_GRAY);
        glRasterPos2i(start + 1, y + 1);
        glListBase(base);
        glCallLists(GLsizei(n), GL_UNSIGNED_BYTE, text);
        glPopAttrib();
    }
    glPushAttrib(GL_LIST_BIT);
    glColor3f(r, g, b);
    glRasterPos2i(start, y);
    glListBase(base);
    glCallLists(GLsizei(n), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
    return w;
}

void LGLFont::writeAt_rp(int x, int y, const std::string& text) {
    drawText(x, y, text.data(), text.size(), rpColor[0], rpColor[1], rpColor[2]);
}

void LGLFont::writeAt_rp(int x, int y, const char* text, float r, float g, float b) {
    drawText(x, y, text, text ? std::strlen(text) : 0, r, g, b);
}

void LGLFont::begin() {
    pushWindowProjection(winWidth, winHeight);
}

void LGLFont::end() {
    popWindowProjection();
}

void LGLFont::useNamedColor(float r, float g, float b) {
    color[0] = r;
    color[1] = g;
    color[2] = b;
    glColor3fv(color);
    // The raster colour is taken when the position is set: set it again.
    GLfloat pos[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, pos);
    glRasterPos2f(pos[0], float(winHeight) - pos[1]);
}

void LGLFont::cWhite() {
    useNamedColor(1, 1, 1);
}
void LGLFont::cBlack() {
    useNamedColor(0, 0, 0);
}
void LGLFont::cRed() {
    useNamedColor(1, 0, 0);
}
void LGLFont::cGreen() {
    useNamedColor(0, 1, 0);
}
void LGLFont::cDarkGreen() {
    useNamedColor(0, 0.5f, 0);
}
void LGLFont::cBlue() {
    useNamedColor(0, 0, 1);
}
void LGLFont::cDarkBlue() {
    useNamedColor(0, 0, 0.5f);
}
void LGLFont::cYellow() {
    useNamedColor(1, 1, 0);
}
void LGLFont::cPurple() {
    useNamedColor(1, 0, 1);
}
void LGLFont::cCyan() {
    useNamedColor(0, 1, 1);
}
void LGLFont::cGray(float v) {
    useNamedColor(v, v, v);
}

void LGLFont::write(const std::string& text) {
    rpX += drawText(rpX, rpY, text.data(), text.size(), rpColor[0], rpColor[1], rpColor[2]);
}

void LGLFont::writeAt(int x, int y, const std::string& text) {
    begin();
    drawText(x, y, text.data(), text.size(), color[0], color[1], color[2]);
    end();
}

void LGLFont::writeAt_rp_tab(int x, int y, const std::string& text) {
    int pen = x;
    size_t from = 0;
    while (true) {
        const size_t tab = text.find(TAB, from);
        const size_t n = (tab == std::string::npos ? text.size() : tab) - from;
        pen += drawText(pen, y, text.data() + from, n, rpColor[0], rpColor[1], rpColor[2]);
        if (tab == std::string::npos)
            break;
        int stop = 0;
        while (stop < NUM_TAB_STOPS && x + tabStops[stop] <= pen)
            ++stop;
        if (stop < NUM_TAB_STOPS)
            pen = x + tabStops[stop];
        from = tab + 1;
    }
}

void LGLFont::writeLine_rp_tab(const std::string& text) {
    writeAt_rp_tab(rpX, rpY, text);
    rpY += lineSpacing;
}

void LGLFont::writeBuffer() {
    for (const std::string& line : buffer)
        writeLine_rp_tab(line);
}
