#ifndef OVLIB_GL_TGAIMAGE_H
#define OVLIB_GL_TGAIMAGE_H

#include <cstdio>

#include "gl/GlApi.h"

// A TGA image read into memory: plain uncompressed true-colour (24 or 32
// bits, stored blue-green-red(-alpha), turned into red-green-blue(-alpha))
// or grey (8 bits) pixels, rows in the order the file stores them.
class OVLIB_GL_API TGAImage {
  public:
    unsigned char* data; // pixel bytes, owned, released with free()
    int width;
    int height;
    int bpp;        // bits per pixel
    int pixelCount; // width x height
    FILE* file;     // the open file while loading

    // Results of loadTGA.
    static constexpr int LOADED = 1;       // the file was read (data may be null)
    static constexpr int CANNOT_OPEN = 13; // the file could not be opened

    TGAImage();
    ~TGAImage();
    TGAImage(const TGAImage&) = delete;
    TGAImage& operator=(const TGAImage&) = delete;

    // Reads the file. Images the reader cannot read correctly (run-length
    // compressed, colour-mapped, truncated, of another depth) leave data
    // null; the first three kinds are named in one line on standard output.
    int loadTGA(const char* fileName);

    // Bytes per pixel of the loaded data: 4, 3 or 1; 0 when there is none.
    int components() const;
};

#endif
