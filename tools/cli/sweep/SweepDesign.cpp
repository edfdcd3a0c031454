#include "tools/cli/sweep/SweepDesign.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <toml++/toml.h>

#include "evolution/EvolutionState.h"
#include "tools/cli/Args.h"
#include "tools/cli/CliError.h"
#include "tools/cli/Evolve.h"

namespace {

// The settings a design may set, in the order they are passed to `evolve`
// (whose options are these names with dashes for the underscores).
const char* const SWEEPABLE[] = {"population", "prey",      "prey_size",  "prey_value",
                                 "attack",     "silk_cost", "silk_limit", "time_penalty",
                                 "crossover",  "mutation"};
const char* const TOP_LEVEL[] = {"generations", "seeds", "keep_runs", "fixed", "factors"};
constexpr long long MAX_CASES = 2147483647LL;
// The seeds are held as a list: a longer one is refused even with --force.
constexpr long long MAX_SEEDS = 10000000;

class DesignReader {
  public:
    DesignReader(const std::string& name) : name_(name) {}

    CliError error(const toml::node& at, const std::string& reason) const {
        return error(at.source().begin.line, reason);
    }
    CliError error(toml::source_index line, const std::string& reason) const {
        if (line == 0)
            return usageError(name_ + ": " + reason);
        return usageError(name_ + ":" + std::to_string(line) + ": " + reason);
    }

    SweepDesign read(const toml::table& root, bool force);
    std::string valueText(const toml::node& n) const;

  private:
    void checkOption(const std::string& option, const toml::node& value) const;
    void checkPreyTimesValue(const toml::table& root) const;
    // The table [name], or none; anything else there is refused.
    const toml::table* section(const toml::table& root, const char* name, const char* holds) const;
    void readGenerations(const toml::table& root, SweepDesign& d) const;
    // A list goes into d.seeds; a range is returned (first and count) and
    // built only once the case count has passed.
    std::pair<uint32_t, long long> readSeeds(const toml::table& root, SweepDesign& d) const;
    void readFixed(const toml::table& root, SweepDesign& d) const;
    void readFactors(const toml::table& root, SweepDesign& d) const;
    void checkCaseCount(const SweepDesign& d, long long seeds, bool force) const;
    void checkSpellings(const toml::table& t) const;

    std::string name_;
};

// A key in its snake_case spelling; the dashed spelling is an alias.
std::string canonicalKey(const std::string& key) {
    std::string out = key;
    std::replace(out.begin(), out.end(), '-', '_');
    return out;
}

std::string dashed(const std::string& name) {
    std::string out = name;
    std::replace(out.begin(), out.end(), '_', '-');
    return out;
}

// The node of a key under either spelling (none when `t` is none).
const toml::node* findKey(const toml::table* t, const std::string& name) {
    if (!t)
        return nullptr;
    const toml::node* n = t->get(name);
    return n ? n : t->get(dashed(name));
}

bool isSweepable(const std::string& option) {
    for (const char* s : SWEEPABLE)
        if (option == s)
            return true;
    return false;
}

std::string sweepableList() {
    std::string out;
    for (const char* s : SWEEPABLE)
        out += (out.empty() ? "" : ", ") + std::string(s);
    return out;
}

// Whole numbers below this are written out in full ("100", not "1e+02").
constexpr double WHOLE_TEXT_LIMIT = 1e15;

// The shortest decimal text that reads back as exactly this double.
std::string realText(double v) {
    char buf[64];
    if (v == std::floor(v) && std::fabs(v) < WHOLE_TEXT_LIMIT) {
        std::snprintf(buf, sizeof buf, "%.0f", v == 0.0 ? 0.0 : v);
        return buf;
    }
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, v);
        if (std::strtod(buf, nullptr) == v)
            break;
    }
    return buf;
}

// What makes two values of an option the same: the number they stand for
// ("10", 10 and 10.0 are one value), or the word of --attack.
std::string levelKey(const std::string& option, const std::string& text) {
    if (option == "attack")
        return text;
    return realText(std::strtod(text.c_str(), nullptr));
}

std::string DesignReader::valueText(const toml::node& n) const {
    if (const auto* i = n.as_integer())
        return std::to_string(i->get());
    if (const auto* f = n.as_floating_point())
        return realText(f->get());
    if (const auto* s = n.as_string())
        return s->get();
    throw error(n, "a number or a word is expected here");
}

// The value is checked by the very parser of `evolve`.
void DesignReader::checkOption(const std::string& option, const toml::node& value) const {
    if (!isSweepable(option))
        throw error(value, "unknown option '" + option + "' (a design sets " + sweepableList() +
                               "; generations and seeds are top-level keys)");
    try {
        (void)parseEvolveOptions({"--" + dashed(option), valueText(value), "--out", "check.axv"});
    } catch (const CliError& e) {
        throw error(value, e.what());
    }
}

// The largest value a design gives an option (fixed or factor, each already
// checked), as its node; null, standing for `evolve`'s default, when the
// design gives none.
const toml::node* largestValue(const DesignReader& reader, const toml::table& root,
                               const std::string& option) {
    std::vector<const toml::node*> given;
    if (const toml::node* n = findKey(root["fixed"].as_table(), option))
        given.push_back(n);
    if (const toml::node* list = findKey(root["factors"].as_table(), option))
        if (const toml::array* values = list->as_array())
            for (const toml::node& n : *values)
                given.push_back(&n);
    const toml::node* largest = nullptr;
    double most = 0.0;
    for (const toml::node* n : given) {
        const double v = std::strtod(reader.valueText(*n).c_str(), nullptr);
        if (!largest || v > most) {
            largest = n;
            most = v;
        }
    }
    return largest;
}

// The record keeps fitness as a 32-bit integer: every pairing of a prey
// count with a prey value must pass `evolve`'s own check. Both are never
// negative, so the largest of each make the largest product.
void DesignReader::checkPreyTimesValue(const toml::table& root) const {
    const toml::node* p = largestValue(*this, root, "prey");
    const toml::node* v = largestValue(*this, root, "prey_value");
    std::vector<std::string> words = {"--out", "check.axv"};
    if (p)
        words.insert(words.end(), {"--prey", valueText(*p)});
    if (v)
        words.insert(words.end(), {"--prey-value", valueText(*v)});
    try {
        (void)parseEvolveOptions(words);
    } catch (const CliError& e) {
        const toml::node& at = v ? *v : *p;
        std::string with;
        if (p && v)
            with = " (prey " + valueText(*p) + " on line " +
                   std::to_string(p->source().begin.line) + ")";
        throw error(at, e.what() + with);
    }
}

void DesignReader::readGenerations(const toml::table& root, SweepDesign& d) const {
    const toml::node* g = root.get("generations");
    if (!g)
        return;
    if (!g->is_integer())
        throw error(*g, "generations must be a whole number");
    d.generations =
        static_cast<int>(parseInteger("generations", valueText(*g), 0, GENERATION_LIMIT));
}

std::pair<uint32_t, long long> DesignReader::readSeeds(const toml::table& root,
                                                       SweepDesign& d) const {
    const toml::node* s = root.get("seeds");
    if (!s)
        throw error(0, "seeds are missing (seeds = [1, 2, 3] or seeds = { from = 1, to = 30 })");
    auto seedOf = [&](const toml::node& n) {
        if (!n.is_integer())
            throw error(n, "a seed must be a whole number");
        try {
            return parseSeed("seed", valueText(n));
        } catch (const CliError& e) {
            throw error(n, e.what());
        }
    };
    if (const toml::array* list = s->as_array()) {
        std::set<uint32_t> seen;
        for (const toml::node& n : *list) {
            const uint32_t seed = seedOf(n);
            if (!seen.insert(seed).second)
                throw error(n, "seed " + std::to_string(seed) + " is listed twice");
            d.seeds.push_back(seed);
        }
    } else if (const toml::table* range = s->as_table()) {
        const toml::node* from = range->get("from");
        const toml::node* to = range->get("to");
        if (!from || !to || range->size() != 2)
            throw error(*s, "a seed range is written { from = FIRST, to = LAST }");
        const uint32_t first = seedOf(*from), last = seedOf(*to);
        if (last < first)
            throw error(*to, "the seed range ends before it starts");
        return {first, static_cast<long long>(last) - first + 1};
    } else {
        throw error(*s, "seeds must be a list or a range { from = FIRST, to = LAST }");
    }
    if (d.seeds.empty())
        throw error(*s, "the list of seeds is empty");
    return {0, 0};
}

// Entries in the order written in the file, not the table's order of keys.
template <typename T>
std::vector<std::pair<toml::source_position, T>>&
inFileOrder(std::vector<std::pair<toml::source_position, T>>& found) {
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.line != b.first.line ? a.first.line < b.first.line
                                            : a.first.column < b.first.column;
    });
    return found;
}

// A key given in both spellings (silk_cost and silk-cost) is refused.
void DesignReader::checkSpellings(const toml::table& t) const {
    std::set<std::string> seen;
    for (const auto& [key, value] : t)
        if (!seen.insert(canonicalKey(std::string(key.str()))).second)
            throw error(value, "'" + std::string(key.str()) + "' is given twice (as " +
                                   canonicalKey(std::string(key.str())) + " and " +
                                   dashed(std::string(key.str())) + ")");
}

const toml::table* DesignReader::section(const toml::table& root, const char* name,
                                         const char* holds) const {
    const toml::node* node = root.get(name);
    if (node && !node->is_table())
        throw error(*node,
                    std::string(name) + " must be a table of " + holds + " ([" + name + "])");
    return node ? node->as_table() : nullptr;
}

void DesignReader::readFixed(const toml::table& root, SweepDesign& d) const {
    const toml::table* fixed = section(root, "fixed", "options");
    if (!fixed)
        return;
    for (const auto& [key, value] : *fixed) {
        const std::string option = canonicalKey(std::string(key.str()));
        checkOption(option, value);
    }
    // In the order they are passed to `evolve`, whatever the file's order.
    for (const char* option : SWEEPABLE)
        if (const toml::node* value = findKey(fixed, option))
            d.fixed.push_back({option, valueText(*value)});
}

void DesignReader::readFactors(const toml::table& root, SweepDesign& d) const {
    const toml::table* factors = section(root, "factors", "lists");
    if (!factors)
        return;
    std::vector<std::pair<toml::source_position, DesignFactor>> found;
    for (const auto& [key, value] : *factors) {
        const std::string option = canonicalKey(std::string(key.str()));
        const toml::array* values = value.as_array();
        if (!values)
            throw error(value, "factor '" + option + "' must be a list of values");
        if (values->empty())
            throw error(value, "factor '" + option + "' has no values");
        if (findKey(root["fixed"].as_table(), option))
            throw error(value, "'" + option + "' is both fixed and a factor");
        DesignFactor f{option, {}};
        std::set<std::string> seen;
        for (const toml::node& v : *values) {
            checkOption(option, v);
            const std::string text = valueText(v);
            if (!seen.insert(levelKey(option, text)).second)
                throw error(v, "factor '" + option + "' lists " + text + " twice");
            f.values.push_back(text);
        }
        found.push_back({key.source().begin, f});
    }
    for (auto& f : inFileOrder(found))
        d.factors.push_back(std::move(f.second));
}

void DesignReader::checkCaseCount(const SweepDesign& d, long long seeds, bool force) const {
    const long long conditions = d.conditionCount();
    const long long n = conditions > MAX_CASES / seeds ? MAX_CASES + 1 : conditions * seeds;
    if (n > MAX_CASES)
        throw error(0, "more than 2147483647 cases");
    if (n > MAX_CASES_WITHOUT_FORCE && !force)
        throw error(0, std::to_string(n) + " cases, more than " +
                           std::to_string(MAX_CASES_WITHOUT_FORCE) + " (give --force to run them)");
    if (seeds > MAX_SEEDS)
        throw error(0, "more than " + std::to_string(MAX_SEEDS) + " seeds");
}

SweepDesign DesignReader::read(const toml::table& root, bool force) {
    for (const auto& [key, value] : root) {
        const std::string k = canonicalKey(std::string(key.str()));
        if (std::find(std::begin(TOP_LEVEL), std::end(TOP_LEVEL), k) == std::end(TOP_LEVEL))
            throw error(value, "unknown key '" + std::string(key.str()) +
                                   "' (a design has generations, seeds, keep_runs, [fixed] and "
                                   "[factors])");
    }
    checkSpellings(root);
    for (const char* name : {"fixed", "factors"})
        if (const toml::table* t = root[name].as_table())
            checkSpellings(*t);
    SweepDesign d;
    readGenerations(root, d);
    const auto [first, rangeSeeds] = readSeeds(root, d);
    if (const toml::node* keep = findKey(&root, "keep_runs")) {
        if (!keep->is_boolean())
            throw error(*keep, "keep_runs must be true or false");
        d.keepRuns = keep->as_boolean()->get();
    }
    readFixed(root, d);
    readFactors(root, d);
    checkPreyTimesValue(root);
    checkCaseCount(d, rangeSeeds > 0 ? rangeSeeds : static_cast<long long>(d.seeds.size()), force);
    for (long long k = 0; k < rangeSeeds; ++k)
        d.seeds.push_back(static_cast<uint32_t>(first + k));
    return d;
}

} // namespace

long long SweepDesign::conditionCount() const {
    long long n = 1;
    for (const DesignFactor& f : factors) {
        n *= static_cast<long long>(f.values.size());
        if (n > MAX_CASES)
            return MAX_CASES + 1; // saturates: only compared with limits
    }
    return n;
}

long long SweepDesign::caseCount() const {
    const long long n = conditionCount() * static_cast<long long>(seeds.size());
    return n > MAX_CASES ? MAX_CASES + 1 : n;
}

SweepDesign parseDesign(const std::string& text, const std::string& name, bool force) {
    DesignReader reader(name);
    toml::table root;
    try {
        root = toml::parse(text, name);
    } catch (const toml::parse_error& e) {
        throw reader.error(e.source().begin.line, std::string(e.description()));
    }
    return reader.read(root, force);
}

SweepCase designCase(const SweepDesign& d, long long number) {
    SweepCase c;
    c.number = number;
    long long rest = number - 1;
    c.seed = d.seeds[static_cast<size_t>(rest % static_cast<long long>(d.seeds.size()))];
    rest /= static_cast<long long>(d.seeds.size());
    c.levels.resize(d.factors.size());
    for (size_t k = d.factors.size(); k-- > 0;) {
        const long long size = static_cast<long long>(d.factors[k].values.size());
        c.levels[k] = d.factors[k].values[static_cast<size_t>(rest % size)];
        rest /= size;
    }
    return c;
}

std::vector<std::string> evolveWords(const SweepDesign& d, const SweepCase& c,
                                     const std::string& out) {
    std::vector<std::string> words;
    for (const char* option : SWEEPABLE) {
        for (const DesignSetting& s : d.fixed)
            if (s.name == option)
                words.insert(words.end(), {"--" + dashed(s.name), s.value});
        for (size_t k = 0; k < d.factors.size(); ++k)
            if (d.factors[k].name == option)
                words.insert(words.end(), {"--" + dashed(d.factors[k].name), c.levels[k]});
    }
    words.insert(words.end(), {"--generations", std::to_string(d.generations), "--seed",
                               std::to_string(c.seed), "--quiet", "--out", out});
    return words;
}

std::string shellCommand(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& w : words) {
        const bool plain =
            !w.empty() && w.find_first_not_of("abcdefghijklmnopqrstuvwxyz"
                                              "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                              "0123456789_./+=:,@%-") == std::string::npos;
        if (!out.empty())
            out += ' ';
        if (plain) {
            out += w;
            continue;
        }
        out += '\'';
        for (char ch : w)
            out += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
        out += '\'';
    }
    return out;
}
