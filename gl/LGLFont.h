#ifndef OVLIB_GL_LGLFONT_H
#define OVLIB_GL_LGLFONT_H

#include <string>
#include <vector>

#include "gl/GlApi.h"

// The drawing context a font is created on: an opaque handle for the OpenGL
// context that is current on the calling thread (null when there is none).
struct LGLDeviceContext;
typedef LGLDeviceContext* LGLDC;

// The handle of the current OpenGL context, as LGLFont::create takes it.
OVLIB_GL_API LGLDC LGLGetCurrentDC();

// Bitmap text from a named font face: every created font is 256 display
// lists of glyph bitmaps, one per character code 0 ... 255 (codes 128 ... 255
// are the Windows-1252 characters), whose raster advance equals the recorded
// width. Text is drawn at the current raster position.
class OVLIB_GL_API LGLFont {
  public:
    static constexpr int MAX_FONTS = 10;
    static constexpr int NUM_CHARS = 256;
    static constexpr int NUM_TAB_STOPS = 20;

    struct GLGLFont {
        unsigned int listBase; // first of 256 consecutive display lists
        int widths[NUM_CHARS]; // advance width in pixels of each code
        int height;            // the height the font was requested with
        int ascent;            // tallest printable ASCII glyph above the baseline
    };

    int alignment; // > 0: text starts at x; 0: centred on x; < 0: ends at x
    bool shadow;   // a grey copy one pixel right and down first
    GLGLFont fonts[MAX_FONTS];
    int numFonts;
    float color[3];   // last colour chosen by the named-colour functions
    float rpColor[4]; // colour of writeAt_rp(x, y, text) and the line writers
    int rpX, rpY;     // the line writers' position
    int lineSpacing;
    int curFont;
    int winWidth, winHeight; // window size recorded by begin()

    // Tab stops of the tab-aware writers, shared by every font object.
    static int tabStops[NUM_TAB_STOPS];

    LGLFont();
    ~LGLFont();

    // Creates the next font: the face is matched by family name with
    // fallback ("Consolas" finds a monospace face, "Arial" and "Tahoma" a
    // sans face), rasterised at a cell height of `height` pixels with the
    // given weight (0 or 400 regular, 700 bold) and italic flag. An eleventh
    // font ends the process with status 255; without a current context or
    // a usable face, one line is printed and the font is left out.
    void create(LGLDC hdc, const char* face, int height, int weight, unsigned long italic);

    // Writers at a raster position in the current projection.
    void writeAt_rp(int x, int y, const std::string& text);
    void writeAt_rp(int x, int y, const char* text, float r, float g, float b);
    void setColor_rp(float r, float g, float b);
    void setColor_rp(float r, float g, float b, float a);
    void setPos_rp(int x, int y);
    void getPos_rp(int& x, int& y);
    void setLineSpacing_rp(int spacing);
    int getLineSpacing_rp();

    // An id outside 0 ... numFonts - 1 ends the process with status 241.
    void selectFont(int id);
    int pixWidthOf(const std::string& text) const;
    // How far the current font's tallest printable ASCII glyph reaches above
    // the baseline, in pixels.
    int ascentOf() const;
    // Where text of pixel width w written at x starts, by the alignment.
    int alignedStart(int x, int w) const;

    // Window-pixel projection (y downwards) for the writers, and back.
    void begin();
    void end();

    // Named colours: stored in `color`, made current, raster position
    // re-issued so that they apply to the next glyphs.
    void cWhite();
    void cBlack();
    void cRed();
    void cGreen();
    void cDarkGreen();
    void cBlue();
    void cDarkBlue();
    void cYellow();
    void cPurple();
    void cCyan();
    void cGray(float v);

    // Further writers. write: at the line writers' position in rpColor,
    // which then moves right by the text's width. writeAt: at window pixel
    // (x, y) (y downwards) in `color`, inside begin()/end(). The tab writers
    // jump to the next tab stop right of x at every tab character;
    // writeLine_rp_tab writes at the line position and moves it one line
    // down. push collects lines that writeBuffer writes line by line from
    // the line position and clearBuffer forgets.
    void write(const std::string& text);
    void writeAt(int x, int y, const std::string& text);
    void writeAt_rp_tab(int x, int y, const std::string& text);
    void writeLine_rp_tab(const std::string& text);
    void push(const std::string& line);
    void writeBuffer();
    void clearBuffer();
    // Tab stops at w, 2w, ..., 20w.
    static void setTabWidth(int w);

  private:
    std::vector<std::string> buffer;
    int drawText(int x, int y, const char* text, size_t n, float r, float g, float b);
    int widthOf(const char* text, size_t n) const;
    void useNamedColor(float r, float g, float b);
};

#endif
