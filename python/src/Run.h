#pragma once
// A run as Python holds it: the engine's variables after loading or breeding
// it, whether they still carry the generator's state (a run bred in this
// process does; a loaded one does not), and the seed it was bred from.

#include <memory>
#include <optional>
#include <string>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "evolution/PopulationFormat.h"
#include "python/src/Engine.h"

namespace py = pybind11;

struct Run {
    std::shared_ptr<const EngineState> engine;
    population_format::Settings settings; // as a file stores them
    std::string attack;                   // the tool's word for the attack model
    bool live = false;
    std::optional<uint32_t> seed;

    // The engine as it is now (call with the engine held).
    static Run capture(bool live, std::optional<uint32_t> seed);

    const EvolutionState& state() const { return engine->evolution; }
    int generations() const { return state().recordedGenerations(); }

    // The fossil record as arrays: fitness (G, N), rules (G, N, 19),
    // origin codes (G, N) and parents (G, N, 2).
    py::array_t<int32_t> fitness() const;
    py::array_t<int32_t> rules() const;
    py::array_t<int32_t> originCodes() const;
    py::array_t<int32_t> parents() const;
    // The settings under the tool's option names (dashes as underscores).
    py::dict settingsDict() const;
};

// Registers Run, load, save and the breeding calls.
void bindRuns(py::module_& m);
