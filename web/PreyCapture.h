#pragma once
// Which prey the capture-spiral threads of a web catch. A prey is caught when
// its attack succeeded and its circle touches at least one spiral thread
// (LGeom::circleInLine). Radii and frame never catch.

#include <cstdint>
#include <vector>

#include "web/Prey.h"
#include "web/Web.h"

// The reference method: every prey against the threads in laying order,
// stopping at the first that catches. attackSuccess holds one flag per prey.
// caught receives the indices of the caught prey, ascending.
void findCaughtPreyPlain(const std::vector<SpiralThread>& threads, const std::vector<Prey>& prey,
                         const uint8_t* attackSuccess, double preySize,
                         std::vector<int32_t>& caught);

// The spiral threads of one web filed under the cells of a uniform grid over
// the web's square that their bounding boxes cover. Depends on the threads
// only, so a kept web keeps its cells.
struct ThreadCells {
    static constexpr int CELLS_PER_SIDE = 16;
    std::vector<int32_t> start;   // CELLS_PER_SIDE^2 + 1 offsets into `threads`
    std::vector<int32_t> threads; // thread indices, cell by cell

    // The cells a thread's bounding box covers: columns x0 ... x1, rows
    // y0 ... y1.
    struct Range {
        uint8_t x0, x1, y0, y1;
    };
    // Per thread, while filing (kept, so that filing again into the same
    // cells allocates only while webs grow).
    std::vector<Range> ranges;

    void build(const std::vector<SpiralThread>& spiralThreads);
};

// The same test, with each prey tried only against the threads that share a
// cell of the grid with the prey's bounding box. Gives exactly the result of
// findCaughtPreyPlain. Keeps its buffers between uses, so evaluating many
// webs allocates only while they grow.
class ThreadGrid {
  public:
    static constexpr int CELLS_PER_SIDE = ThreadCells::CELLS_PER_SIDE;

    // Files the threads into the grid, then tests each prey whose attack
    // succeeded against the threads of the cells its bounding box covers.
    void findCaughtPrey(const std::vector<SpiralThread>& threads, const std::vector<Prey>& prey,
                        const uint8_t* attackSuccess, double preySize,
                        std::vector<int32_t>& caught);
    // The same with the threads already filed (`cells` built from `threads`).
    void findCaughtPrey(const ThreadCells& cells, const std::vector<SpiralThread>& threads,
                        const std::vector<Prey>& prey, const uint8_t* attackSuccess,
                        double preySize, std::vector<int32_t>& caught);

  private:
    ThreadCells cells_;
    std::vector<uint32_t> seenMark_; // per thread: the query that last tested it
    uint32_t query_ = 0;

    bool touchesAnyThread(const ThreadCells& cells, const std::vector<SpiralThread>& threads,
                          const Prey& p, double r);
};
