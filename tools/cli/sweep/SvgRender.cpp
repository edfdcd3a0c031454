#include "tools/cli/sweep/SvgRender.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "tools/cli/sweep/SweepFiles.h"

#ifdef ARACHNOVIX_HAVE_RSVG
#include <cairo-pdf.h>
#include <cairo.h>
#include <dlfcn.h>
#include <librsvg/rsvg.h>
#endif

namespace {

constexpr int DPI = 300;
constexpr double CSS_DPI = 96.0, POINTS_PER_INCH = 72.0;

uint32_t crc32(const std::string& bytes) {
    uint32_t c = 0xffffffffu;
    for (unsigned char b : bytes) {
        c ^= b;
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
    }
    return c ^ 0xffffffffu;
}

std::string bigEndian(uint32_t v) {
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

} // namespace

std::string withPngResolution(const std::string& png, int dpi) {
    // 8 bytes of signature, then IHDR: length (4), type (4), 13 bytes, CRC (4).
    const size_t afterHeader = 8 + 4 + 4 + 13 + 4;
    if (png.size() < afterHeader || png.compare(12, 4, "IHDR") != 0)
        return png;
    const uint32_t perMetre = static_cast<uint32_t>(std::lround(dpi / 0.0254));
    const std::string body = "pHYs" + bigEndian(perMetre) + bigEndian(perMetre) + '\1';
    const std::string chunk = bigEndian(9) + body + bigEndian(crc32(body));
    return png.substr(0, afterHeader) + chunk + png.substr(afterHeader);
}

#ifdef ARACHNOVIX_HAVE_RSVG

namespace {

// The functions used, looked up in the libraries once.
struct Renderer {
    decltype(&rsvg_handle_new_from_data) newFromData = nullptr;
    decltype(&rsvg_handle_get_intrinsic_size_in_pixels) size = nullptr;
    decltype(&rsvg_handle_render_document) render = nullptr;
    decltype(&g_object_unref) unref = nullptr;
    decltype(&g_error_free) freeError = nullptr;
    decltype(&cairo_image_surface_create) imageSurface = nullptr;
    decltype(&cairo_pdf_surface_create_for_stream) pdfSurface = nullptr;
    decltype(&cairo_surface_write_to_png_stream) writePng = nullptr;
    decltype(&cairo_surface_finish) finish = nullptr;
    decltype(&cairo_surface_status) surfaceStatus = nullptr;
    decltype(&cairo_surface_destroy) destroySurface = nullptr;
    decltype(&cairo_create) create = nullptr;
    decltype(&cairo_destroy) destroy = nullptr;
    decltype(&cairo_set_source_rgb) sourceRgb = nullptr;
    decltype(&cairo_paint) paint = nullptr;
    std::string problem;
};

template <typename F>
void find(void* library, const char* name, F& function, std::string& problem) {
    function = reinterpret_cast<F>(::dlsym(library, name));
    if (!function && problem.empty())
        problem = std::string("no ") + name + " in librsvg or Cairo";
}

Renderer loadRenderer() {
    Renderer r;
    void* rsvg = ::dlopen("librsvg-2.so.2", RTLD_NOW | RTLD_LOCAL);
    void* cairo = ::dlopen("libcairo.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!rsvg || !cairo) {
        r.problem = "librsvg-2.so.2 or libcairo.so.2 cannot be loaded";
        return r;
    }
    find(rsvg, "rsvg_handle_new_from_data", r.newFromData, r.problem);
    find(rsvg, "rsvg_handle_get_intrinsic_size_in_pixels", r.size, r.problem);
    find(rsvg, "rsvg_handle_render_document", r.render, r.problem);
    find(rsvg, "g_object_unref", r.unref, r.problem);
    find(rsvg, "g_error_free", r.freeError, r.problem);
    find(cairo, "cairo_image_surface_create", r.imageSurface, r.problem);
    find(cairo, "cairo_pdf_surface_create_for_stream", r.pdfSurface, r.problem);
    find(cairo, "cairo_surface_write_to_png_stream", r.writePng, r.problem);
    find(cairo, "cairo_surface_finish", r.finish, r.problem);
    find(cairo, "cairo_surface_status", r.surfaceStatus, r.problem);
    find(cairo, "cairo_surface_destroy", r.destroySurface, r.problem);
    find(cairo, "cairo_create", r.create, r.problem);
    find(cairo, "cairo_destroy", r.destroy, r.problem);
    find(cairo, "cairo_set_source_rgb", r.sourceRgb, r.problem);
    find(cairo, "cairo_paint", r.paint, r.problem);
    return r;
}

const Renderer& renderer() {
    static const Renderer r = loadRenderer();
    return r;
}

cairo_status_t append(void* out, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(out)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// Draws the picture over the whole surface, on white.
bool draw(const Renderer& r, RsvgHandle* svg, cairo_surface_t* surface, double w, double h) {
    cairo_t* cr = r.create(surface);
    r.sourceRgb(cr, 1, 1, 1);
    r.paint(cr);
    const RsvgRectangle viewport = {0, 0, w, h};
    GError* error = nullptr;
    const bool ok = r.render(svg, cr, &viewport, &error);
    if (error)
        r.freeError(error);
    r.destroy(cr);
    return ok;
}

std::string png(const Renderer& r, RsvgHandle* svg, double w, double h) {
    const double scale = DPI / CSS_DPI;
    cairo_surface_t* s =
        r.imageSurface(CAIRO_FORMAT_RGB24, int(std::ceil(w * scale)), int(std::ceil(h * scale)));
    std::string bytes;
    if (!draw(r, svg, s, std::ceil(w * scale), std::ceil(h * scale)) ||
        r.writePng(s, append, &bytes) != CAIRO_STATUS_SUCCESS)
        bytes.clear();
    r.destroySurface(s);
    return bytes;
}

std::string pdf(const Renderer& r, RsvgHandle* svg, double w, double h) {
    const double scale = POINTS_PER_INCH / CSS_DPI;
    std::string bytes;
    cairo_surface_t* s = r.pdfSurface(append, &bytes, w * scale, h * scale);
    const bool ok = draw(r, svg, s, w * scale, h * scale);
    r.finish(s); // writes the rest of the document
    if (!ok || r.surfaceStatus(s) != CAIRO_STATUS_SUCCESS)
        bytes.clear();
    r.destroySurface(s);
    return bytes;
}

} // namespace

std::string renderSvg(const std::string& svg, const std::string& pngPath,
                      const std::string& pdfPath) {
    const Renderer& r = renderer();
    if (!r.problem.empty())
        return r.problem;
    GError* error = nullptr;
    RsvgHandle* handle =
        r.newFromData(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error);
    if (!handle) {
        if (error)
            r.freeError(error);
        return "librsvg cannot read the picture";
    }
    double w = 0, h = 0;
    std::string pngBytes, pdfBytes;
    if (r.size(handle, &w, &h) && w > 0 && h > 0) {
        pngBytes = png(r, handle, w, h);
        pdfBytes = pdf(r, handle, w, h);
    }
    r.unref(handle);
    if (pngBytes.empty() || pdfBytes.empty())
        return "librsvg could not render the picture";
    writeSweepFile(pngPath, withPngResolution(pngBytes, DPI));
    writeSweepFile(pdfPath, pdfBytes);
    return "";
}

#else

std::string renderSvg(const std::string&, const std::string&, const std::string&) {
    return "this build has no librsvg";
}

#endif
