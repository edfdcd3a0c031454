// Loading, saving and breeding runs from Python, through the tool's own code:
// the options are read by its parser, runs are made, opened and bred by
// runEvolution and written by its saver, so a run bred here is the run the
// tool breeds.

#include <cstdlib>
#include <random>
#include <unistd.h>

#include "evolution/RunControl.h"
#include "python/src/EngineCall.h"
#include "python/src/Run.h"
#include "tools/cli/Evolve.h"
#include "tools/cli/RunFile.h"

#include <pybind11/stl.h>

namespace {

using Words = std::vector<std::string>;

// The tool insists on an output file; the binding writes none.
EvolveOptions parseOptions(Words words) {
    words.insert(words.end(), {"--out", "unused.axv"});
    return parseEvolveOptions(words);
}

uint32_t systemSeed() {
    std::random_device device;
    return static_cast<uint32_t>(device());
}

// After every generation, holding the GIL: Ctrl-C (or an exception from the
// user's callback) stops the run here, after a whole generation.
GenerationCallback pythonCallback(const py::object& progress, int total) {
    return [&progress, total](int bred) {
        py::gil_scoped_acquire gil;
        if (PyErr_CheckSignals() != 0)
            throw py::error_already_set();
        if (!progress.is_none()) {
            const EvolutionState& es = evolutionState;
            progress(bred, total, es.generation,
                     truncToInt32(es.spiders[es.bestSpider].individual.fitness));
        }
    };
}

// Runs `breed` on the engine and puts the run it leaves into `target`. When
// breeding stops early on a Python exception (Ctrl-C), `target` holds the run
// up to its last whole generation, which also goes with the exception as its
// `run` attribute. `breed` sets the seed it used.
template <class F> void breedInto(Run& target, F&& breed) {
    std::optional<uint32_t> seed = target.seed;
    Run bred; // taken into `target` only once the GIL is held again
    bool stopped = false;
    try {
        withEngine([&] {
            try {
                breed(seed);
            } catch (const py::error_already_set&) {
                stopped = true;
                bred = Run::capture(true, seed);
                throw;
            }
            bred = Run::capture(true, seed);
        });
    } catch (py::error_already_set& e) {
        if (stopped) {
            target = bred;
            py::setattr(e.value(), "run", py::cast(target));
        }
        throw;
    }
    target = bred;
}

// A temporary file that is removed again when it goes.
class TempRunFile {
  public:
    TempRunFile() {
        const char* dir = std::getenv("TMPDIR");
        std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/arachnovix-XXXXXX";
        const int fd = ::mkstemp(&pattern[0]);
        if (fd < 0)
            throw fileError("cannot make a temporary file in " + pattern);
        ::close(fd);
        path_ = pattern;
    }
    ~TempRunFile() { ::unlink(path_.c_str()); }
    TempRunFile(const TempRunFile&) = delete;
    TempRunFile& operator=(const TempRunFile&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

Run loadRunFile(const std::string& path) {
    Run run;
    withEngine([&] {
        pristineEngine().restore();
        openRun(path);
        run = Run::capture(false, std::nullopt);
    });
    return run;
}

void saveRunFile(const Run& run, const std::string& path) {
    withEngine(
        [&] {
            run.engine->restore();
            saveRun(path);
        },
        PyExc_OSError);
}

// A new run, as "arachnovix-cli evolve" makes it from the same options.
Run evolveRun(const Words& words, const py::object& progress) {
    Run run;
    breedInto(run, [&](std::optional<uint32_t>& seed) {
        const EvolveOptions o = parseOptions(words);
        seed = o.seed ? *o.seed : systemSeed();
        pristineEngine().restore();
        runEvolution(o, *seed, pythonCallback(progress, o.generations));
    });
    return run;
}

// More generations of a run bred in this process, as if it had never stopped.
void continueRun(Run& run, const Words& words, const py::object& progress) {
    const std::shared_ptr<const EngineState> from = run.engine;
    breedInto(run, [&](std::optional<uint32_t>&) {
        const EvolveOptions o = parseOptions(words);
        from->restore();
        breedGenerations(o.generations, pythonCallback(progress, o.generations));
    });
}

// More generations as "arachnovix-cli evolve --resume" breeds them from the
// saved run, with the seed and settings in `words`.
void resumeRun(Run& run, Words words, const py::object& progress) {
    const std::shared_ptr<const EngineState> from = run.engine;
    breedInto(run, [&](std::optional<uint32_t>& seed) {
        const TempRunFile file;
        from->restore();
        saveRun(file.path());
        words.insert(words.end(), {"--resume", file.path()});
        const EvolveOptions o = parseOptions(words);
        seed = o.seed ? *o.seed : systemSeed();
        pristineEngine().restore();
        runEvolution(o, *seed, pythonCallback(progress, o.generations));
    });
}

} // namespace

void bindRuns(py::module_& m) {
    py::class_<Run>(m, "Run", "A run: its settings and the record of every generation.")
        .def_property_readonly("population_size",
                               [](const Run& r) { return r.state().populationSize; })
        .def_property_readonly("generations", &Run::generations,
                               "Number of recorded generations (0 ... generations - 1).")
        .def_property_readonly(
            "generation", [](const Run& r) { return r.state().generation; },
            "The current generation.")
        .def_property_readonly(
            "selected_spider", [](const Run& r) { return r.state().selectedSpider; },
            "Index of the selected spider (-1 for none).")
        .def_property_readonly(
            "seed", [](const Run& r) { return r.seed; },
            "The seed the last breeding call used (None for a loaded run).")
        .def_property_readonly(
            "live", [](const Run& r) { return r.live; },
            "Whether the run carries its generator and can go on unbroken.")
        .def_property_readonly("settings", &Run::settingsDict)
        .def_property_readonly("fitness", &Run::fitness)
        .def_property_readonly("rules", &Run::rules)
        .def_property_readonly("origin_codes", &Run::originCodes)
        .def_property_readonly("parents", &Run::parents)
        .def("_save", &saveRunFile)
        .def("_continue", &continueRun)
        .def("_resume", &resumeRun);
    m.def("_load", &loadRunFile);
    m.attr("GENERATION_LIMIT") = GENERATION_LIMIT;
    m.attr("GENERATION_LIMIT_MESSAGE") = GENERATION_LIMIT_MESSAGE;
    m.def("_evolve", &evolveRun);
}
