#include "FakeFont.h"

void fakeFont(LGLFont& font, int width) {
    font.numFonts = 1;
    font.curFont = 0;
    font.fonts[0].listBase = 0;
    font.fonts[0].height = 16;
    for (int c = 0; c < LGLFont::NUM_CHARS; ++c)
        font.fonts[0].widths[c] = width;
}
