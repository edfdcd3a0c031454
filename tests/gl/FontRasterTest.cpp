// Font lookup and glyph rasterisation without OpenGL.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "gl/LGLFontRaster.h"

namespace {

int inkOf(const LGLGlyph& g) {
    int n = 0;
    for (int y = 0; y < g.rows; ++y)
        for (int x = 0; x < g.width; ++x)
            n += g.pixel(x, y);
    return n;
}

std::vector<LGLGlyph> glyphsOf(const std::string& face, int height, int weight = 0,
                               bool italic = false) {
    LGLFaceMatch m;
    std::vector<LGLGlyph> glyphs;
    EXPECT_TRUE(LGLFontRaster::matchFace(face, weight, italic, m)) << face;
    EXPECT_TRUE(LGLFontRaster::rasterise(m, height, false, glyphs)) << face;
    return glyphs;
}

TEST(FontRaster, Windows1252Codes) {
    EXPECT_EQ(0u, LGLFontRaster::codeToUnicode(0));
    EXPECT_EQ(0u, LGLFontRaster::codeToUnicode(10));
    EXPECT_EQ(0u, LGLFontRaster::codeToUnicode(127));
    EXPECT_EQ(unsigned('A'), LGLFontRaster::codeToUnicode('A'));
    EXPECT_EQ(0x20ACu, LGLFontRaster::codeToUnicode(0x80));
    EXPECT_EQ(0u, LGLFontRaster::codeToUnicode(0x81));
    EXPECT_EQ(0x2014u, LGLFontRaster::codeToUnicode(0x97));
    EXPECT_EQ(0x178u, LGLFontRaster::codeToUnicode(0x9F));
    EXPECT_EQ(0xA0u, LGLFontRaster::codeToUnicode(0xA0));
    EXPECT_EQ(0xFFu, LGLFontRaster::codeToUnicode(0xFF));
    EXPECT_EQ(0u, LGLFontRaster::codeToUnicode(256));
}

TEST(FontRaster, TheProgramsFacesResolveToFontFiles) {
    for (const char* face : {"Consolas", "Arial", "Tahoma", "symbol", ""}) {
        LGLFaceMatch m;
        ASSERT_TRUE(LGLFontRaster::matchFace(face, 0, false, m)) << face;
        struct stat info;
        EXPECT_EQ(0, stat(m.file.c_str(), &info)) << face << " -> " << m.file;
        EXPECT_FALSE(m.family.empty());
        EXPECT_FALSE(m.emboldens);
        std::printf("%s -> %s (%s)\n", face, m.family.c_str(), m.file.c_str());
    }
}

TEST(FontRaster, ConsolasFindsAMonospaceFace) {
    const std::vector<LGLGlyph> g = glyphsOf("Consolas", 16);
    EXPECT_GT(g['i'].advance, 0);
    EXPECT_EQ(g['i'].advance, g['W'].advance);
    EXPECT_EQ(g['i'].advance, g[' '].advance);
}

TEST(FontRaster, ArialAndTahomaFindProportionalFaces) {
    for (const char* face : {"Arial", "Tahoma"}) {
        const std::vector<LGLGlyph> g = glyphsOf(face, 16);
        EXPECT_LT(g['i'].advance, g['W'].advance) << face;
    }
}

TEST(FontRaster, GlyphsFitTheRequestedCell) {
    for (int height : {13, 16, 22}) {
        const std::vector<LGLGlyph> g = glyphsOf("Arial", height);
        const int ascent = g['H'].top;
        const int descent = g['g'].rows - g['g'].top;
        EXPECT_LE(ascent + descent, height) << height;
        EXPECT_GE(ascent, height / 2) << height;
        EXPECT_GT(descent, 0) << height;
    }
}

TEST(FontRaster, NegativeHeightIsTheEmSquare) {
    // The em square is smaller than the cell, so -16 gives larger glyphs.
    const std::vector<LGLGlyph> cell = glyphsOf("Arial", 16);
    const std::vector<LGLGlyph> em = glyphsOf("Arial", -16);
    EXPECT_GT(em['M'].advance, cell['M'].advance);
    EXPECT_LE(em['H'].top, 16);
}

TEST(FontRaster, LargerCellsGiveLargerGlyphs) {
    const std::vector<LGLGlyph> small = glyphsOf("Tahoma", 13);
    const std::vector<LGLGlyph> large = glyphsOf("Tahoma", 22);
    EXPECT_LT(small['M'].advance, large['M'].advance);
    EXPECT_LT(small['M'].rows, large['M'].rows);
}

TEST(FontRaster, ControlAndUnassignedCodesAreEmpty) {
    const std::vector<LGLGlyph> g = glyphsOf("Arial", 16);
    ASSERT_EQ(256u, g.size());
    for (int c : {0, 9, 13, 31, 127, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(0, g[c].advance) << c;
        EXPECT_EQ(0, g[c].width) << c;
    }
    EXPECT_GT(g[' '].advance, 0);
    EXPECT_EQ(0, inkOf(g[' ']));
}

TEST(FontRaster, PrintableAndHighCodesHaveInk) {
    const std::vector<LGLGlyph> g = glyphsOf("Arial", 16);
    for (int c = 33; c < 127; ++c) {
        EXPECT_GT(g[c].advance, 0) << c;
        EXPECT_GT(inkOf(g[c]), 0) << c;
    }
    for (int c : {0x80, 0x99, 0xA9, 0xB1, 0xE9, 0xFF})
        EXPECT_GT(inkOf(g[c]), 0) << c;
    // "é" is "e" with an accent above it.
    EXPECT_GT(g[0xE9].top, g['e'].top);
}

TEST(FontRaster, BoldHasMoreInkThanRegular) {
    const std::vector<LGLGlyph> regular = glyphsOf("Arial", 18);
    const std::vector<LGLGlyph> bold = glyphsOf("Arial", 18, 700);
    EXPECT_GT(inkOf(bold['W']), inkOf(regular['W']));
}

TEST(FontRaster, ItalicLeansTheUprightStrokes) {
    const std::vector<LGLGlyph> upright = glyphsOf("Tahoma", 22);
    const std::vector<LGLGlyph> italic = glyphsOf("Tahoma", 22, 0, true);
    EXPECT_GT(italic['l'].width, upright['l'].width);
}

TEST(FontRaster, RasterisingIsRepeatable) {
    const std::vector<LGLGlyph> a = glyphsOf("Consolas", 13);
    const std::vector<LGLGlyph> b = glyphsOf("Consolas", 13);
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(a[c].advance, b[c].advance);
        EXPECT_EQ(a[c].bits, b[c].bits);
    }
}

TEST(FontRaster, RefusesAMissingFileAndAZeroHeight) {
    LGLFaceMatch m;
    m.file = "/nonexistent/font.ttf";
    m.index = 0;
    m.emboldens = m.slants = false;
    std::vector<LGLGlyph> g;
    EXPECT_FALSE(LGLFontRaster::rasterise(m, 16, false, g));
    ASSERT_TRUE(LGLFontRaster::matchFace("Arial", 0, false, m));
    EXPECT_FALSE(LGLFontRaster::rasterise(m, 0, false, g));
}

TEST(FontRaster, PixelReadsRowsFromTheTop) {
    LGLGlyph g;
    g.width = 9;
    g.rows = 2;
    // Bottom row first: bottom row has only its last pixel, top row only its first.
    g.bits = {0x00, 0x80, 0x80, 0x00};
    EXPECT_TRUE(g.pixel(0, 0));
    EXPECT_FALSE(g.pixel(8, 0));
    EXPECT_TRUE(g.pixel(8, 1));
    EXPECT_FALSE(g.pixel(0, 1));
    EXPECT_FALSE(g.pixel(9, 0));
    EXPECT_FALSE(g.pixel(0, -1));
}
} // namespace
