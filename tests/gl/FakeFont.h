#ifndef OVLIB_TESTS_GL_FAKEFONT_H
#define OVLIB_TESTS_GL_FAKEFONT_H

#include "gl/LGLFont.h"

// Gives a font object one font without OpenGL: every code `width` pixels
// wide, so that layouts can be checked with numbers worked out by hand.
void fakeFont(LGLFont& font, int width);

#endif
