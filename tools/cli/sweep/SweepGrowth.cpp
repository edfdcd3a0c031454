#include "tools/cli/sweep/SweepGrowth.h"

#include <algorithm>
#include <cstdlib>

#include "tools/cli/CliError.h"

namespace {

std::string valueOf(const std::vector<DesignSetting>& settings, const std::string& name) {
    for (const DesignSetting& s : settings)
        if (s.name == name)
            return s.value;
    return "";
}

std::string fixedRefusal(const SweepDesign& old, const SweepDesign& grown) {
    std::vector<std::string> names;
    for (const auto* list : {&old.fixed, &grown.fixed})
        for (const DesignSetting& s : *list)
            names.push_back(s.name);
    for (const std::string& name : names) {
        const std::string was = valueOf(old.fixed, name), is = valueOf(grown.fixed, name);
        if (was != is)
            return "the fixed setting " + name + " changed (" + (was.empty() ? "unset" : was) +
                   " -> " + (is.empty() ? "unset" : is) + ")";
    }
    return "";
}

std::string factorRefusal(const SweepDesign& old, const SweepDesign& grown) {
    if (old.factors.size() != grown.factors.size())
        return "the factors changed (a study grows by values and seeds, not by factors)";
    for (size_t f = 0; f < old.factors.size(); ++f) {
        const DesignFactor &was = old.factors[f], &is = grown.factors[f];
        if (was.name != is.name)
            return "the factors changed (" + was.name + " is now " + is.name + ")";
        for (const std::string& v : was.values)
            if (std::find(is.values.begin(), is.values.end(), v) == is.values.end())
                return "the value " + v + " of the factor " + was.name + " is gone";
    }
    return "";
}

} // namespace

std::string growthRefusal(const SweepDesign& old, const SweepDesign& grown) {
    if (old.generations != grown.generations)
        return "the key generations changed (" + std::to_string(old.generations) + " -> " +
               std::to_string(grown.generations) + ")";
    std::string why = fixedRefusal(old, grown);
    if (why.empty())
        why = factorRefusal(old, grown);
    if (!why.empty())
        return why;
    for (uint32_t s : old.seeds)
        if (std::find(grown.seeds.begin(), grown.seeds.end(), s) == grown.seeds.end())
            return "the seed " + std::to_string(s) + " is gone";
    return "";
}

std::vector<SweepCase> expandDesign(const SweepDesign& design) {
    std::vector<SweepCase> out;
    for (long long k = 1; k <= design.caseCount(); ++k)
        out.push_back(designCase(design, k));
    return out;
}

std::map<CaseKey, long long> numbersByKey(const std::vector<SweepCase>& cases) {
    std::map<CaseKey, long long> out;
    for (const SweepCase& c : cases)
        out[{c.levels, c.seed}] = c.number;
    return out;
}

std::vector<SweepCase> grownCases(const std::vector<SweepCase>& known, const SweepDesign& grown) {
    const std::map<CaseKey, long long> numbers = numbersByKey(known);
    std::vector<SweepCase> out = known;
    for (SweepCase c : expandDesign(grown))
        if (!numbers.count({c.levels, c.seed})) {
            c.number = static_cast<long long>(out.size()) + 1;
            out.push_back(c);
        }
    return out;
}

std::string caseIndexCsv(const SweepDesign& design, const std::vector<SweepCase>& cases) {
    std::string out = "case";
    for (const DesignFactor& f : design.factors)
        out += "," + f.name;
    out += ",seed\n";
    for (const SweepCase& c : cases) {
        out += std::to_string(c.number);
        for (const std::string& level : c.levels)
            out += "," + level;
        out += "," + std::to_string(c.seed) + "\n";
    }
    return out;
}

std::vector<SweepCase> parseCaseIndex(const std::string& text, const SweepDesign& design,
                                      const std::string& name) {
    const std::string header = caseIndexCsv(design, {});
    if (text.compare(0, header.size(), header) != 0)
        throw fileError(name + ": the header does not fit the design (" +
                        header.substr(0, header.size() - 1) + ")");
    std::vector<SweepCase> out;
    size_t at = header.size();
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end == std::string::npos ? end : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        std::vector<std::string> fields(1);
        for (char ch : line)
            if (ch == ',')
                fields.emplace_back();
            else
                fields.back().push_back(ch);
        SweepCase c;
        c.number = static_cast<long long>(out.size()) + 1;
        const bool fits = fields.size() == design.factors.size() + 2 &&
                          fields.front() == std::to_string(c.number);
        char* stop = nullptr;
        const unsigned long seed = fits ? std::strtoul(fields.back().c_str(), &stop, 10) : 0;
        if (!fits || fields.back().empty() || *stop != '\0' || seed > UINT32_MAX)
            throw fileError(name + ":" + std::to_string(out.size() + 2) + ": not case " +
                            std::to_string(c.number) + " of the design");
        c.levels.assign(fields.begin() + 1, fields.end() - 1);
        c.seed = static_cast<uint32_t>(seed);
        out.push_back(c);
    }
    return out;
}
