// Runs from Python: started, resumed, bred, loaded, saved and pickled
// through the run API, with the GIL released while the engine works.

#include <cstring>
#include <exception>
#include <random>

#include <pybind11/stl.h>

#include "evolution/Continuation.h"
#include "evolution/RunControl.h"
#include "python/src/Keywords.h"
#include "python/src/PyRun.h"

namespace {

constexpr int PICKLE_VERSION = 2;

uint32_t seedOf(const RunOptions& o) {
    if (o.seed)
        return *o.seed;
    std::random_device device;
    return static_cast<uint32_t>(device());
}

// After every generation, holding the GIL: Ctrl-C (or an exception from the
// user's callback) stops the run here, after a whole generation.
Run::Progress progressFor(const py::object& progress, int total) {
    return [&progress, total](const Run& run, int bred) {
        py::gil_scoped_acquire gil;
        if (PyErr_CheckSignals() != 0)
            throw py::error_already_set();
        if (!progress.is_none()) {
            const EvolutionState& es = run.state();
            progress(bred, total, es.generation,
                     truncToInt32(es.spiders[es.bestSpider].individual.fitness));
        }
        return true;
    };
}

// Runs engine work without the GIL; the run API's refusals come back as
// ValueError (options, files read) or OSError (files written).
template <class F> void withoutGil(F&& work) {
    std::exception_ptr failure;
    {
        py::gil_scoped_release released;
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (!failure)
        return;
    try {
        std::rethrow_exception(failure);
    } catch (const RunOptionError& e) {
        raiseOptionError(e);
    } catch (const RunFileError& e) {
        throw py::value_error(e.what());
    }
}

// Breeds `generations` more into the held run. An interruption leaves the
// run whole at its last generation and goes with the exception as `run`.
void breedHeld(PyRun& r, const py::object& self, int generations, const py::object& progress) {
    const Run::Progress p = progressFor(progress, generations);
    try {
        withoutGil([&] { r.run().breed(generations, p); });
    } catch (py::error_already_set& e) {
        r.changed();
        py::setattr(e.value(), "run", self);
        throw;
    }
    r.changed();
}

py::object evolveRun(const py::dict& keywords, const py::object& progress) {
    const RunOptions o = optionsFromKeywords(keywords);
    const uint32_t seed = seedOf(o);
    Run started;
    withoutGil([&] { started = Run::start(o, seed); });
    py::object self = py::cast(new PyRun(std::move(started), seed, true),
                               py::return_value_policy::take_ownership);
    PyRun& r = self.cast<PyRun&>();
    const PyRun::Use use(r);
    breedHeld(r, self, o.generations, progress);
    return self;
}

// More generations of a run bred in this process, as if it had never stopped.
void continueRun(py::object self, int generations, const py::object& progress) {
    PyRun& r = self.cast<PyRun&>();
    const PyRun::Use use(r);
    breedHeld(r, self, generations, progress);
}

// More generations as "evolve --resume" breeds them from the run saved, with
// the seed and settings of the keywords.
void resumeRun(py::object self, const py::dict& keywords, const py::object& progress) {
    PyRun& r = self.cast<PyRun&>();
    const RunOptions o = optionsFromKeywords(keywords);
    const uint32_t seed = seedOf(o);
    const PyRun::Use use(r);
    // A run bred here or loaded with its continuation keeps its streams; any
    // other loaded run goes on from its file's fields under the seed.
    const bool exact = r.live() || r.run().fileContinuation() == FileContinuation::Exact;
    withoutGil([&] {
        const Run& from = r.run();
        r.run() = exact ? Run::resume(from, o, seed)
                        : Run::resume(Run::fromRecord(from.populationSize(), from.wholeRecord(),
                                                      from.fileSettings(), seed),
                                      o, seed);
    });
    if (!exact)
        r.seed() = seed;
    r.live() = true;
    r.changed();
    breedHeld(r, self, o.generations, progress);
}

// A loaded run keeps the first seed its file's continuation names.
PyRun* loadRun(const std::string& path) {
    Run loaded;
    withoutGil([&] { loaded = Run::open(path); });
    const std::optional<uint32_t> seed = loaded.provenance().firstSeed;
    return new PyRun(std::move(loaded), seed, false);
}

const char* continuationWord(FileContinuation c) {
    switch (c) {
    case FileContinuation::Exact:
        return "exact";
    case FileContinuation::Damaged:
        return "damaged";
    case FileContinuation::Absent:
        break;
    }
    return "none";
}

py::dict settingsOf(const RunSettings& s);

// Where the run came from: the product version that wrote its file's
// continuation, its first seed, the settings of its last breeding and what
// its file carried after its settings ("exact", "damaged" or "none").
py::dict provenanceOf(PyRun& r) {
    const PyRun::Use use(r);
    const RunProvenance& p = r.run().provenance();
    py::dict d;
    d["version"] = p.version.empty() ? py::object(py::none()) : py::object(py::str(p.version));
    d["first_seed"] = p.firstSeed ? py::object(py::int_(*p.firstSeed)) : py::object(py::none());
    d["last_bred"] = p.lastBred ? py::object(settingsOf(*p.lastBred)) : py::object(py::none());
    d["file_continuation"] = continuationWord(r.run().fileContinuation());
    return d;
}

// Whether the run goes on as the unbroken run would: bred in this process,
// or loaded from a file whose continuation was whole.
bool continuesExactly(PyRun& r) {
    const PyRun::Use use(r);
    return r.live() || r.run().fileContinuation() == FileContinuation::Exact;
}

void saveRun(PyRun& r, const std::string& path, bool plain) {
    const PyRun::Use use(r);
    std::string failure;
    {
        py::gil_scoped_release released;
        try {
            r.run().save(path, plain ? FileLayout::Plain : FileLayout::WithContinuation);
        } catch (const RunFileError& e) {
            failure = e.what();
        }
    }
    if (!failure.empty()) {
        PyErr_SetString(PyExc_OSError, failure.c_str());
        throw py::error_already_set();
    }
}

py::dict settingsOf(const RunSettings& s) {
    py::dict d;
    d["prey"] = s.numPrey;
    d["prey_size"] = s.preySize;
    d["prey_value"] = s.preyValue;
    d["attack"] = attackWord(attackOf(s));
    d["silk_cost"] = s.silkCostFactor;
    d["silk_limit"] = s.silkLimit;
    d["time_penalty"] = s.timePenaltyFactor;
    d["crossover"] = percentOf(s.crossoverRate);
    d["mutation"] = tenthsOf(s.mutationRate);
    return d;
}

// The per-generation statistics as columns (name -> array).
py::dict statsColumns(PyRun& r) {
    std::vector<GenerationStats> rows;
    {
        const PyRun::Use use(r);
        rows = r.run().statistics();
    }
    const size_t n = rows.size();
    py::array_t<int32_t> ints[4 + ORIGIN_COLUMNS] = {};
    for (auto& a : ints)
        a = py::array_t<int32_t>(n);
    py::array_t<double> mean(n), sd(n);
    for (size_t g = 0; g < n; ++g) {
        const GenerationStats& s = rows[g];
        ints[0].mutable_at(g) = s.generation;
        ints[1].mutable_at(g) = s.best;
        ints[2].mutable_at(g) = s.min;
        ints[3].mutable_at(g) = s.max;
        for (int c = 0; c < ORIGIN_COLUMNS; ++c)
            ints[4 + c].mutable_at(g) = s.originCounts[c];
        mean.mutable_at(g) = s.mean;
        sd.mutable_at(g) = s.stddev;
    }
    py::dict d;
    d[STATS_COLUMNS[0]] = ints[0];
    d[STATS_COLUMNS[1]] = ints[1];
    d[STATS_COLUMNS[2]] = mean;
    d[STATS_COLUMNS[3]] = ints[2];
    d[STATS_COLUMNS[4]] = ints[3];
    d[STATS_COLUMNS[5]] = sd;
    for (int c = 0; c < ORIGIN_COLUMNS; ++c)
        d[STATS_COLUMNS[6 + c]] = ints[4 + c];
    return d;
}

// A pickled run: its record and settings as a file keeps them, its random
// streams, its evaluation threads, seed, whether it is live, and its
// continuation record (what the next generation reads beyond the record).
py::tuple pickleRun(PyRun& r) {
    const PyRun::Use use(r);
    const Run& run = r.run();
    const std::vector<int32_t> record = run.wholeRecord();
    uint8_t settings[population_format::SETTINGS_BYTES];
    population_format::encodeSettings(run.fileSettings(), settings);
    const py::object seed = r.seed() ? py::object(py::int_(*r.seed())) : py::object(py::none());
    const std::vector<uint8_t> rest = continuation::encode(run.state(), settings);
    return py::make_tuple(
        PICKLE_VERSION, run.populationSize(),
        py::bytes(reinterpret_cast<const char*>(record.data()), record.size() * sizeof(int32_t)),
        py::bytes(reinterpret_cast<const char*>(settings), sizeof settings), run.random().words(),
        run.state().evaluator.requestedThreads(), seed, r.live(),
        py::bytes(reinterpret_cast<const char*>(rest.data()), rest.size()));
}

PyRun* unpickleRun(const py::tuple& t) {
    if (t.size() != 9 || t[0].cast<int>() != PICKLE_VERSION)
        throw py::value_error("not a pickled arachnovix.Run of this version");
    const std::string recordBytes = t[2].cast<std::string>();
    const std::string settingsBytes = t[3].cast<std::string>();
    if (settingsBytes.size() != population_format::SETTINGS_BYTES ||
        recordBytes.size() % sizeof(int32_t) != 0)
        throw py::value_error("a pickled arachnovix.Run is damaged");
    std::vector<int32_t> record(recordBytes.size() / sizeof(int32_t));
    std::memcpy(record.data(), recordBytes.data(), recordBytes.size());
    const auto settings =
        population_format::decodeSettings(reinterpret_cast<const uint8_t*>(settingsBytes.data()));
    const std::vector<uint32_t> words = t[4].cast<std::vector<uint32_t>>();
    Run run;
    try {
        py::gil_scoped_release released;
        run = Run::fromRecord(t[1].cast<int>(), std::move(record), settings, 0);
    } catch (const std::invalid_argument& e) {
        throw py::value_error(std::string("a pickled arachnovix.Run is damaged: ") + e.what());
    }
    if (!run.random().setWords(words))
        throw py::value_error("a pickled arachnovix.Run is damaged: its random streams");
    // The continuation: exact fitness, marks and genomes over the record's.
    const std::string rest = t[8].cast<std::string>();
    if (!rest.empty()) {
        const auto record = continuation::decode(
            reinterpret_cast<const uint8_t*>(rest.data()), rest.size(), run.state(),
            reinterpret_cast<const uint8_t*>(settingsBytes.data()));
        if (!record)
            throw py::value_error("a pickled arachnovix.Run is damaged: its continuation");
        continuation::apply(run.state(), *record);
    }
    run.setThreads(t[5].cast<int>());
    const std::optional<uint32_t> seed =
        t[6].is_none() ? std::nullopt : std::optional<uint32_t>(t[6].cast<uint32_t>());
    return new PyRun(std::move(run), seed, t[7].cast<bool>());
}

} // namespace

void bindRuns(py::module_& m) {
    py::class_<PyRun>(m, "Run")
        .def_property_readonly("population_size",
                               [](PyRun& r) { return r.snapshot()->populationSize; })
        .def_property_readonly("generations", [](PyRun& r) { return r.snapshot()->generations; })
        .def_property_readonly("generation", [](PyRun& r) { return r.snapshot()->generation; })
        .def_property_readonly("selected_spider",
                               [](PyRun& r) { return r.snapshot()->selectedSpider; })
        .def_property_readonly("seed", [](PyRun& r) { return r.seed(); })
        .def_property_readonly("live", [](PyRun& r) { return r.live(); })
        .def_property_readonly("provenance", &provenanceOf)
        .def_property_readonly("continues_exactly", &continuesExactly)
        .def_property_readonly("settings",
                               [](PyRun& r) { return settingsOf(r.snapshot()->settings); })
        .def_property_readonly("fitness", &PyRun::fitness)
        .def_property_readonly("rules", &PyRun::rules)
        .def_property_readonly("origin_codes", &PyRun::originCodes)
        .def_property_readonly("parents", &PyRun::parents)
        .def("_save", &saveRun)
        .def("_continue", &continueRun)
        .def("_resume", &resumeRun)
        .def("_stats", &statsColumns)
        .def(py::pickle(&pickleRun, &unpickleRun));
    m.def("_load", &loadRun, py::return_value_policy::take_ownership);
    m.attr("DAMAGED_CONTINUATION_WARNING") = DAMAGED_CONTINUATION_WARNING;
    m.attr("GENERATION_LIMIT") = GENERATION_LIMIT;
    m.attr("GENERATION_LIMIT_MESSAGE") = GENERATION_LIMIT_MESSAGE;
    m.def("_evolve", &evolveRun);
}
