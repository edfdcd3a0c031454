#include "tools/cli/Svg.h"

#include <cmath>
#include <cstdio>

namespace {

int channel(double fraction) {
    if (!(fraction > 0.0))
        return 0;
    if (fraction >= 1.0)
        return 255;
    return static_cast<int>(std::lround(fraction * 255.0));
}

std::string classAttribute(const std::string& cssClass) {
    return cssClass.empty() ? std::string() : " class=\"" + xmlEscape(cssClass) + "\"";
}

} // namespace

std::string svgColour(const Rgb& colour) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", channel(colour.r), channel(colour.g),
                  channel(colour.b));
    return buf;
}

std::string xmlEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string svgNumber(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", value);
    std::string s = buf;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    if (s == "-0")
        s = "0";
    return s;
}

SvgDocument::SvgDocument(double x, double y, double width, double height, int pixelWidth,
                         int pixelHeight) {
    head_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
            std::to_string(pixelWidth) + "\" height=\"" + std::to_string(pixelHeight) +
            "\" viewBox=\"" + svgNumber(x) + " " + svgNumber(y) + " " + svgNumber(width) + " " +
            svgNumber(height) + "\">\n";
}

void SvgDocument::title(const std::string& text) {
    body_ += "<title>" + xmlEscape(text) + "</title>\n";
}

void SvgDocument::rect(double x, double y, double w, double h, const std::string& fill,
                       const std::string& stroke, double strokeWidth) {
    body_ += "<rect x=\"" + svgNumber(x) + "\" y=\"" + svgNumber(y) + "\" width=\"" + svgNumber(w) +
             "\" height=\"" + svgNumber(h) + "\" fill=\"" + fill + "\"";
    body_ += " stroke=\"" + stroke + "\"";
    if (stroke != "none")
        body_ += " stroke-width=\"" + svgNumber(strokeWidth) + "\"";
    body_ += "/>\n";
}

void SvgDocument::line(double x1, double y1, double x2, double y2, const std::string& stroke,
                       double width, const std::string& cssClass) {
    body_ += "<line" + classAttribute(cssClass) + " x1=\"" + svgNumber(x1) + "\" y1=\"" +
             svgNumber(y1) + "\" x2=\"" + svgNumber(x2) + "\" y2=\"" + svgNumber(y2) +
             "\" stroke=\"" + stroke + "\" stroke-width=\"" + svgNumber(width) + "\"/>\n";
}

void SvgDocument::points(const char* element, const std::vector<SvgPoint>& pts,
                         const std::string& stroke, double width, const std::string& cssClass) {
    body_ += std::string("<") + element + classAttribute(cssClass) + " fill=\"none\" stroke=\"" +
             stroke + "\" stroke-width=\"" + svgNumber(width) +
             "\" stroke-linejoin=\"round\" points=\"";
    for (size_t k = 0; k < pts.size(); ++k) {
        if (k > 0)
            body_ += ' ';
        body_ += svgNumber(pts[k].x) + "," + svgNumber(pts[k].y);
    }
    body_ += "\"/>\n";
}

void SvgDocument::polyline(const std::vector<SvgPoint>& pts, const std::string& stroke,
                           double width, const std::string& cssClass) {
    points("polyline", pts, stroke, width, cssClass);
}

void SvgDocument::polygon(const std::vector<SvgPoint>& pts, const std::string& stroke, double width,
                          const std::string& cssClass) {
    points("polygon", pts, stroke, width, cssClass);
}

void SvgDocument::area(const std::vector<SvgPoint>& pts, const std::string& fill, double opacity,
                       const std::string& cssClass) {
    body_ += "<polygon" + classAttribute(cssClass) + " fill=\"" + fill + "\" fill-opacity=\"" +
             svgNumber(opacity) + "\" stroke=\"none\" points=\"";
    for (size_t k = 0; k < pts.size(); ++k)
        body_ += (k > 0 ? " " : "") + svgNumber(pts[k].x) + "," + svgNumber(pts[k].y);
    body_ += "\"/>\n";
}

void SvgDocument::text(double x, double y, const std::string& content, double size,
                       const std::string& fill, const std::string& anchor, double rotate) {
    body_ += "<text x=\"" + svgNumber(x) + "\" y=\"" + svgNumber(y) + "\" font-family=\"" +
             "DejaVu Sans, Arial, sans-serif\" font-size=\"" + svgNumber(size) + "\" fill=\"" +
             fill + "\" stroke=\"none\"";
    if (anchor != "start")
        body_ += " text-anchor=\"" + anchor + "\"";
    if (rotate != 0.0)
        body_ += " transform=\"rotate(" + svgNumber(rotate) + " " + svgNumber(x) + " " +
                 svgNumber(y) + ")\"";
    body_ += ">" + xmlEscape(content) + "</text>\n";
}

void SvgDocument::beginGroup(const std::string& cssClass, const std::string& dash) {
    body_ += "<g" + classAttribute(cssClass);
    if (!dash.empty())
        body_ += " stroke-dasharray=\"" + dash + "\"";
    body_ += ">\n";
}

void SvgDocument::endGroup() {
    body_ += "</g>\n";
}

std::string SvgDocument::str() const {
    return head_ + body_ + "</svg>\n";
}
