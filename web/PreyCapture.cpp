#include "web/PreyCapture.h"

#include <algorithm>

#include "core/LGeom.h"
#include "web/WebMath.h"

namespace {

constexpr int CELLS = ThreadGrid::CELLS_PER_SIDE;
constexpr double CELLS_PER_UNIT = CELLS / (2.0 * webmath::SQUARE_HALF);

bool touches(const SpiralThread& t, const Prey& p, double r) {
    return LGeom::circleInLine(p.x, p.y, r, t.x1, t.y1, t.x2, t.y2);
}

// The bounding-box rejection of circleInLine, with its exact comparisons:
// a thread it rejects cannot touch, so the full test can be skipped.
bool outsideBox(const SpiralThread& t, double left, double right, double top, double bottom) {
    return (t.x1 > right && t.x2 > right) || (t.x1 < left && t.x2 < left) ||
           (t.y1 > bottom && t.y2 > bottom) || (t.y1 < top && t.y2 < top);
}

// The grid column (or row) of coordinate v. A non-decreasing function of v,
// kept within the grid for values outside the square (and for NaN).
int cellOf(double v) {
    const double c = (v + webmath::SQUARE_HALF) * CELLS_PER_UNIT;
    if (!(c >= 0.0))
        return 0;
    if (c >= CELLS)
        return CELLS - 1;
    return static_cast<int>(c); // toward zero, which is down for c >= 0
}

ThreadCells::Range threadCells(const SpiralThread& t) {
    return ThreadCells::Range{static_cast<uint8_t>(cellOf(std::min(t.x1, t.x2))),
                              static_cast<uint8_t>(cellOf(std::max(t.x1, t.x2))),
                              static_cast<uint8_t>(cellOf(std::min(t.y1, t.y2))),
                              static_cast<uint8_t>(cellOf(std::max(t.y1, t.y2)))};
}

} // namespace

void findCaughtPreyPlain(const std::vector<SpiralThread>& threads, const std::vector<Prey>& prey,
                         const uint8_t* attackSuccess, double preySize,
                         std::vector<int32_t>& caught) {
    caught.clear();
    for (size_t k = 0; k < prey.size(); ++k) {
        for (const SpiralThread& t : threads) {
            if (touches(t, prey[k], preySize) && attackSuccess[k]) {
                caught.push_back(static_cast<int32_t>(k));
                break;
            }
        }
    }
}

void ThreadCells::build(const std::vector<SpiralThread>& spiralThreads) {
    start.assign(CELLS * CELLS + 1, 0);
    ranges.resize(spiralThreads.size());
    for (size_t i = 0; i < spiralThreads.size(); ++i) {
        const Range c = ranges[i] = threadCells(spiralThreads[i]);
        for (int y = c.y0; y <= c.y1; ++y)
            for (int x = c.x0; x <= c.x1; ++x)
                ++start[y * CELLS + x + 1];
    }
    for (int i = 0; i < CELLS * CELLS; ++i)
        start[i + 1] += start[i];
    threads.resize(static_cast<size_t>(start.back()));
    // Fill each cell from its start; `start` is shifted back afterwards.
    for (size_t i = 0; i < spiralThreads.size(); ++i) {
        const Range c = ranges[i];
        for (int y = c.y0; y <= c.y1; ++y)
            for (int x = c.x0; x <= c.x1; ++x)
                threads[static_cast<size_t>(start[y * CELLS + x]++)] = static_cast<int32_t>(i);
    }
    for (int i = CELLS * CELLS; i > 0; --i)
        start[i] = start[i - 1];
    start[0] = 0;
}

// circleInLine rejects a thread whose bounding box lies strictly outside the
// prey's box [x - r, x + r] x [y - r, y + r]. Any other thread shares at least
// one cell with that box, because cellOf is non-decreasing: so testing the
// threads of the box's cells tests every thread that can touch the prey.
bool ThreadGrid::touchesAnyThread(const ThreadCells& cells,
                                  const std::vector<SpiralThread>& threads, const Prey& p,
                                  double r) {
    ++query_;
    const double left = p.x - r, right = p.x + r, top = p.y - r, bottom = p.y + r;
    const int x0 = cellOf(left), x1 = cellOf(right);
    const int y0 = cellOf(top), y1 = cellOf(bottom);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const int cell = y * CELLS + x;
            for (int32_t j = cells.start[cell]; j < cells.start[cell + 1]; ++j) {
                const int32_t i = cells.threads[static_cast<size_t>(j)];
                if (seenMark_[static_cast<size_t>(i)] == query_)
                    continue;
                seenMark_[static_cast<size_t>(i)] = query_;
                const SpiralThread& t = threads[static_cast<size_t>(i)];
                if (!outsideBox(t, left, right, top, bottom) && touches(t, p, r))
                    return true;
            }
        }
    }
    return false;
}

void ThreadGrid::findCaughtPrey(const std::vector<SpiralThread>& threads,
                                const std::vector<Prey>& prey, const uint8_t* attackSuccess,
                                double preySize, std::vector<int32_t>& caught) {
    caught.clear();
    if (threads.empty())
        return;
    cells_.build(threads);
    findCaughtPrey(cells_, threads, prey, attackSuccess, preySize, caught);
}

void ThreadGrid::findCaughtPrey(const ThreadCells& cells, const std::vector<SpiralThread>& threads,
                                const std::vector<Prey>& prey, const uint8_t* attackSuccess,
                                double preySize, std::vector<int32_t>& caught) {
    caught.clear();
    if (threads.empty())
        return;
    seenMark_.assign(threads.size(), 0);
    query_ = 0;
    for (size_t k = 0; k < prey.size(); ++k) {
        if (!attackSuccess[k])
            continue;
        if (touchesAnyThread(cells, threads, prey[k], preySize))
            caught.push_back(static_cast<int32_t>(k));
    }
}
