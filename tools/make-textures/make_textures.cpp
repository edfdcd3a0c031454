// Draws the program's two sprite textures procedurally and writes them as
// uncompressed 32-bit TGA images with alpha:
//   fly3.tga    - a fly seen from above (body, head, eyes, two wings)
//   araneus.tga - a garden spider seen from above (eight legs, cross mark)
// Usage: make-textures <output folder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int SIZE = 64;
constexpr double PI = 3.14159265359;

struct Rgba {
    double r, g, b, a;
};

class Canvas {
  public:
    explicit Canvas(int size)
        : size_(size), pixels_(static_cast<size_t>(size * size), Rgba{0, 0, 0, 0}) {}

    // Blends colour c with coverage `cover` (0 ... 1) over pixel (x, y).
    void blend(int x, int y, Rgba c, double cover) {
        if (x < 0 || y < 0 || x >= size_ || y >= size_ || cover <= 0.0)
            return;
        Rgba& p = pixels_[static_cast<size_t>(y * size_ + x)];
        const double a = c.a * std::min(1.0, cover);
        const double outA = a + p.a * (1.0 - a);
        if (outA <= 0.0)
            return;
        p.r = (c.r * a + p.r * p.a * (1.0 - a)) / outA;
        p.g = (c.g * a + p.g * p.a * (1.0 - a)) / outA;
        p.b = (c.b * a + p.b * p.a * (1.0 - a)) / outA;
        p.a = outA;
    }

    // A filled ellipse centred at (cx, cy) with half-axes (rx, ry), turned by
    // `angle`, with a one-pixel soft edge.
    void ellipse(double cx, double cy, double rx, double ry, double angle, Rgba c) {
        const double ca = std::cos(angle), sa = std::sin(angle);
        for (int y = 0; y < size_; ++y) {
            for (int x = 0; x < size_; ++x) {
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
                const double u = (dx * ca + dy * sa) / rx;
                const double v = (-dx * sa + dy * ca) / ry;
                const double d = std::sqrt(u * u + v * v);
                const double edge = (1.0 - d) * std::min(rx, ry);
                blend(x, y, c, edge + 0.5);
            }
        }
    }

    // A thick line from (x1, y1) to (x2, y2).
    void line(double x1, double y1, double x2, double y2, double width, Rgba c) {
        const double len = std::hypot(x2 - x1, y2 - y1);
        for (int y = 0; y < size_; ++y) {
            for (int x = 0; x < size_; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                double t = ((px - x1) * (x2 - x1) + (py - y1) * (y2 - y1)) / (len * len);
                t = std::clamp(t, 0.0, 1.0);
                const double d = std::hypot(px - (x1 + t * (x2 - x1)), py - (y1 + t * (y2 - y1)));
                blend(x, y, c, width * 0.5 - d + 0.5);
            }
        }
    }

    // Writes an uncompressed true-colour TGA, 32 bits per pixel, stored
    // bottom row first (the format's default origin), alpha in 8 bits.
    bool writeTga(const std::string& path) const {
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f)
            return false;
        uint8_t header[18] = {};
        header[2] = 2; // uncompressed true colour
        header[12] = static_cast<uint8_t>(size_ & 0xff);
        header[13] = static_cast<uint8_t>(size_ >> 8);
        header[14] = static_cast<uint8_t>(size_ & 0xff);
        header[15] = static_cast<uint8_t>(size_ >> 8);
        header[16] = 32;
        header[17] = 8; // alpha bits
        std::vector<uint8_t> data;
        data.reserve(static_cast<size_t>(size_ * size_ * 4));
        for (int y = size_ - 1; y >= 0; --y) {
            for (int x = 0; x < size_; ++x) {
                const Rgba& p = pixels_[static_cast<size_t>(y * size_ + x)];
                data.push_back(toByte(p.b));
                data.push_back(toByte(p.g));
                data.push_back(toByte(p.r));
                data.push_back(toByte(p.a));
            }
        }
        const bool ok = std::fwrite(header, 1, sizeof header, f) == sizeof header &&
                        std::fwrite(data.data(), 1, data.size(), f) == data.size();
        return std::fclose(f) == 0 && ok;
    }

  private:
    static uint8_t toByte(double v) {
        return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
    }

    int size_;
    std::vector<Rgba> pixels_;
};

// A fly seen from above, head towards the top of the image.
Canvas drawFly() {
    Canvas c(SIZE);
    const double m = SIZE / 2.0;
    const Rgba wing{0.85, 0.9, 1.0, 0.55};
    const Rgba vein{0.4, 0.45, 0.55, 0.6};
    c.ellipse(m - 10, m + 4, 8, 16, -0.55, wing);
    c.ellipse(m + 10, m + 4, 8, 16, 0.55, wing);
    c.line(m - 3, m - 2, m - 17, m + 16, 1.0, vein);
    c.line(m + 3, m - 2, m + 17, m + 16, 1.0, vein);
    const Rgba leg{0.1, 0.1, 0.1, 1.0};
    for (int side = -1; side <= 1; side += 2) {
        c.line(m, m - 4, m + side * 13, m - 12, 1.2, leg);
        c.line(m, m, m + side * 14, m + 1, 1.2, leg);
        c.line(m, m + 4, m + side * 12, m + 14, 1.2, leg);
    }
    c.ellipse(m, m + 8, 6, 13, 0.0, Rgba{0.2, 0.22, 0.2, 1.0}); // abdomen
    for (int band = 0; band < 3; ++band)
        c.ellipse(m, m + 5 + band * 5, 5.5, 1.0, 0.0, Rgba{0.45, 0.45, 0.35, 0.9});
    c.ellipse(m, m - 4, 6, 6, 0.0, Rgba{0.15, 0.15, 0.15, 1.0});         // thorax
    c.ellipse(m, m - 12, 5, 4, 0.0, Rgba{0.12, 0.12, 0.12, 1.0});        // head
    c.ellipse(m - 4, m - 13, 2.6, 3.2, 0.3, Rgba{0.75, 0.1, 0.05, 1.0}); // eyes
    c.ellipse(m + 4, m - 13, 2.6, 3.2, -0.3, Rgba{0.75, 0.1, 0.05, 1.0});
    return c;
}

// A garden spider seen from above, with its white cross.
Canvas drawSpider() {
    Canvas c(SIZE);
    const double m = SIZE / 2.0;
    const Rgba leg{0.35, 0.22, 0.1, 1.0};
    for (int side = -1; side <= 1; side += 2) {
        for (int k = 0; k < 4; ++k) {
            const double a = (-60.0 + k * 35.0) * PI / 180.0;
            const double kneeX = m + side * 14 * std::cos(a), kneeY = m - 6 + 14 * std::sin(a) - 4;
            const double footX = m + side * 27 * std::cos(a * 1.15),
                         footY = m - 6 + 27 * std::sin(a * 1.15);
            c.line(m, m - 6, kneeX, kneeY, 2.0, leg);
            c.line(kneeX, kneeY, footX, footY, 1.5, leg);
        }
    }
    c.ellipse(m, m - 7, 6, 6, 0.0, Rgba{0.3, 0.18, 0.08, 1.0});    // cephalothorax
    c.ellipse(m, m + 9, 11, 13, 0.0, Rgba{0.55, 0.35, 0.15, 1.0}); // abdomen
    const Rgba cross{0.95, 0.95, 0.9, 1.0};
    c.line(m, m + 1, m, m + 16, 1.8, cross);
    c.line(m - 6, m + 6, m + 6, m + 6, 1.8, cross);
    return c;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-textures <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok =
        drawFly().writeTga(folder + "/fly3.tga") && drawSpider().writeTga(folder + "/araneus.tga");
    if (!ok) {
        std::fprintf(stderr, "make-textures: cannot write the textures into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
