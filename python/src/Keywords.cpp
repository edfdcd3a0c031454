#include "python/src/Keywords.h"

#include <optional>
#include <string>

namespace {

template <class T> std::optional<T> keyword(const py::dict& k, const char* name) {
    if (!k.contains(name) || k[name].is_none())
        return std::nullopt;
    return k[name].cast<T>();
}

} // namespace

void raiseOptionError(const RunOptionError& e) {
    throw py::value_error(e.what());
}

RunOptions optionsFromKeywords(const py::dict& k) {
    RunOptions o;
    o.population = keyword<int>(k, "population");
    o.generations = keyword<int>(k, "generations").value_or(DEFAULT_GENERATIONS);
    if (const std::optional<long long> seed = keyword<long long>(k, "seed")) {
        if (*seed < 0 || *seed > 4294967295LL)
            throw py::value_error("seed must be between 0 and 4294967295, got " +
                                  std::to_string(*seed));
        o.seed = static_cast<uint32_t>(*seed);
    }
    o.threads = keyword<int>(k, "threads").value_or(0);
    o.prey = keyword<int>(k, "prey");
    o.preySize = keyword<double>(k, "prey_size");
    o.preyValue = keyword<double>(k, "prey_value");
    if (const std::optional<std::string> attack = keyword<std::string>(k, "attack")) {
        o.attack = parseAttackWord(*attack);
        if (!o.attack)
            throw py::value_error("attack must be one of 'off', 'dist', 'dist+grav', got '" +
                                  *attack + "'");
    }
    o.silkCost = keyword<double>(k, "silk_cost");
    o.silkLimit = keyword<int>(k, "silk_limit");
    o.timePenalty = keyword<double>(k, "time_penalty");
    o.crossover = keyword<int>(k, "crossover");
    o.mutation = keyword<int>(k, "mutation");
    try {
        validate(o);
        checkFitnessFitsTheRecord(overridden(RunSettings{}, o));
    } catch (const RunOptionError& e) {
        raiseOptionError(e);
    }
    return o;
}
