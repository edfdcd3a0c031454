#pragma once
// The model of the fitness history chart: the best, mean and lowest fitness
// of every recorded generation, as the run's statistics give them, and how
// the generations fall into the chart's pixel columns. The time axis runs
// from generation 0 to axisEnd(), a round number (10, 20, 50, 100, ...) at
// or past the last recorded generation; column c of w holds the generations
// g with floor(g * w / (axisEnd() + 1)) == c. Every column keeps the range
// of each series over its generations, updated as generations come, so a
// new generation costs the same however long the run is (the axis grows
// in steps of at least two, and only then are the columns filled again).
// No window is needed.

#include <string>
#include <vector>

#include "evolution/FossilView.h"

struct GenerationStats;

// The three numbers the chart draws for a generation.
struct GenerationFitness {
    int best = 0;
    double mean = 0.0;
    int min = 0;
};

struct ValueRange {
    double lo = 0.0;
    double hi = 0.0;
    void include(double v);
};

// The generations first ... first + count - 1 of one pixel column and the
// range of each series over them (count 0: no generation falls there).
struct HistoryColumn {
    int first = 0;
    int count = 0;
    ValueRange best, mean, min;
};

class FitnessHistory {
  public:
    // Brings the history up to the record: generations added since the last
    // call are added one by one. A record of another population size, with
    // fewer generations, of another `revision` (the record's count of
    // changes before its last generation) or whose last generation known
    // here changed, is read again whole.
    void update(const FossilView& fossils, int revision);
    // The plot's width in pixel columns (at least 1).
    void setColumns(int columns);

    int columns() const { return static_cast<int>(columns_.size()); }
    int generations() const { return static_cast<int>(fitness_.size()); }
    const GenerationFitness& generation(int g) const { return fitness_[static_cast<size_t>(g)]; }
    const HistoryColumn& column(int c) const { return columns_[static_cast<size_t>(c)]; }
    int axisEnd() const { return axisEnd_; }
    // The fitness axis: every value recorded, and 0.
    ValueRange fitnessRange() const { return range_; }
    // Counts the changes to what the chart shows (a generation added, the
    // record read again, the columns changed).
    int version() const { return version_; }
    // Counts the times every column was filled anew (the axis grew, the
    // record was read again, the columns changed); between two, generations
    // were only added.
    int placements() const { return placements_; }

    // The column generation g falls in.
    int columnOf(int g) const;
    // The generation a click in pixel column `column` goes to: the middle
    // one of the column's generations, the one whose span covers it when
    // none falls in it; left of the plot the first, right of the last
    // recorded generation the last. -1 when nothing is recorded.
    int generationAtColumn(int column) const;

  private:
    bool readAgain(const FossilView& fossils, int revision) const;
    void add(const GenerationStats& stats);
    void place(int g);
    void placeAll();
    int firstInColumn(int column) const;

    std::vector<GenerationFitness> fitness_;
    std::vector<HistoryColumn> columns_ = std::vector<HistoryColumn>(1);
    ValueRange range_;
    int axisEnd_ = 0;
    int population_ = 0;
    int revision_ = 0;
    int version_ = 0;
    int placements_ = 0;
};

// The first round number of the time axis (10, 20, 50, 100, 200, ...) at or
// past `lastGeneration`.
int historyAxisEnd(int lastGeneration);

// What the chart shows for the generation under the pointer:
// "Generation 250: best 310, mean 122.5417, min -12".
std::string historyHoverText(int g, const GenerationFitness& fitness);

// The height of the chart's strip in a window of this height.
int historyStripHeight(int windowHeight);

// The fitness axis over a range: round ends and the smallest round step
// (1, 2 or 5 times a power of ten) that needs at most `labels` steps.
struct FitnessAxis {
    double lo = 0.0;
    double hi = 1.0;
    double step = 1.0;
};
FitnessAxis fitnessAxis(ValueRange range, int labels);

// Where Left (direction -1) or Right (+1) moves the mark from generation
// `shown` of generations 0 ... last: one generation, ten with `far`.
int historyStepTarget(int shown, int last, int direction, bool far);

// The pixel row (0 at the bottom) of a fitness on `axis` in a plot `height`
// pixels high.
int fitnessRow(const FitnessAxis& axis, int height, double fitness);

// The pixel rows (0 at the bottom) a series covers in each column of a plot
// `height` pixels high on `axis`: every column from the first generation's
// to the last's, its range joined to the column before, so that the series
// is drawn as one unbroken line (columns without a generation between two
// with one take the value between theirs). Columns right of the last
// generation's have none (lo > hi).
struct PixelSpan {
    int lo = 0;
    int hi = -1;
};
std::vector<PixelSpan> seriesSpans(const FitnessHistory& history, ValueRange HistoryColumn::*series,
                                   const FitnessAxis& axis, int height);
