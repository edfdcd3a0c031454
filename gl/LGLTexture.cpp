// Textures from image files, with their complete mipmap chain.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>

#include "core/LFile.h"
#include "gl/LGL.h"
#include "gl/TGAImage.h"

namespace {

const int MISSING_FILE_STATUS = -1;

bool isOneOf(const std::string& ext, const char* lower, const char* upper) {
    return ext == lower || ext == upper;
}

// Kinds that other loaders of the toolkit family read; this build has none.
bool isOtherImageKind(const std::string& ext) {
    return isOneOf(ext, "dds", "DDS") || isOneOf(ext, "bmp", "BMP") || isOneOf(ext, "jpg", "JPG") ||
           isOneOf(ext, "jpeg", "JPEG");
}

GLenum formatOf(int components) {
    if (components == 4)
        return GL_RGBA;
    if (components == 3)
        return GL_RGB;
    return GL_LUMINANCE;
}

void makeEmptyTexture(unsigned& id) {
    glGenTextures(1, &id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

} // namespace

void LGL::CreateTexture(unsigned& id, std::string fileName) {
    int width = 0;
    int height = 0;
    CreateTexture(id, fileName, width, height);
}

void LGL::CreateTexture(unsigned& id, std::string fileName, int& width, int& height) {
    if (!LFile::fileExist(fileName)) {
        std::printf("** ERROR LGL::CreateTexture: Texture file \"%s\" not found!\n",
                    fileName.c_str());
        std::fflush(stdout);
        std::exit(MISSING_FILE_STATUS);
    }
    const std::string ext = LFile::getFileExtension(fileName);
    TGAImage image;
    const bool isTga = isOneOf(ext, "tga", "TGA");
    if (isTga) {
        image.loadTGA(fileName.c_str());
    } else if (isOtherImageKind(ext)) {
        std::printf(
            "LGL::CreateTexture> \"%s\": %s images are not supported, the texture stays empty\n",
            fileName.c_str(), ext.c_str());
    } else {
        std::printf("LGL::CreateTexture> \"%s\": unknown image kind, the texture stays empty\n",
                    fileName.c_str());
    }
    makeEmptyTexture(id);
    const int components = image.components();
    width = components ? image.width : 0;
    height = components ? image.height : 0;
    if (isTga && components == 0) {
        std::printf(
            "LGL::CreateTexture> \"%s\" holds no readable pixels, the texture stays empty\n",
            fileName.c_str());
    }
    if (components > 0) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, components, image.width, image.height,
                          formatOf(components), GL_UNSIGNED_BYTE, image.data);
    }
}
