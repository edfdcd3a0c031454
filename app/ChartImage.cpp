#include "app/ChartImage.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int SERIES_COUNT = 3;
constexpr ValueRange HistoryColumn::*SERIES[SERIES_COUNT] = {
    &HistoryColumn::min, &HistoryColumn::best, &HistoryColumn::mean};

bool sameAxis(const FitnessAxis& a, const FitnessAxis& b) {
    return a.lo == b.lo && a.hi == b.hi && a.step == b.step;
}

bool sameSpan(const PixelSpan& a, const PixelSpan& b) {
    return a.lo == b.lo && a.hi == b.hi;
}

} // namespace

void ChartImage::paint(int x, int row, const tPaletteColour& colour) {
    unsigned char* p = &pixels_[(static_cast<size_t>(row) * width_ + x) * 4];
    p[0] = static_cast<unsigned char>(colour.b * 255.0f);
    p[1] = static_cast<unsigned char>(colour.g * 255.0f);
    p[2] = static_cast<unsigned char>(colour.r * 255.0f);
    p[3] = 255;
}

// Column x cleared, then its grid rows, then the series' spans.
void ChartImage::paintColumn(int x) {
    for (int row = 0; row < height_; ++row)
        std::memset(&pixels_[(static_cast<size_t>(row) * width_ + x) * 4], 0, 4);
    for (double v = axis_.lo; v <= axis_.hi + 0.5 * axis_.step; v += axis_.step)
        paint(x, fitnessRow(axis_, height_, v), v == 0.0 ? colours_.zero : colours_.grid);
    for (int k = 0; k < SERIES_COUNT; ++k) {
        const PixelSpan& span = spans_[k][static_cast<size_t>(x)];
        for (int row = span.lo; row <= span.hi; ++row)
            paint(x, row, colours_.series[k]);
    }
}

void ChartImage::forget() {
    width_ = height_ = 0;
}

std::pair<int, int> ChartImage::update(const FitnessHistory& history, const FitnessAxis& axis,
                                       int width, int height) {
    std::vector<PixelSpan> spans[SERIES_COUNT];
    for (int k = 0; k < SERIES_COUNT; ++k)
        spans[k] = seriesSpans(history, SERIES[k], axis, height);
    const bool whole = width != width_ || height != height_ || !sameAxis(axis, axis_) ||
                       spans[0].size() != spans_[0].size();
    int first = 0, last = width - 1;
    if (whole) {
        pixels_.assign(static_cast<size_t>(width) * height * 4, 0);
    } else {
        first = width;
        last = -1;
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < SERIES_COUNT; ++k)
                if (!sameSpan(spans[k][static_cast<size_t>(x)],
                              spans_[k][static_cast<size_t>(x)])) {
                    first = std::min(first, x);
                    last = x;
                }
    }
    width_ = width;
    height_ = height;
    axis_ = axis;
    for (int k = 0; k < SERIES_COUNT; ++k)
        spans_[k] = std::move(spans[k]);
    for (int x = first; x <= last; ++x)
        paintColumn(x);
    return {first, last};
}
