#pragma once
// The history chart's plot as an image in memory: grid lines and the three
// series painted column by column from their pixel spans, in the
// framebuffer's own byte order (blue, green, red, alpha; row 0 at the
// bottom). Brought up to a growing history, it paints again only the
// columns whose spans changed, so a frame of a live run costs a few columns.

#include <utility>
#include <vector>

#include "app/FitnessHistory.h"
#include "app/WebPalette.h"

struct ChartColours {
    tPaletteColour grid, zero;
    tPaletteColour series[3]; // min, best, mean: painted in that order
};

class ChartImage {
  public:
    explicit ChartImage(const ChartColours& colours) : colours_(colours) {}

    // The image brought up to `history` on `axis` at width x height: the
    // columns first ... last painted anew (first > last: none), all of
    // them after a change of size, axis or columns.
    std::pair<int, int> update(const FitnessHistory& history, const FitnessAxis& axis, int width,
                               int height);
    // The next update paints the whole image.
    void forget();

    const std::vector<unsigned char>& pixels() const { return pixels_; }
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    void paint(int x, int row, const tPaletteColour& colour);
    void paintColumn(int x);

    ChartColours colours_;
    int width_ = 0, height_ = 0;
    FitnessAxis axis_;
    std::vector<PixelSpan> spans_[3];
    std::vector<unsigned char> pixels_;
};
