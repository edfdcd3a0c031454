// Fonts drawn into a real OpenGL window.
#include <GL/freeglut.h>

#include <cstring>

#include "GlWindow.h"
#include "gl/LGL.h"
#include "gl/LGLFont.h"
#include "gl/LGLFontRaster.h"

namespace {

bool lit(const Rgb& p) {
    return p.r > 128 || p.g > 128 || p.b > 128;
}

// Lit pixels in the window area.
int inkIn(int x1, int y1, int x2, int y2) {
    int n = 0;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            n += lit(pixelAt(x, y));
    return n;
}

int leftmostInk(int x1, int y1, int x2, int y2) {
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y)
            if (lit(pixelAt(x, y)))
                return x;
    return -1;
}

class FontDraw : public GlWindowTest {
  protected:
    LGLFont font;
    void SetUp() override {
        GlWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        font.create(LGLGetCurrentDC(), "Arial", 16, 0, 0);
        ASSERT_EQ(1, font.numFonts);
    }
};

TEST_F(FontDraw, CurrentContextHasAHandle) {
    EXPECT_NE(nullptr, LGLGetCurrentDC());
}

TEST_F(FontDraw, EveryGlyphAdvancesTheRasterByItsWidth) {
    const GLuint base = font.fonts[0].listBase;
    for (int c = 0; c < 256; ++c) {
        glRasterPos2i(10, 40);
        glCallList(base + c);
        float x = 0, y = 0;
        rasterPosition(x, y);
        EXPECT_FLOAT_EQ(10.0f + font.fonts[0].widths[c], x) << "code " << c;
        EXPECT_FLOAT_EQ(40.0f, y) << "code " << c;
    }
    EXPECT_EQ(16, font.fonts[0].height);
}

TEST_F(FontDraw, GlyphBitmapLandsOnTheBaselineUpright) {
    LGLFaceMatch m;
    std::vector<LGLGlyph> glyphs;
    ASSERT_TRUE(LGLFontRaster::matchFace("Arial", 0, false, m));
    ASSERT_TRUE(LGLFontRaster::rasterise(m, 16, false, glyphs));
    for (int c : {int('F'), int('g'), int('L'), 0xE9}) {
        beginFrame();
        const char text[2] = {char(c), 0};
        font.writeAt_rp(50, 60, text, 1, 1, 1);
        const LGLGlyph& g = glyphs[c];
        ASSERT_GT(g.rows, 0);
        int mismatches = 0;
        for (int y = -2; y < g.rows + 2; ++y)
            for (int x = -2; x < g.width + 2; ++x)
                mismatches += g.pixel(x, y) != lit(pixelAt(50 + g.left + x, 60 - g.top + y));
        EXPECT_EQ(0, mismatches) << "code " << c;
    }
}

TEST_F(FontDraw, AlignmentDecidesWhereTextStarts) {
    const std::string text = "Menu";
    const int w = font.pixWidthOf(text);
    ASSERT_GT(w, 0);
    float x = 0, y = 0;
    font.alignment = 1;
    font.writeAt_rp(200, 50, text.c_str(), 1, 1, 1);
    rasterPosition(x, y);
    EXPECT_FLOAT_EQ(float(200 + w), x);
    font.alignment = 0;
    font.writeAt_rp(200, 80, text.c_str(), 1, 1, 1);
    rasterPosition(x, y);
    EXPECT_FLOAT_EQ(float(int(200 - w / 2.0) + w), x);
    font.alignment = -1;
    font.writeAt_rp(200, 110, text.c_str(), 1, 1, 1);
    rasterPosition(x, y);
    EXPECT_FLOAT_EQ(200.0f, x);
    // The ink of the centred text starts near its start, not before it.
    const int start = int(200 - w / 2.0);
    const int left = leftmostInk(150, 65, 260, 85);
    EXPECT_GE(left, start);
    EXPECT_LE(left, start + 3);
    EXPECT_EQ(-1, leftmostInk(201, 95, 260, 115)); // right-aligned text ends at 200
}

TEST_F(FontDraw, StringWriterUsesRpColor) {
    font.setColor_rp(1, 0, 0);
    font.writeAt_rp(20, 40, std::string("III"));
    bool red = false;
    for (int x = 20; x < 40 && !red; ++x)
        for (int y = 25; y < 40 && !red; ++y) {
            const Rgb p = pixelAt(x, y);
            red = p.r > 200 && p.g < 50 && p.b < 50;
        }
    EXPECT_TRUE(red);
}

TEST_F(FontDraw, ShadowIsGreyOnePixelRightAndDown) {
    font.shadow = true;
    font.writeAt_rp(100, 100, "|", 1, 1, 1);
    int white = 0, grey = 0;
    for (int y = 80; y < 105; ++y)
        for (int x = 95; x < 115; ++x) {
            const Rgb p = pixelAt(x, y);
            white += p.r == 255 && p.g == 255;
            if (p.r < 75 || p.r > 78 || p.r != p.g || p.g != p.b)
                continue;
            ++grey;
            // Each shadow pixel belongs to the glyph pixel up and left of it.
            EXPECT_EQ(255, pixelAt(x - 1, y - 1).r) << x << "," << y;
        }
    EXPECT_GT(white, 0);
    EXPECT_GT(grey, 0);
}

TEST_F(FontDraw, EmptyTextDrawsNothing) {
    glRasterPos2i(5, 5);
    font.writeAt_rp(30, 30, "", 1, 1, 1);
    float x = 0, y = 0;
    rasterPosition(x, y);
    EXPECT_FLOAT_EQ(5.0f, x);
    EXPECT_EQ(0, inkIn(20, 10, 60, 40));
}

TEST_F(FontDraw, HighCodesDrawTheirOwnGlyphs) {
    font.writeAt_rp(30, 40, "\xE9", 1, 1, 1);
    const int accented = inkIn(25, 20, 45, 45);
    beginFrame();
    font.writeAt_rp(30, 40, "e", 1, 1, 1);
    const int plain = inkIn(25, 20, 45, 45);
    EXPECT_GT(accented, plain);
}

TEST_F(FontDraw, NamedColourAppliesToTheNextGlyphs) {
    font.begin();
    glRasterPos2i(40, 50);
    font.cRed();
    EXPECT_FLOAT_EQ(1.0f, font.color[0]);
    EXPECT_FLOAT_EQ(0.0f, font.color[1]);
    GLfloat c[4];
    glGetFloatv(GL_CURRENT_RASTER_COLOR, c);
    EXPECT_FLOAT_EQ(1.0f, c[0]);
    EXPECT_FLOAT_EQ(0.0f, c[1]);
    float x = 0, y = 0;
    rasterPosition(x, y);
    EXPECT_FLOAT_EQ(40.0f, x);
    EXPECT_FLOAT_EQ(50.0f, y);
    font.cGray(0.25f);
    EXPECT_FLOAT_EQ(0.25f, font.color[2]);
    font.end();
    EXPECT_EQ(windowWidth(), font.winWidth);
    EXPECT_EQ(windowHeight(), font.winHeight);
}

TEST_F(FontDraw, BeginAndEndRestoreTheMatrices) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    GLdouble before[16], after[16];
    glGetDoublev(GL_PROJECTION_MATRIX, before);
    font.begin();
    font.end();
    glGetDoublev(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i)
        EXPECT_DOUBLE_EQ(before[i], after[i]);
}

TEST_F(FontDraw, TabWriterJumpsToTheNextStop) {
    font.writeAt_rp_tab(10, 40, "a\tb");
    float x = 0, y = 0;
    rasterPosition(x, y);
    EXPECT_FLOAT_EQ(float(10 + 40 + font.pixWidthOf("b")), x);
    font.setPos_rp(10, 60);
    font.writeLine_rp_tab("x");
    EXPECT_EQ(60 + font.lineSpacing, font.rpY);
}

TEST_F(FontDraw, QuickWriterSpacesCharactersThirtyPercentWider) {
    glColor3f(1, 1, 1);
    LGL::WriteString("ab", 10, 50);
    float x = 0, y = 0;
    rasterPosition(x, y);
    const int wa = glutBitmapWidth(GLUT_BITMAP_9_BY_15, 'a');
    const int wb = glutBitmapWidth(GLUT_BITMAP_9_BY_15, 'b');
    EXPECT_NEAR(10 + 1.3 * wa + wb, x, 1e-3);
    EXPECT_GT(inkIn(10, 35, 40, 55), 0);
}

TEST_F(FontDraw, DestroyingAFontFreesItsLists) {
    GLuint base = 0;
    {
        LGLFont temporary;
        temporary.create(LGLGetCurrentDC(), "Consolas", 13, 0, 0);
        ASSERT_EQ(1, temporary.numFonts);
        base = temporary.fonts[0].listBase;
        EXPECT_TRUE(glIsList(base + 'A'));
    }
    EXPECT_FALSE(glIsList(base + 'A'));
}

TEST_F(FontDraw, SeveralFontsInOneObject) {
    font.create(LGLGetCurrentDC(), "Consolas", 22, 700, 0);
    ASSERT_EQ(2, font.numFonts);
    EXPECT_NE(font.fonts[0].listBase, font.fonts[1].listBase);
    font.selectFont(1);
    EXPECT_EQ(font.fonts[1].widths['i'], font.fonts[1].widths['W']);
    EXPECT_GT(font.pixWidthOf("i"), 0);
}
} // namespace
