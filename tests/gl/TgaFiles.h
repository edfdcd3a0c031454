#ifndef OVLIB_TESTS_GL_TGAFILES_H
#define OVLIB_TESTS_GL_TGAFILES_H

#include <cstdio>
#include <string>

#include <gtest/gtest.h>
#include <vector>

// Builds TGA files byte by byte for the reader's tests.
struct TgaSpec {
    int idLength = 0;
    int colorMapType = 0;
    int imageType = 2;
    int colorMapLength = 0;
    int colorMapBits = 0;
    int width = 0;
    int height = 0;
    int bpp = 24;
};

inline std::vector<unsigned char> tgaHeader(const TgaSpec& s) {
    std::vector<unsigned char> h(18, 0);
    h[0] = (unsigned char)s.idLength;
    h[1] = (unsigned char)s.colorMapType;
    h[2] = (unsigned char)s.imageType;
    h[5] = (unsigned char)(s.colorMapLength & 0xFF);
    h[6] = (unsigned char)(s.colorMapLength >> 8);
    h[7] = (unsigned char)s.colorMapBits;
    h[12] = (unsigned char)(s.width & 0xFF);
    h[13] = (unsigned char)(s.width >> 8);
    h[14] = (unsigned char)(s.height & 0xFF);
    h[15] = (unsigned char)(s.height >> 8);
    h[16] = (unsigned char)s.bpp;
    return h;
}

inline std::string writeTga(const std::string& name, const TgaSpec& s,
                            const std::vector<unsigned char>& after) {
    const std::string path = std::string(::testing::TempDir()) + name;
    std::vector<unsigned char> bytes = tgaHeader(s);
    bytes.insert(bytes.end(), after.begin(), after.end());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

#endif
