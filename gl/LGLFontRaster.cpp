// Font lookup with fontconfig and glyph rasterisation with FreeType.
#include "gl/LGLFontRaster.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const int NUM_CODES = 256;
const int REGULAR_WEIGHT = 400;
const int BOLD_FROM = 600;
const unsigned SYMBOL_AREA = 0xF000; // where symbol faces keep their codes

// Windows-1252 codes 0x80 ... 0x9F; 0 marks an unassigned code.
const unsigned CP1252_HIGH[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

const char* const kMonospaceFamilies[] = {"consolas",  "courier", "courier new", "lucida console",
                                          "monaco",    "menlo",   "fixedsys",    "terminal",
                                          "monospace", "mono"};

std::string lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower((unsigned char)c));
    return s;
}

bool isMonospaceName(const std::string& family) {
    const std::string f = lower(family);
    for (const char* m : kMonospaceFamilies)
        if (f == m)
            return true;
    return f.find(" mono") != std::string::npos;
}

std::string patternString(FcPattern* p, const char* key) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(p, key, 0, &value) != FcResultMatch || !value)
        return std::string();
    return std::string(reinterpret_cast<const char*>(value));
}

int patternInt(FcPattern* p, const char* key, int fallback) {
    int value = 0;
    return FcPatternGetInteger(p, key, 0, &value) == FcResultMatch ? value : fallback;
}

FcPattern* requestPattern(const std::string& family, int weight, bool italic) {
    FcPattern* p = FcPatternCreate();
    if (!family.empty())
        FcPatternAddString(p, FC_FAMILY, (const FcChar8*)family.c_str());
    const char* fallback = isMonospaceName(family) ? "monospace" : "sans-serif";
    FcPatternAddString(p, FC_FAMILY, (const FcChar8*)fallback);
    FcPatternAddInteger(p, FC_WEIGHT, FcWeightFromOpenType(weight > 0 ? weight : REGULAR_WEIGHT));
    FcPatternAddInteger(p, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(p, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, p, FcMatchPattern);
    FcDefaultSubstitute(p);
    return p;
}

// Pixel size of the em square that makes the face's cell cellHeight high;
// a negative height asks for an em square of that many pixels instead.
FT_F26Dot6 emSizeForCell(FT_Face face, int cellHeight) {
    if (cellHeight < 0)
        return FT_F26Dot6(-cellHeight) * 64;
    long cell = 0;
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2)
        cell = long(os2->usWinAscent) + long(os2->usWinDescent);
    if (cell <= 0)
        cell = long(face->ascender) - long(face->descender);
    if (cell <= 0)
        cell = face->units_per_EM;
    const double em = double(cellHeight) * face->units_per_EM / double(cell);
    return FT_F26Dot6(std::lround(em * 64.0));
}

void copyBitmap(const FT_Bitmap& bm, LGLGlyph& g) {
    g.width = int(bm.width);
    g.rows = int(bm.rows);
    const int rowBytes = (g.width + 7) / 8;
    g.bits.assign(size_t(rowBytes) * size_t(g.rows), 0);
    const int pitch = std::abs(bm.pitch);
    const int copy = rowBytes < pitch ? rowBytes : pitch;
    for (int r = 0; r < g.rows; ++r) {
        const int source = bm.pitch >= 0 ? r : g.rows - 1 - r; // top-down row r
        std::memcpy(&g.bits[size_t(g.rows - 1 - r) * size_t(rowBytes)],
                    bm.buffer + size_t(source) * pitch, size_t(copy));
    }
}

unsigned glyphIndexFor(FT_Face face, int code, bool symbolSet) {
    if (symbolSet) {
        const unsigned gi = FT_Get_Char_Index(face, SYMBOL_AREA + unsigned(code));
        return gi ? gi : FT_Get_Char_Index(face, unsigned(code));
    }
    return FT_Get_Char_Index(face, LGLFontRaster::codeToUnicode(code));
}

bool renderGlyph(FT_Face face, unsigned index, const LGLFaceMatch& match, LGLGlyph& g) {
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0)
        return false;
    FT_GlyphSlot slot = face->glyph;
    if (match.emboldens)
        FT_GlyphSlot_Embolden(slot);
    if (match.slants)
        FT_GlyphSlot_Oblique(slot);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
        return false;
    copyBitmap(slot->bitmap, g);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.advance = int((slot->advance.x + 32) >> 6);
    return true;
}

void emptyGlyph(LGLGlyph& g) {
    g.width = g.rows = g.left = g.top = g.advance = 0;
    g.bits.clear();
}

bool hasCharacter(int code, bool symbolSet) {
    return symbolSet ? code >= ' ' : LGLFontRaster::codeToUnicode(code) != 0;
}

} // namespace

bool LGLGlyph::pixel(int x, int yFromTop) const {
    if (x < 0 || x >= width || yFromTop < 0 || yFromTop >= rows)
        return false;
    const int rowBytes = (width + 7) / 8;
    const unsigned char byte = bits[size_t(rows - 1 - yFromTop) * size_t(rowBytes) + size_t(x / 8)];
    return (byte >> (7 - x % 8)) & 1;
}

unsigned LGLFontRaster::codeToUnicode(int code) {
    if (code < 0 || code >= NUM_CODES)
        return 0;
    if (code < ' ' || code == 0x7F)
        return 0;
    if (code >= 0x80 && code < 0xA0)
        return CP1252_HIGH[code - 0x80];
    return unsigned(code);
}

bool LGLFontRaster::matchFace(const std::string& family, int weight, bool italic,
                              LGLFaceMatch& out) {
    if (!FcInit())
        return false;
    FcPattern* request = requestPattern(family, weight, italic);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, request, &result);
    FcPatternDestroy(request);
    if (!match)
        return false;
    out.file = patternString(match, FC_FILE);
    out.index = patternInt(match, FC_INDEX, 0);
    out.family = patternString(match, FC_FAMILY);
    const int wantedWeight = weight > 0 ? weight : REGULAR_WEIGHT;
    const int gotWeight = patternInt(match, FC_WEIGHT, FC_WEIGHT_REGULAR);
    out.emboldens = wantedWeight >= BOLD_FROM && gotWeight < FC_WEIGHT_DEMIBOLD;
    out.slants = italic && patternInt(match, FC_SLANT, FC_SLANT_ROMAN) == FC_SLANT_ROMAN;
    FcPatternDestroy(match);
    return !out.file.empty();
}

bool LGLFontRaster::rasterise(const LGLFaceMatch& match, int cellHeight, bool symbolSet,
                              std::vector<LGLGlyph>& glyphs) {
    if (cellHeight == 0)
        return false;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return false;
    FT_Face face = nullptr;
    bool ok = FT_New_Face(library, match.file.c_str(), match.index, &face) == 0;
    if (ok) {
        if (!symbolSet || FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) != 0)
            FT_Select_Charmap(face, FT_ENCODING_UNICODE);
        ok = FT_Set_Char_Size(face, 0, emSizeForCell(face, cellHeight), 72, 72) == 0;
    }
    glyphs.assign(NUM_CODES, LGLGlyph());
    for (int code = 0; ok && code < NUM_CODES; ++code) {
        emptyGlyph(glyphs[code]);
        // A character the face lacks shows as the face's missing-glyph box.
        if (hasCharacter(code, symbolSet) &&
            !renderGlyph(face, glyphIndexFor(face, code, symbolSet), match, glyphs[code]))
            emptyGlyph(glyphs[code]);
    }
    if (face)
        FT_Done_Face(face);
    FT_Done_FreeType(library);
    return ok;
}
