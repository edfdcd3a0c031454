#pragma once
// A small writer of SVG documents: shapes and text in user units, colours
// given as RGB fractions like the program's GL colours.

#include <string>
#include <vector>

struct Rgb {
    double r, g, b;
};

struct SvgPoint {
    double x, y;
};

// "#rrggbb" from channel fractions 0 ... 1 (clamped), each rounded to 0 ... 255.
std::string svgColour(const Rgb& colour);
// Text with &, <, >, " and ' escaped for XML.
std::string xmlEscape(const std::string& text);
// A number with at most three decimals and no trailing zeros.
std::string svgNumber(double value);

class SvgDocument {
  public:
    // The drawing shows the user-space box (x, y, width, height) in a picture
    // of pixelWidth x pixelHeight.
    SvgDocument(double x, double y, double width, double height, int pixelWidth, int pixelHeight);

    void title(const std::string& text);
    void rect(double x, double y, double w, double h, const std::string& fill,
              const std::string& stroke = "none", double strokeWidth = 0.0);
    void line(double x1, double y1, double x2, double y2, const std::string& stroke, double width,
              const std::string& cssClass = "");
    // An open line through the points (polyline) or a closed one (polygon).
    void polyline(const std::vector<SvgPoint>& points, const std::string& stroke, double width,
                  const std::string& cssClass = "");
    void polygon(const std::vector<SvgPoint>& points, const std::string& stroke, double width,
                 const std::string& cssClass = "");
    // A closed shape filled with a colour at the given opacity (0 ... 1), no outline.
    void area(const std::vector<SvgPoint>& points, const std::string& fill, double opacity,
              const std::string& cssClass = "");
    // anchor: "start", "middle" or "end"; rotate: degrees about (x, y).
    void text(double x, double y, const std::string& content, double size, const std::string& fill,
              const std::string& anchor = "start", double rotate = 0.0);
    // A group; `dash` (an SVG dash array such as "6 3") dashes the lines in it.
    void beginGroup(const std::string& cssClass, const std::string& dash = "");
    void endGroup();

    std::string str() const;

  private:
    void points(const char* element, const std::vector<SvgPoint>& pts, const std::string& stroke,
                double width, const std::string& cssClass);

    std::string head_;
    std::string body_;
};
