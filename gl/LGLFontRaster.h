#ifndef OVLIB_GL_LGLFONTRASTER_H
#define OVLIB_GL_LGLFONTRASTER_H

#include <string>
#include <vector>

#include "gl/GlApi.h"

// A face found for a requested family name.
struct OVLIB_GL_API LGLFaceMatch {
    std::string file;   // font file
    int index;          // face index within the file
    std::string family; // family name of the face found
    bool emboldens;     // a bold weight was asked for but the face is regular
    bool slants;        // italic was asked for but the face is upright
};

// One glyph as glBitmap takes it: rows from the bottom up, each row
// (width + 7) / 8 bytes, most significant bit leftmost.
struct OVLIB_GL_API LGLGlyph {
    int width;
    int rows;
    int left;    // from the pen position to the bitmap's left edge
    int top;     // from the baseline up to the bitmap's top edge
    int advance; // pen movement in whole pixels
    std::vector<unsigned char> bits;

    bool pixel(int x, int yFromTop) const;
};

// Font lookup (fontconfig) and rasterisation (FreeType), without OpenGL.
class OVLIB_GL_API LGLFontRaster {
  public:
    // Matches a family name with fallback: faces known to be monospaced fall
    // back to "monospace", every other name to "sans-serif". weight: 0 means
    // regular, otherwise the usual 100 ... 900 scale.
    static bool matchFace(const std::string& family, int weight, bool italic, LGLFaceMatch& out);

    // Rasterises the character codes 0 ... 255 (128 ... 255 as Windows-1252,
    // or the face's symbol set when `symbolSet`) so that the face's cell
    // (ascent + descent) is cellHeight pixels; a negative height gives an em
    // square of -cellHeight pixels, 0 is refused. Codes without a character
    // (controls, unassigned codes) get an empty glyph of advance 0.
    static bool rasterise(const LGLFaceMatch& face, int cellHeight, bool symbolSet,
                          std::vector<LGLGlyph>& glyphs);

    // The Unicode character of a Windows-1252 code, 0 for none.
    static unsigned codeToUnicode(int code);
};

#endif
