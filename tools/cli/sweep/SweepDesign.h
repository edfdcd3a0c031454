#pragma once
// The design of a sweep: settings held fixed, factors that each take a list
// of values, the replicate seeds and the generations, read from a TOML file.
// It expands to the full factorial set of cases; each case is one `evolve`
// run. Cases are numbered from 1: the first factor (in the order written in
// the file) varies slowest, the seed fastest, so the replicates of one
// condition are neighbours.

#include <cstdint>
#include <string>
#include <vector>

// One setting with the value text given to it. Names are snake_case
// (silk_cost); the design may spell them with dashes too (silk-cost), as the
// options of `evolve` are spelled.
struct DesignSetting {
    std::string name; // e.g. "silk_cost", set by --silk-cost
    std::string value;
};

struct DesignFactor {
    std::string name;
    std::vector<std::string> values; // option texts, in the order written
};

struct SweepDesign {
    int generations = 100;
    std::vector<DesignSetting> fixed; // in the order of evolve's options
    std::vector<DesignFactor> factors;
    std::vector<uint32_t> seeds;
    bool keepRuns = false;

    long long caseCount() const;
    // Conditions: the factor combinations, each run once per seed.
    long long conditionCount() const;
};

constexpr long long MAX_CASES_WITHOUT_FORCE = 100000;

// Reads and checks a design. `text` is the file's content, `name` the name
// used in messages. A refusal is a usage error "NAME:LINE: reason". More
// than MAX_CASES_WITHOUT_FORCE cases are refused unless `force`.
SweepDesign parseDesign(const std::string& text, const std::string& name, bool force);

struct SweepCase {
    long long number = 0;            // 1 ... caseCount()
    std::vector<std::string> levels; // the value of each factor, in factor order
    uint32_t seed = 0;
};

// Case `number` (1 ... caseCount()).
SweepCase designCase(const SweepDesign& design, long long number);

// The words after `arachnovix-cli evolve` that run this case into `out`:
// the fixed settings and the case's factor values in the option order of
// `evolve`, then the generations, the seed, --quiet and --out.
std::vector<std::string> evolveWords(const SweepDesign& design, const SweepCase& c,
                                     const std::string& out);

// A command line for a shell: words with characters a shell treats
// specially are put in single quotes.
std::string shellCommand(const std::vector<std::string>& words);
