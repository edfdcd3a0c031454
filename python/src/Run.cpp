#include "python/src/Run.h"

#include "tools/cli/SettingOptions.h"

namespace {

// Fields [first, first + count) of every fossil entry, as a (G, N, count) array.
py::array_t<int32_t> fossilFields(const Run& run, int first, int count) {
    const EvolutionState& es = run.state();
    const size_t g = static_cast<size_t>(run.generations());
    const size_t n = static_cast<size_t>(es.populationSize);
    py::array_t<int32_t> out({g, n, static_cast<size_t>(count)});
    int32_t* dst = out.mutable_data();
    const int32_t* src = es.fossilRecord.data();
    for (size_t e = 0; e < g * n; ++e)
        for (int k = 0; k < count; ++k)
            *dst++ = src[e * FOSSIL_ENTRY_SIZE + first + k];
    return out;
}

py::array_t<int32_t> withoutLastAxis(py::array_t<int32_t> a) {
    return a.reshape({a.shape(0), a.shape(1)});
}

} // namespace

Run Run::capture(bool live, std::optional<uint32_t> seed) {
    Run run;
    run.engine = EngineState::capture();
    run.settings = population_format::currentSettings();
    run.attack = attackWord(attackOf(currentRunSettings()));
    run.live = live;
    run.seed = seed;
    return run;
}

py::array_t<int32_t> Run::fitness() const {
    return withoutLastAxis(fossilFields(*this, FOSSIL_FITNESS, 1));
}
py::array_t<int32_t> Run::rules() const {
    return fossilFields(*this, 0, NUM_RULES);
}
py::array_t<int32_t> Run::originCodes() const {
    return withoutLastAxis(fossilFields(*this, FOSSIL_ORIGIN, 1));
}
py::array_t<int32_t> Run::parents() const {
    return fossilFields(*this, FOSSIL_PARENT_A, 2);
}

py::dict Run::settingsDict() const {
    const population_format::Settings& s = settings;
    py::dict d;
    d["prey"] = s.numPrey;
    d["prey_size"] = s.preySize;
    d["prey_value"] = s.preyValue;
    d["attack"] = attack;
    d["silk_cost"] = s.silkCostFactor;
    d["silk_limit"] = s.silkLimit;
    d["time_penalty"] = s.timePenaltyFactor;
    d["crossover"] = s.crossoverPercent;
    d["mutation"] = s.mutationTenths;
    return d;
}
