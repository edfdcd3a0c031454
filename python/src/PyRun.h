#pragma once
// A run as Python holds it: the run itself, the seed of its last breeding
// call, and what Python reads of it. Calls on one run are serialised: a call
// waits (without the GIL) while another thread uses the run, and a call from
// the run's own progress callback is refused instead of waiting forever.
// Python reads a snapshot of the record taken once after each change: every
// array is a read-only view into one snapshot, which lives as long as any
// view of it does.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "evolution/Run.h"

namespace py = pybind11;

// What Python reads of a run, as it was when taken.
struct RunSnapshot {
    std::vector<int32_t> record; // whole generations only
    int generations = 0;
    int populationSize = 0;
    int generation = 0;
    int selectedSpider = -1;
    RunSettings settings;
};

class PyRun {
  public:
    PyRun() = default;
    explicit PyRun(Run run, std::optional<uint32_t> seed, bool live)
        : run_(std::move(run)), seed_(seed), live_(live) {}
    PyRun(const PyRun&) = delete;
    PyRun& operator=(const PyRun&) = delete;

    // Holds the run for one call: waits (GIL released) for another thread's
    // call to end; raises RuntimeError when this thread is inside a call on
    // the run already (from its progress callback).
    class Use {
      public:
        explicit Use(PyRun& r);
        ~Use();
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;

      private:
        PyRun& r_;
        bool owns_;
    };

    Run& run() { return run_; }
    std::optional<uint32_t>& seed() { return seed_; }
    bool& live() { return live_; }
    // The run changed: the next read takes a new snapshot.
    void changed() { ++version_; }

    // The current snapshot (taken now when the run changed since the last).
    std::shared_ptr<const RunSnapshot> snapshot();
    // The arrays of the current snapshot, made once per snapshot.
    py::object fitness();
    py::object rules();
    py::object originCodes();
    py::object parents();

  private:
    Run run_;
    std::optional<uint32_t> seed_;
    bool live_ = true;
    std::mutex mutex_;
    std::atomic<std::thread::id> user_{};
    std::atomic<uint64_t> version_{1};
    uint64_t snapshotVersion_ = 0;
    std::shared_ptr<const RunSnapshot> snapshot_;
    py::object arrays_[4];

    py::object array(int which);
};

// Registers Run, load and the breeding calls.
void bindRuns(py::module_& m);
