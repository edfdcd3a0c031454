// The TGA reader.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

#include "TgaFiles.h"
#include "gl/LGL.h"
#include "gl/TGAImage.h"

namespace {

std::vector<unsigned char> bytesOf(const TGAImage& img, size_t n) {
    return std::vector<unsigned char>(img.data, img.data + n);
}

TEST(TgaImage, FreshImageIsEmpty) {
    TGAImage img;
    EXPECT_EQ(nullptr, img.data);
    EXPECT_EQ(0, img.width);
    EXPECT_EQ(0, img.bpp);
    EXPECT_EQ(0, img.pixelCount);
    EXPECT_EQ(nullptr, img.file);
    EXPECT_EQ(0, img.components());
}

TEST(TgaImage, TwentyFourBitPixelsTurnFromBgrToRgb) {
    TgaSpec s;
    s.width = 2;
    s.height = 1;
    const std::string path = writeTga("tga24.tga", s, {10, 20, 30, 40, 50, 60});
    TGAImage img;
    EXPECT_EQ(1, img.loadTGA(path.c_str()));
    ASSERT_NE(nullptr, img.data);
    EXPECT_EQ(2, img.width);
    EXPECT_EQ(1, img.height);
    EXPECT_EQ(24, img.bpp);
    EXPECT_EQ(2, img.pixelCount);
    EXPECT_EQ(3, img.components());
    EXPECT_EQ((std::vector<unsigned char>{30, 20, 10, 60, 50, 40}), bytesOf(img, 6));
    EXPECT_EQ(nullptr, img.file);
}

TEST(TgaImage, ThirtyTwoBitPixelsKeepTheirAlpha) {
    TgaSpec s;
    s.width = 1;
    s.height = 2;
    s.bpp = 32;
    const std::string path = writeTga("tga32.tga", s, {1, 2, 3, 4, 5, 6, 7, 8});
    TGAImage img;
    img.loadTGA(path.c_str());
    ASSERT_NE(nullptr, img.data);
    EXPECT_EQ(4, img.components());
    EXPECT_EQ((std::vector<unsigned char>{3, 2, 1, 4, 7, 6, 5, 8}), bytesOf(img, 8));
}

TEST(TgaImage, RowsStayInTheFilesOrder) {
    TgaSpec s;
    s.width = 1;
    s.height = 3;
    const std::string path = writeTga("rows.tga", s, {0, 0, 1, 0, 0, 2, 0, 0, 3});
    TGAImage img;
    img.loadTGA(path.c_str());
    ASSERT_NE(nullptr, img.data);
    EXPECT_EQ(1, img.data[0]);
    EXPECT_EQ(2, img.data[3]);
    EXPECT_EQ(3, img.data[6]);
}

TEST(TgaImage, ImageIdFieldIsSkipped) {
    TgaSpec s;
    s.idLength = 4;
    s.width = 1;
    s.height = 1;
    const std::string path = writeTga("id.tga", s, {'n', 'a', 'm', 'e', 7, 8, 9});
    TGAImage img;
    img.loadTGA(path.c_str());
    ASSERT_NE(nullptr, img.data);
    EXPECT_EQ((std::vector<unsigned char>{9, 8, 7}), bytesOf(img, 3));
}

TEST(TgaImage, ColourMapOfATrueColourImageIsSkipped) {
    TgaSpec s;
    s.colorMapType = 1;
    s.colorMapLength = 2;
    s.colorMapBits = 24;
    s.width = 1;
    s.height = 1;
    const std::string path = writeTga("map.tga", s, {99, 99, 99, 98, 98, 98, 1, 2, 3});
    TGAImage img;
    img.loadTGA(path.c_str());
    ASSERT_NE(nullptr, img.data);
    EXPECT_EQ((std::vector<unsigned char>{3, 2, 1}), bytesOf(img, 3));
}

TEST(TgaImage, GreyImageHasOneComponentAndNoSwap) {
    TgaSpec s;
    s.imageType = 3;
    s.bpp = 8;
    s.width = 3;
    s.height = 1;
    const std::string path = writeTga("grey.tga", s, {5, 6, 7});
    TGAImage img;
    img.loadTGA(path.c_str());
    ASSERT_NE(nullptr, img.data);
    EXPECT_EQ(1, img.components());
    EXPECT_EQ((std::vector<unsigned char>{5, 6, 7}), bytesOf(img, 3));
}

void expectRefused(const TgaSpec& s, const char* name, const char* why) {
    const std::string path = writeTga(name, s, std::vector<unsigned char>(64, 1));
    TGAImage img;
    testing::internal::CaptureStdout();
    EXPECT_EQ(1, img.loadTGA(path.c_str()));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(nullptr, img.data) << name;
    EXPECT_EQ(0, img.components());
    EXPECT_NE(std::string::npos, out.find(why)) << out;
    EXPECT_NE(std::string::npos, out.find(name)) << out;
    EXPECT_EQ(1, std::count(out.begin(), out.end(), '\n')) << out;
}

TEST(TgaImage, RunLengthCompressedFilesAreRefusedWithOneLine) {
    TgaSpec s;
    s.width = 2;
    s.height = 2;
    s.imageType = 10;
    expectRefused(s, "rle.tga", "run-length");
    s.imageType = 11;
    expectRefused(s, "rlegrey.tga", "run-length");
}

TEST(TgaImage, ColourMappedFilesAreRefusedWithOneLine) {
    TgaSpec s;
    s.width = 2;
    s.height = 2;
    s.bpp = 8;
    s.imageType = 1;
    s.colorMapType = 1;
    expectRefused(s, "mapped.tga", "colour-mapped");
}

TEST(TgaImage, OtherDepthsAreRefused) {
    TgaSpec s;
    s.width = 2;
    s.height = 2;
    s.bpp = 16;
    expectRefused(s, "depth16.tga", "depth");
}

TEST(TgaImage, TruncatedFileGivesNoPixels) {
    TgaSpec s;
    s.width = 4;
    s.height = 4;
    const std::string path = writeTga("short.tga", s, std::vector<unsigned char>(47, 0));
    TGAImage img;
    EXPECT_EQ(1, img.loadTGA(path.c_str()));
    EXPECT_EQ(nullptr, img.data);
    EXPECT_EQ(16, img.pixelCount);
}

TEST(TgaImage, HugeHeaderOnATinyFileAllocatesNothing) {
    TgaSpec s;
    s.width = 65535;
    s.height = 65535;
    s.bpp = 32;
    const std::string path = writeTga("huge.tga", s, {1, 2, 3, 4});
    TGAImage img;
    EXPECT_EQ(1, img.loadTGA(path.c_str()));
    EXPECT_EQ(nullptr, img.data);
}

TEST(TgaImage, ShortHeaderAndEmptyImageGiveNoPixels) {
    const std::string path = std::string(::testing::TempDir()) + "header.tga";
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("TGA", f);
    std::fclose(f);
    TGAImage img;
    EXPECT_EQ(1, img.loadTGA(path.c_str()));
    EXPECT_EQ(nullptr, img.data);
    TgaSpec s; // 0 x 0
    const std::string empty = writeTga("empty.tga", s, {});
    EXPECT_EQ(1, img.loadTGA(empty.c_str()));
    EXPECT_EQ(nullptr, img.data);
}

TEST(TgaImage, MissingFileGives13AndChangesNothing) {
    TGAImage img;
    EXPECT_EQ(13, img.loadTGA("/nonexistent/fly3.tga"));
    EXPECT_EQ(nullptr, img.data);
    EXPECT_EQ(0, img.width);
    EXPECT_EQ(13, img.loadTGA(nullptr));
}

TEST(TgaImage, LoadingAgainReplacesThePixels) {
    TgaSpec s;
    s.width = 1;
    s.height = 1;
    const std::string a = writeTga("a.tga", s, {1, 2, 3});
    s.bpp = 32;
    const std::string b = writeTga("b.tga", s, {4, 5, 6, 7});
    TGAImage img;
    img.loadTGA(a.c_str());
    img.loadTGA(b.c_str());
    ASSERT_NE(nullptr, img.data);
    EXPECT_EQ(32, img.bpp);
    EXPECT_EQ((std::vector<unsigned char>{6, 5, 4, 7}), bytesOf(img, 4));
}

// A missing texture file ends the process before anything touches OpenGL.
TEST(TextureDeathTest, MissingFileEndsTheProcess) {
    unsigned id = 0;
    EXPECT_EXIT(
        {
            dup2(2, 1);
            LGL::CreateTexture(id, "/nonexistent/fly3.tga");
        },
        ::testing::ExitedWithCode(255),
        "\\*\\* ERROR LGL::CreateTexture: Texture file \"/nonexistent/fly3.tga\" not found!");
}
} // namespace
