// Font records, widths and alignment without a window.
#include <gtest/gtest.h>
#include <unistd.h>

#include "FakeFont.h"
#include "gl/LGLFont.h"

namespace {

// Fatal messages go to standard output; death tests read standard error.
#define STDOUT_TO_STDERR(statement)                                                                \
    {                                                                                              \
        dup2(2, 1);                                                                                \
        statement;                                                                                 \
    }

TEST(FontLogic, FreshFontState) {
    LGLFont f;
    EXPECT_EQ(1, f.alignment);
    EXPECT_FALSE(f.shadow);
    EXPECT_EQ(0, f.numFonts);
    EXPECT_EQ(0, f.curFont);
    EXPECT_EQ(20, f.lineSpacing);
    EXPECT_EQ(1, f.winWidth);
    EXPECT_EQ(1, f.winHeight);
    EXPECT_FLOAT_EQ(0.5f, f.color[1]);
    EXPECT_FLOAT_EQ(1.0f, f.rpColor[3]);
    EXPECT_EQ(40, LGLFont::tabStops[0]);
    EXPECT_EQ(800, LGLFont::tabStops[19]);
}

TEST(FontLogic, TabStopsAreSharedByAllFonts) {
    LGLFont a;
    LGLFont::setTabWidth(25);
    EXPECT_EQ(75, LGLFont::tabStops[2]);
    LGLFont b; // a new font resets the shared table to 40
    EXPECT_EQ(120, LGLFont::tabStops[2]);
}

TEST(FontLogic, CentredAndRightAlignedStarts) {
    LGLFont f;
    fakeFont(f, 0);
    f.fonts[0].widths['a'] = 7;
    f.fonts[0].widths['b'] = 8;
    const int w = f.pixWidthOf("ab");
    EXPECT_EQ(15, w);
    EXPECT_EQ(100, f.alignedStart(100, w));
    f.alignment = 0;
    EXPECT_EQ(92, f.alignedStart(100, w)); // 100 - 7.5, truncated
    f.alignment = -3;
    EXPECT_EQ(85, f.alignedStart(100, w));
    f.alignment = 5;
    EXPECT_EQ(100, f.alignedStart(100, w));
}

TEST(FontLogic, WidthsUseUnsignedCodes) {
    LGLFont f;
    fakeFont(f, 1);
    f.fonts[0].widths[0xE9] = 9;
    f.fonts[0].widths[0x80] = 12;
    EXPECT_EQ(9 + 12 + 1, f.pixWidthOf("\xE9\x80z"));
    EXPECT_EQ(0, f.pixWidthOf(""));
}

TEST(FontLogic, WidthIsOfTheCurrentFont) {
    LGLFont f;
    fakeFont(f, 5);
    f.numFonts = 2;
    for (int c = 0; c < LGLFont::NUM_CHARS; ++c)
        f.fonts[1].widths[c] = 3;
    EXPECT_EQ(15, f.pixWidthOf("abc"));
    f.selectFont(1);
    EXPECT_EQ(9, f.pixWidthOf("abc"));
}

TEST(FontLogic, NoFontMeansNoWidth) {
    LGLFont f;
    EXPECT_EQ(0, f.pixWidthOf("abc"));
}

TEST(FontLogic, LineWriterState) {
    LGLFont f;
    f.setPos_rp(12, 34);
    int x = 0, y = 0;
    f.getPos_rp(x, y);
    EXPECT_EQ(12, x);
    EXPECT_EQ(34, y);
    f.setLineSpacing_rp(17);
    EXPECT_EQ(17, f.getLineSpacing_rp());
    f.setColor_rp(0.1f, 0.2f, 0.3f, 0.4f);
    f.setColor_rp(0.5f, 0.6f, 0.7f);
    EXPECT_FLOAT_EQ(0.5f, f.rpColor[0]);
    EXPECT_FLOAT_EQ(0.7f, f.rpColor[2]);
    EXPECT_FLOAT_EQ(0.4f, f.rpColor[3]);
}

TEST(FontLogic, CopyCopiesEveryField) {
    LGLFont f;
    fakeFont(f, 6);
    f.alignment = -1;
    LGLFont g = f;
    g.numFonts = 0; // the copy must not delete the original's lists
    EXPECT_EQ(-1, g.alignment);
    EXPECT_EQ(6, g.fonts[0].widths['x']);
}

TEST(FontLogic, CreateWithoutAContextLeavesTheFontOut) {
    LGLFont f;
    f.shadow = true;
    testing::internal::CaptureStdout();
    f.create(nullptr, "Arial", 16, 0, 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(0, f.numFonts);
    EXPECT_FALSE(f.shadow);
    EXPECT_NE(std::string::npos, out.find("no current OpenGL context"));
}

TEST(FontLogicDeathTest, IllegalFontIdEndsTheProcess) {
    LGLFont f;
    EXPECT_EXIT(STDOUT_TO_STDERR(f.selectFont(0)), ::testing::ExitedWithCode(241),
                "ERROR LGLFont::selectFont> illegal font_id 0");
    fakeFont(f, 5);
    EXPECT_EXIT(STDOUT_TO_STDERR(f.selectFont(1)), ::testing::ExitedWithCode(241),
                "illegal font_id 1");
    EXPECT_EXIT(STDOUT_TO_STDERR(f.selectFont(-2)), ::testing::ExitedWithCode(241),
                "illegal font_id -2");
}

TEST(FontLogicDeathTest, EleventhFontEndsTheProcess) {
    LGLFont f;
    f.numFonts = LGLFont::MAX_FONTS;
    EXPECT_EXIT(STDOUT_TO_STDERR(f.create(nullptr, "Arial", 16, 0, 0)),
                ::testing::ExitedWithCode(255), "ERROR: NumFonts>10");
    f.numFonts = 0;
}
} // namespace
