// Creating a font: a face found by name, rasterised into 256 display lists.
#include <GL/gl.h>
#include <GL/glx.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/LString.h"
#include "gl/LGLFont.h"
#include "gl/LGLFontRaster.h"

namespace {

const int TOO_MANY_FONTS_STATUS = -1;
// The ascent is taken over the printable ASCII characters.
const int FIRST_PRINTABLE = 32;
const int LAST_PRINTABLE = 126;

void compileGlyph(unsigned list, const LGLGlyph& g) {
    glNewList(list, GL_COMPILE);
    glBitmap(g.width, g.rows, float(-g.left), float(g.rows - g.top), float(g.advance), 0.0f,
             g.bits.empty() ? nullptr : g.bits.data());
    glEndList();
}

} // namespace

LGLDC LGLGetCurrentDC() {
    return reinterpret_cast<LGLDC>(glXGetCurrentContext());
}

void LGLFont::create(LGLDC hdc, const char* face, int height, int weight, unsigned long italic) {
    if (numFonts >= MAX_FONTS) {
        std::printf("ERROR: NumFonts>10\n");
        std::fflush(stdout);
        std::exit(TOO_MANY_FONTS_STATUS);
    }
    shadow = false;
    const std::string name = face ? face : "";
    if (!hdc) {
        std::printf("LGLFont::create> no current OpenGL context, font \"%s\" left out\n",
                    name.c_str());
        return;
    }
    const unsigned base = glGenLists(NUM_CHARS);
    if (base == 0)
        return;
    LGLFaceMatch match;
    std::vector<LGLGlyph> glyphs;
    const bool symbolSet = LString::LowerCase(name) == "symbol";
    if (!LGLFontRaster::matchFace(name, weight, italic != 0, match) ||
        !LGLFontRaster::rasterise(match, height, symbolSet, glyphs)) {
        std::printf("LGLFont::create> no usable font face for \"%s\", font left out\n",
                    name.c_str());
        glDeleteLists(base, NUM_CHARS);
        return;
    }
    GLGLFont& f = fonts[numFonts];
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    f.ascent = 0;
    for (int c = 0; c < NUM_CHARS; ++c) {
        compileGlyph(base + unsigned(c), glyphs[c]);
        f.widths[c] = glyphs[c].advance;
        if (c >= FIRST_PRINTABLE && c <= LAST_PRINTABLE && glyphs[c].rows > 0 &&
            glyphs[c].top > f.ascent)
            f.ascent = glyphs[c].top;
    }
    glPopClientAttrib();
    f.listBase = base;
    f.height = height;
    ++numFonts;
}
