#include "tools/cli/WebSvg.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tools/cli/Svg.h"

namespace {

// The web palette at full brightness.
const Rgb FRAME_COLOUR = {1.0, 0.0, 0.0};
const Rgb RADIUS_COLOUR = {0.5, 0.5, 0.5};
const Rgb EXTRA_RADIUS_COLOUR = {0.5, 0.5, 0.5};
const Rgb FIRST_LOOP_COLOUR = {0.3, 0.3, 1.0};
const Rgb MAIN_SPIRAL_COLOUR = {0.3, 0.3, 1.0};
const Rgb BACKGROUND = {0.0, 0.0, 0.0};
const Rgb BORDER = {1.0, 1.0, 1.0};
const Rgb SPIDER_COLOUR = {1.0, 1.0, 0.0};
const Rgb CAPTION_COLOUR = {1.0, 1.0, 1.0};

constexpr double HALF_SQUARE = 100.0;
constexpr double FRAME_HALF = 99.0;      // the rectangle drawn about a web
constexpr int PIXELS = 400;              // picture size: 2 pixels per web unit
constexpr double PIXEL = 200.0 / PIXELS; // one pixel in web units
constexpr double RADIUS_WIDTH = 1.0 * PIXEL;
constexpr double FRAME_WIDTH = 1.0 * PIXEL;
constexpr double SPIRAL_WIDTH = 2.0 * PIXEL;
constexpr double BORDER_WIDTH = 2.0 * PIXEL;
constexpr double SPIDER_SIZE = 2.0;
constexpr double CAPTION_X = -95.0, CAPTION_Y = -88.0, CAPTION_SIZE = 7.0;

void drawRadii(SvgDocument& svg, const Web& web) {
    svg.beginGroup("radii");
    for (const Radius& r : web.radii) {
        const Rgb& colour = r.kind != 0 ? EXTRA_RADIUS_COLOUR : RADIUS_COLOUR;
        svg.line(r.hubX, r.hubY, r.endX, r.endY, svgColour(colour), RADIUS_WIDTH,
                 r.kind != 0 ? "extra-radius" : "radius");
    }
    svg.endGroup();
}

void drawFrame(SvgDocument& svg, const Web& web) {
    std::vector<SvgPoint> ends;
    for (const Radius& r : web.radii)
        ends.push_back({double(r.endX), double(r.endY)});
    if (ends.size() >= 2)
        svg.polygon(ends, svgColour(FRAME_COLOUR), FRAME_WIDTH, "frame");
}

// One line strip through the first point of every thread, ending at the
// second point of the last; the part from thread firstLoopThreads on is the
// main spiral.
void drawSpiral(SvgDocument& svg, const Web& web) {
    const std::vector<SpiralThread>& threads = web.spiralThreads;
    if (threads.empty())
        return;
    std::vector<SvgPoint> strip;
    for (const SpiralThread& t : threads)
        strip.push_back({double(t.x1), double(t.y1)});
    strip.push_back({double(threads.back().x2), double(threads.back().y2)});
    const size_t split = static_cast<size_t>(
        std::clamp<int32_t>(web.firstLoopThreads, 0, static_cast<int32_t>(threads.size())));
    const std::vector<SvgPoint> firstLoop(strip.begin(), strip.begin() + split + 1);
    const std::vector<SvgPoint> mainSpiral(strip.begin() + split, strip.end());
    if (firstLoop.size() >= 2)
        svg.polyline(firstLoop, svgColour(FIRST_LOOP_COLOUR), SPIRAL_WIDTH, "first-loop");
    if (mainSpiral.size() >= 2)
        svg.polyline(mainSpiral, svgColour(MAIN_SPIRAL_COLOUR), SPIRAL_WIDTH, "main-spiral");
}

} // namespace

std::string spiderCaption(const Spider& spider, int index) {
    char buf[128];
    // Parent numbers come from the file and may be anything a 32-bit integer holds.
    std::snprintf(buf, sizeof buf, "[%i] Fit=%.0f  %s(%lld, %lld)", index + 1,
                  spider.individual.fitness, spider.origin.c_str(),
                  static_cast<long long>(spider.parentA) + 1,
                  static_cast<long long>(spider.parentB) + 1);
    return buf;
}

std::string webSvg(const Spider& spider, const std::string& caption, const std::string& title) {
    SvgDocument svg(-HALF_SQUARE, -HALF_SQUARE, 2 * HALF_SQUARE, 2 * HALF_SQUARE, PIXELS, PIXELS);
    svg.title(title);
    svg.rect(-HALF_SQUARE, -HALF_SQUARE, 2 * HALF_SQUARE, 2 * HALF_SQUARE, svgColour(BACKGROUND));
    svg.rect(-FRAME_HALF, -FRAME_HALF, 2 * FRAME_HALF, 2 * FRAME_HALF, "none", svgColour(BORDER),
             BORDER_WIDTH);
    drawRadii(svg, spider.web);
    drawFrame(svg, spider.web);
    drawSpiral(svg, spider.web);
    svg.rect(spider.spiderX - SPIDER_SIZE, spider.spiderY - SPIDER_SIZE, SPIDER_SIZE, SPIDER_SIZE,
             svgColour(SPIDER_COLOUR));
    svg.text(CAPTION_X, CAPTION_Y, caption, CAPTION_SIZE, svgColour(CAPTION_COLOUR));
    return svg.str();
}
