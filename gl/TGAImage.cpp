// The TGA reader: plain uncompressed true-colour and grey images.
#include "gl/TGAImage.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

const int HEADER_SIZE = 18;
// Image types of the header's third byte.
const int TYPE_COLOR_MAPPED = 1;
const int TYPE_TRUE_COLOR = 2;
const int TYPE_GREY = 3;
const int TYPE_RLE_FIRST = 9;
const int TYPE_RLE_LAST = 11;

struct Header {
    int idLength;
    int colorMapType;
    int imageType;
    int colorMapLength;
    int colorMapEntryBits;
    int width;
    int height;
    int bpp;
};

int word(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}

Header parseHeader(const unsigned char* h) {
    Header r;
    r.idLength = h[0];
    r.colorMapType = h[1];
    r.imageType = h[2];
    r.colorMapLength = word(h + 5);
    r.colorMapEntryBits = h[7];
    r.width = word(h + 12);
    r.height = word(h + 14);
    r.bpp = h[16];
    return r;
}

// Why the pixels of this header cannot be read, or null when they can.
const char* refusal(const Header& h) {
    if (h.imageType >= TYPE_RLE_FIRST && h.imageType <= TYPE_RLE_LAST)
        return "run-length compressed TGA files are not supported";
    if (h.imageType == TYPE_COLOR_MAPPED)
        return "colour-mapped TGA files are not supported";
    if (h.imageType != TYPE_TRUE_COLOR && h.imageType != TYPE_GREY)
        return "unknown TGA image type";
    const bool grey = h.imageType == TYPE_GREY;
    if (grey ? h.bpp != 8 : (h.bpp != 24 && h.bpp != 32))
        return "unsupported TGA pixel depth";
    return nullptr;
}

int bytesPerPixel(int bpp) {
    if (bpp == 32 || bpp == 24 || bpp == 8)
        return bpp / 8;
    return 0;
}

long remainingBytes(FILE* f) {
    const long here = std::ftell(f);
    if (here < 0 || std::fseek(f, 0, SEEK_END) != 0)
        return -1;
    const long end = std::ftell(f);
    if (std::fseek(f, here, SEEK_SET) != 0)
        return -1;
    return end - here;
}

// Blue-green-red(-alpha) to red-green-blue(-alpha).
void swapRedBlue(unsigned char* data, size_t pixels, int step) {
    for (size_t i = 0; i < pixels; ++i) {
        unsigned char* p = data + i * size_t(step);
        const unsigned char t = p[0];
        p[0] = p[2];
        p[2] = t;
    }
}

} // namespace

TGAImage::TGAImage() : data(nullptr), width(0), height(0), bpp(0), pixelCount(0), file(nullptr) {}

TGAImage::~TGAImage() {
    std::free(data);
}

int TGAImage::components() const {
    return data ? bytesPerPixel(bpp) : 0;
}

int TGAImage::loadTGA(const char* fileName) {
    if (!fileName)
        return CANNOT_OPEN;
    file = std::fopen(fileName, "rb");
    if (!file)
        return CANNOT_OPEN;
    std::free(data);
    data = nullptr;
    width = height = bpp = pixelCount = 0;

    unsigned char raw[HEADER_SIZE];
    if (std::fread(raw, 1, HEADER_SIZE, file) == size_t(HEADER_SIZE)) {
        const Header h = parseHeader(raw);
        width = h.width;
        height = h.height;
        bpp = h.bpp;
        const long long count = (long long)width * height;
        pixelCount = count <= INT_MAX ? int(count) : 0;
        const char* why = refusal(h);
        if (why) {
            std::printf("TGAImage::loadTGA> %s: \"%s\"\n", why, fileName);
        } else {
            // Skip the image-ID field and any colour map in front of the pixels.
            long skip = h.idLength;
            if (h.colorMapType != 0)
                skip += long(h.colorMapLength) * ((h.colorMapEntryBits + 7) / 8);
            const int step = bytesPerPixel(bpp);
            const long long need = count * step;
            if (step > 0 && need > 0 && need <= INT_MAX && std::fseek(file, skip, SEEK_CUR) == 0 &&
                remainingBytes(file) >= need) {
                data = (unsigned char*)std::malloc(size_t(need));
                if (data && std::fread(data, 1, size_t(need), file) != size_t(need)) {
                    std::free(data);
                    data = nullptr;
                }
                if (data && step >= 3)
                    swapRedBlue(data, size_t(width) * height, step);
            }
        }
    }
    std::fclose(file);
    file = nullptr;
    return LOADED;
}
