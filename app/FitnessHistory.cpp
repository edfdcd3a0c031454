#include "app/FitnessHistory.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "evolution/RunStatistics.h"

namespace {

constexpr int SMALLEST_AXIS_END = 10;

// The range of a single value.
ValueRange rangeOf(double v) {
    return ValueRange{v, v};
}

} // namespace

void ValueRange::include(double v) {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
}

int historyAxisEnd(int lastGeneration) {
    static constexpr int STEPS[] = {1, 2, 5};
    for (int64_t decade = SMALLEST_AXIS_END;; decade *= 10)
        for (int step : STEPS)
            if (decade * step >= lastGeneration || decade * step >= INT32_MAX / 10)
                return static_cast<int>(decade * step);
}

bool FitnessHistory::readAgain(const FossilView& fossils, int revision) const {
    if (revision != revision_ || fossils.populationSize() != population_ ||
        fossils.generations() < generations())
        return true;
    if (fitness_.empty())
        return false;
    // The last generation may have been written again (evaluated anew).
    const GenerationStats last = generationStats(fossils, generations() - 1);
    const GenerationFitness& known = fitness_.back();
    return last.best != known.best || last.mean != known.mean || last.min != known.min;
}

void FitnessHistory::update(const FossilView& fossils, int revision) {
    if (readAgain(fossils, revision)) {
        revision_ = revision;
        population_ = fossils.populationSize();
        fitness_.clear();
        fitness_.reserve(static_cast<size_t>(std::max(fossils.generations(), 0)));
        range_ = ValueRange{};
        axisEnd_ = historyAxisEnd(fossils.generations() - 1);
        placeAll();
    }
    for (int g = generations(); g < fossils.generations(); ++g)
        add(generationStats(fossils, g));
}

void FitnessHistory::setColumns(int columns) {
    columns = std::max(columns, 1);
    if (columns == this->columns())
        return;
    columns_.assign(static_cast<size_t>(columns), HistoryColumn{});
    placeAll();
}

void FitnessHistory::add(const GenerationStats& stats) {
    fitness_.push_back(GenerationFitness{stats.best, stats.mean, stats.min});
    range_.include(stats.best);
    range_.include(stats.min);
    const int g = generations() - 1;
    if (g > axisEnd_) {
        axisEnd_ = historyAxisEnd(g);
        placeAll();
    } else {
        place(g);
        ++version_;
    }
}

void FitnessHistory::place(int g) {
    const GenerationFitness& f = generation(g);
    HistoryColumn& column = columns_[static_cast<size_t>(columnOf(g))];
    if (column.count++ == 0) {
        column.first = g;
        column.best = rangeOf(f.best);
        column.mean = rangeOf(f.mean);
        column.min = rangeOf(f.min);
        return;
    }
    column.best.include(f.best);
    column.mean.include(f.mean);
    column.min.include(f.min);
}

void FitnessHistory::placeAll() {
    ++version_;
    ++placements_;
    for (size_t c = 0; c < columns_.size(); ++c)
        columns_[c] = HistoryColumn{firstInColumn(static_cast<int>(c)), 0, {}, {}, {}};
    for (int g = 0; g < generations(); ++g)
        place(g);
}

int FitnessHistory::columnOf(int g) const {
    return static_cast<int>(static_cast<int64_t>(g) * columns() / (int64_t{axisEnd_} + 1));
}

int FitnessHistory::firstInColumn(int column) const {
    const int64_t slots = int64_t{axisEnd_} + 1;
    return static_cast<int>((column * slots + columns() - 1) / columns());
}

int FitnessHistory::generationAtColumn(int column) const {
    if (fitness_.empty())
        return -1;
    column = std::clamp(column, 0, columns() - 1);
    const int middle = (firstInColumn(column) + firstInColumn(column + 1) - 1) / 2;
    return std::clamp(middle, 0, generations() - 1);
}

std::string historyHoverText(int g, const GenerationFitness& fitness) {
    char text[128];
    std::snprintf(text, sizeof text, "Generation %d: best %d, mean %.4f, min %d", g, fitness.best,
                  fitness.mean, fitness.min);
    return text;
}

int historyStripHeight(int windowHeight) {
    constexpr int LOWEST = 120;
    constexpr int HIGHEST = 200;
    return std::clamp(windowHeight / 5, LOWEST, HIGHEST);
}

FitnessAxis fitnessAxis(ValueRange range, int labels) {
    // The first of 1, 2, 5, 10, 20, 50, ... that spans the range in at most
    // `labels` steps.
    static constexpr double FACTORS[] = {1.0, 2.0, 5.0};
    FitnessAxis axis;
    double decade = 1.0;
    for (int k = 0;; ++k) {
        axis.step = decade * FACTORS[k % 3];
        axis.lo = std::floor(range.lo / axis.step) * axis.step;
        axis.hi = std::max(std::ceil(range.hi / axis.step) * axis.step, axis.lo + axis.step);
        if (axis.hi - axis.lo <= std::max(labels, 1) * axis.step)
            return axis;
        if (k % 3 == 2)
            decade *= 10.0;
    }
}

int historyStepTarget(int shown, int last, int direction, bool far) {
    constexpr int FAR_STEP = 10;
    return std::clamp(shown + direction * (far ? FAR_STEP : 1), 0, std::max(last, 0));
}

int fitnessRow(const FitnessAxis& axis, int height, double fitness) {
    const double share = (fitness - axis.lo) / (axis.hi - axis.lo);
    return std::clamp(static_cast<int>(std::lround(share * (height - 1))), 0, height - 1);
}

namespace {

double middle(const ValueRange& r) {
    return 0.5 * (r.lo + r.hi);
}

} // namespace

std::vector<PixelSpan> seriesSpans(const FitnessHistory& history, ValueRange HistoryColumn::*series,
                                   const FitnessAxis& axis, int height) {
    std::vector<PixelSpan> spans(static_cast<size_t>(history.columns()));
    int previous = -1; // the last column with a generation
    for (int c = 0; c < history.columns(); ++c) {
        if (history.column(c).count == 0)
            continue;
        const ValueRange& range = history.column(c).*series;
        spans[static_cast<size_t>(c)] =
            PixelSpan{fitnessRow(axis, height, range.lo), fitnessRow(axis, height, range.hi)};
        if (previous >= 0) {
            const double from = middle(history.column(previous).*series);
            const double step = (middle(range) - from) / (c - previous);
            for (int k = previous + 1; k < c; ++k) {
                const int row = fitnessRow(axis, height, from + step * (k - previous));
                spans[static_cast<size_t>(k)] = PixelSpan{row, row};
            }
            for (int k = previous + 1; k <= c; ++k) {
                PixelSpan& span = spans[static_cast<size_t>(k)];
                const PixelSpan& before = spans[static_cast<size_t>(k - 1)];
                span.lo = std::min(span.lo, before.hi + 1);
                span.hi = std::max(span.hi, before.lo - 1);
            }
        }
        previous = c;
    }
    return spans;
}
