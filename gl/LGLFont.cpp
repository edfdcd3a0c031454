// Font records, widths, alignment and the writers' state.
#include "gl/LGLFont.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const int DEFAULT_TAB_WIDTH = 40;
const int DEFAULT_LINE_SPACING = 20;
const int ILLEGAL_FONT_STATUS = -15;
const float DEFAULT_GRAY = 0.5f;
} // namespace

int LGLFont::tabStops[LGLFont::NUM_TAB_STOPS];

LGLFont::LGLFont()
    : alignment(1), shadow(false), numFonts(0), rpX(0), rpY(0), lineSpacing(DEFAULT_LINE_SPACING),
      curFont(0), winWidth(1), winHeight(1) {
    std::memset(fonts, 0, sizeof(fonts));
    color[0] = color[1] = color[2] = DEFAULT_GRAY;
    rpColor[0] = rpColor[1] = rpColor[2] = rpColor[3] = 1.0f;
    setTabWidth(DEFAULT_TAB_WIDTH);
}

LGLFont::~LGLFont() {
    // The glyphs live in the context's display lists; without a current
    // context there is nothing left to delete.
    if (!LGLGetCurrentDC())
        return;
    for (int i = 0; i < numFonts; ++i)
        if (fonts[i].listBase != 0)
            glDeleteLists(fonts[i].listBase, NUM_CHARS);
}

void LGLFont::setTabWidth(int w) {
    for (int i = 0; i < NUM_TAB_STOPS; ++i)
        tabStops[i] = w * (i + 1);
}

void LGLFont::selectFont(int id) {
    if (id < 0 || id >= numFonts) {
        std::printf("ERROR LGLFont::selectFont> illegal font_id %i\n", id);
        std::fflush(stdout);
        std::exit(ILLEGAL_FONT_STATUS);
    }
    curFont = id;
}

int LGLFont::widthOf(const char* text, size_t n) const {
    if (curFont < 0 || curFont >= numFonts)
        return 0;
    const GLGLFont& f = fonts[curFont];
    long long w = 0;
    for (size_t i = 0; i < n; ++i)
        w += f.widths[(unsigned char)text[i]];
    return int(w);
}

int LGLFont::pixWidthOf(const std::string& text) const {
    return widthOf(text.data(), text.size());
}

int LGLFont::alignedStart(int x, int w) const {
    if (alignment > 0)
        return x;
    if (alignment == 0)
        return int(x - w / 2.0); // half a pixel truncated
    return x - w;
}

void LGLFont::setColor_rp(float r, float g, float b) {
    rpColor[0] = r;
    rpColor[1] = g;
    rpColor[2] = b;
}

void LGLFont::setColor_rp(float r, float g, float b, float a) {
    setColor_rp(r, g, b);
    rpColor[3] = a;
}

void LGLFont::setPos_rp(int x, int y) {
    rpX = x;
    rpY = y;
}

void LGLFont::getPos_rp(int& x, int& y) {
    x = rpX;
    y = rpY;
}

void LGLFont::setLineSpacing_rp(int spacing) {
    lineSpacing = spacing;
}

int LGLFont::getLineSpacing_rp() {
    return lineSpacing;
}

void LGLFont::push(const std::string& line) {
    buffer.push_back(line);
}

void LGLFont::clearBuffer() {
    buffer.clear();
}

int LGLFont::ascentOf() const {
    return curFont >= 0 && curFont < numFonts ? fonts[curFont].ascent : 0;
}
