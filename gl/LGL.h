#ifndef OVLIB_GL_LGL_H
#define OVLIB_GL_LGL_H

#include <string>

#include "gl/GlApi.h"

// The toolkit's small drawing vocabulary: colour records and setters, quick
// text in the GLUT 9x15 font, and textures from image files. All functions
// work on the OpenGL context that is current on the calling thread.
class OVLIB_GL_API LGL {
  public:
    struct tGLRGB {
        float r;
        float g;
        float b;
    };
    struct tGLRGBA {
        float r;
        float g;
        float b;
        float a;
    };
    // Fixed colours of UseColor(cColor).
    enum cColor {
        cRed = 0,
        cGreen = 1,
        cBlue = 2,
        cYellow = 3,
        cOrange = 4,
        cBlack = 5,
        cWhite = 6,
        cMagenta = 7,
        cCyan = 8,
        cOlive = 9
    };

    // Text in the GLUT 9x15 bitmap font at raster position (x, y), each
    // character 1.3 times its own width after the previous one, in the
    // current colour.
    static void WriteString(const char* text, int x, int y);

    static void SetColor(tGLRGB& c, float r, float g, float b);
    static void SetColor(tGLRGBA& c, float r, float g, float b, float a);
    static void SetColor256(tGLRGB& c, int r, int g, int b);
    static void SetGray256(tGLRGB& c, int v);
    static void UseColor(const tGLRGB& c);
    static void UseColor(const tGLRGBA& c);
    // Any value outside the table leaves the current colour unchanged.
    static void UseColor(cColor c);
    // The (r, g, b) that UseColor(c) makes current; false outside the table.
    static bool colorOf(int c, tGLRGB& out);

    // A mipmapped 2-D texture from an image file (TGA, 24 or 32 bits,
    // uncompressed). A missing file ends the process with status 255; an
    // unsupported kind or an unreadable image gives an empty texture name
    // and one diagnostic line.
    static void CreateTexture(unsigned& id, std::string fileName);
    static void CreateTexture(unsigned& id, std::string fileName, int& width, int& height);
};

#endif
