// Textures created from TGA files in a real OpenGL context.
#include <GL/gl.h>

#include <algorithm>

#include "GlWindow.h"
#include "TgaFiles.h"
#include "gl/LGL.h"

namespace {

GLint levelParameter(unsigned id, GLenum what) {
    glBindTexture(GL_TEXTURE_2D, id);
    GLint v = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, what, &v);
    return v;
}

std::vector<unsigned char> levelPixels(unsigned id, GLenum format, size_t n) {
    std::vector<unsigned char> p(n, 0);
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, p.data());
    return p;
}

using TextureTest = GlWindowTest;

TEST_F(TextureTest, TwentyFourBitFileGivesAnRgbTexture) {
    TgaSpec s;
    s.width = 2;
    s.height = 1;
    const std::string path = writeTga("tex24.tga", s, {10, 20, 30, 40, 50, 60});
    unsigned id = 0;
    int w = 0, h = 0;
    LGL::CreateTexture(id, path, w, h);
    ASSERT_NE(0u, id);
    EXPECT_EQ(2, w);
    EXPECT_EQ(1, h);
    EXPECT_EQ(2, levelParameter(id, GL_TEXTURE_WIDTH));
    EXPECT_EQ(0, levelParameter(id, GL_TEXTURE_ALPHA_SIZE));
    EXPECT_EQ((std::vector<unsigned char>{30, 20, 10, 60, 50, 40}), levelPixels(id, GL_RGB, 6));
    GLint minFilter = 0, magFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(GL_LINEAR_MIPMAP_NEAREST, minFilter);
    EXPECT_EQ(GL_LINEAR, magFilter);
    // The whole mipmap chain is there: 2 x 1, then 1 x 1.
    GLint w1 = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &w1);
    EXPECT_EQ(1, w1);
}

TEST_F(TextureTest, ThirtyTwoBitFileGivesAnRgbaTexture) {
    TgaSpec s;
    s.width = 2;
    s.height = 1;
    s.bpp = 32;
    const std::string path = writeTga("tex32.Tga", s, {1, 2, 3, 4, 5, 6, 7, 8});
    unsigned id = 0;
    LGL::CreateTexture(id, path);
    ASSERT_NE(0u, id);
    EXPECT_GT(levelParameter(id, GL_TEXTURE_ALPHA_SIZE), 0);
    EXPECT_EQ((std::vector<unsigned char>{3, 2, 1, 4, 7, 6, 5, 8}), levelPixels(id, GL_RGBA, 8));
}

TEST_F(TextureTest, GreyFileGivesALuminanceTexture) {
    TgaSpec s;
    s.imageType = 3;
    s.bpp = 8;
    s.width = 2;
    s.height = 1;
    const std::string path = writeTga("grey.TGA", s, {40, 200});
    unsigned id = 0;
    LGL::CreateTexture(id, path);
    EXPECT_GT(levelParameter(id, GL_TEXTURE_LUMINANCE_SIZE), 0);
    EXPECT_EQ(0, levelParameter(id, GL_TEXTURE_RED_SIZE));
    EXPECT_EQ((std::vector<unsigned char>{40, 200}), levelPixels(id, GL_LUMINANCE, 2));
}

void expectEmptyTexture(const std::string& path, const char* message) {
    unsigned id = 0;
    int w = -1, h = -1;
    testing::internal::CaptureStdout();
    LGL::CreateTexture(id, path, w, h);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(0u, id) << path;
    EXPECT_TRUE(glIsTexture(id));
    EXPECT_EQ(0, levelParameter(id, GL_TEXTURE_WIDTH));
    EXPECT_EQ(0, w);
    EXPECT_EQ(0, h);
    EXPECT_NE(std::string::npos, out.find(message)) << out;
    EXPECT_NE(std::string::npos, out.find(path)) << out;
    GLint minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(GL_LINEAR_MIPMAP_NEAREST, minFilter);
}

std::string plainFile(const std::string& name) {
    const std::string path = std::string(::testing::TempDir()) + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("not an image", f);
    std::fclose(f);
    return path;
}

TEST_F(TextureTest, NameWithoutAnExtensionGivesAnEmptyTexture) {
    expectEmptyTexture(plainFile("texture_without_dot"), "unknown image kind");
}

TEST_F(TextureTest, OtherImageKindsGiveAnEmptyTextureWithOneLine) {
    expectEmptyTexture(plainFile("sprite.bmp"), "not supported");
    expectEmptyTexture(plainFile("sprite.JPG"), "not supported");
}

TEST_F(TextureTest, UnreadableTgaIsNotUploaded) {
    TgaSpec s;
    s.width = 4;
    s.height = 4;
    s.imageType = 10;
    expectEmptyTexture(writeTga("rle.tga", s, std::vector<unsigned char>(20, 0)),
                       "no readable pixels");
    s.imageType = 2;
    expectEmptyTexture(writeTga("cut.tga", s, std::vector<unsigned char>(20, 0)),
                       "no readable pixels");
}

TEST_F(TextureTest, ColourTable) {
    LGL::tGLRGB c;
    LGL::SetColor256(c, 255, 51, 0);
    EXPECT_FLOAT_EQ(1.0f, c.r);
    EXPECT_FLOAT_EQ(0.2f, c.g);
    LGL::SetGray256(c, 102);
    EXPECT_FLOAT_EQ(0.4f, c.b);
    LGL::tGLRGBA a;
    LGL::SetColor(a, 0.1f, 0.2f, 0.3f, 0.4f);
    LGL::UseColor(a);
    GLfloat cur[4];
    glGetFloatv(GL_CURRENT_COLOR, cur);
    EXPECT_FLOAT_EQ(0.4f, cur[3]);
    LGL::UseColor(LGL::cOrange);
    glGetFloatv(GL_CURRENT_COLOR, cur);
    EXPECT_FLOAT_EQ(1.0f, cur[0]);
    EXPECT_FLOAT_EQ(0.5f, cur[1]);
    EXPECT_FLOAT_EQ(0.0f, cur[2]);
    LGL::UseColor(LGL::cColor(10)); // outside the table: unchanged
    glGetFloatv(GL_CURRENT_COLOR, cur);
    EXPECT_FLOAT_EQ(0.5f, cur[1]);
    const float expected[10][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, 0.5f, 0},
                                   {0, 0, 0}, {1, 1, 1}, {1, 0, 1}, {0, 1, 1}, {0.5f, 0.5f, 0.2f}};
    for (int i = 0; i < 10; ++i) {
        LGL::UseColor(LGL::cColor(i));
        glGetFloatv(GL_CURRENT_COLOR, cur);
        EXPECT_FLOAT_EQ(expected[i][0], cur[0]) << i;
        EXPECT_FLOAT_EQ(expected[i][1], cur[1]) << i;
        EXPECT_FLOAT_EQ(expected[i][2], cur[2]) << i;
    }
}
} // namespace
