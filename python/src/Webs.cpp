// Single webs from Python: built from 19 rule values as the tool's "web"
// command builds a recorded spider's, and scored against a swarm of prey as
// the engine scores a spider.

#include <random>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "core/LRandom.h"
#include "python/src/EngineCall.h"
#include "tools/cli/Evolve.h"
#include "tools/cli/GenesSvg.h"
#include "tools/cli/SettingOptions.h"

namespace {

using Rules = std::vector<long long>;

const std::vector<GeneInfo>& genes() {
    static const std::vector<GeneInfo> table = spiderGenes();
    return table;
}

void checkRules(const Rules& rules) {
    if (rules.size() != static_cast<size_t>(NUM_RULES))
        throw py::value_error("a spider has " + std::to_string(NUM_RULES) + " rule values, not " +
                              std::to_string(rules.size()));
    for (size_t k = 0; k < rules.size(); ++k) {
        const GeneInfo& g = genes()[k];
        if (rules[k] < g.lo || rules[k] > g.hi)
            throw py::value_error("rule " + std::to_string(k) + " (" + g.name + ") is " +
                                  std::to_string(rules[k]) + ", outside " + std::to_string(g.lo) +
                                  " ... " + std::to_string(g.hi));
    }
}

// A spider holding the rules as a recorded spider is restored: through its
// genome, decoded again.
Spider spiderWithRules(const Rules& rules) {
    const EAPGossamerix& problem = evolutionState.problem;
    Spider s;
    problem.setGenotype(s.individual, std::vector<int>(rules.begin(), rules.end()));
    for (int k = 0; k < NUM_RULES; ++k)
        s.rule(k) = problem.getGene(s.individual, k);
    return s;
}

using Segment = std::array<double, 4>;

py::array_t<double> segmentArray(const std::vector<Segment>& segments) {
    py::array_t<double> out({segments.size(), size_t(4)});
    double* dst = out.mutable_data();
    for (const Segment& s : segments)
        for (double v : s)
            *dst++ = v;
    return out;
}

// The geometry of a built web: segment ends (x1, y1, x2, y2) in web units.
py::dict webGeometry(const Spider& spider) {
    const Web& web = spider.web;
    std::vector<Segment> radii, frame, spiral;
    std::vector<int32_t> kinds;
    for (const Radius& r : web.radii) {
        radii.push_back({double(r.hubX), double(r.hubY), double(r.endX), double(r.endY)});
        kinds.push_back(r.kind);
    }
    // The frame joins the radius ends in turn, closing the loop.
    const size_t k = web.radii.size();
    for (size_t i = 0; k >= 2 && i < k; ++i) {
        const Radius& a = web.radii[i];
        const Radius& b = web.radii[(i + 1) % k];
        frame.push_back({double(a.endX), double(a.endY), double(b.endX), double(b.endY)});
    }
    for (const SpiralThread& t : web.spiralThreads)
        spiral.push_back({double(t.x1), double(t.y1), double(t.x2), double(t.y2)});
    py::dict d;
    d["radii"] = segmentArray(radii);
    d["radius_kinds"] = py::array_t<int32_t>(kinds.size(), kinds.data());
    d["frame"] = segmentArray(frame);
    d["spiral"] = segmentArray(spiral);
    d["first_loop_threads"] = web.firstLoopThreads;
    d["spider_position"] = py::make_tuple(spider.spiderX, spider.spiderY);
    d["radius_silk"] = web.radiusSilk;
    d["spiral_silk"] = web.spiralSilk;
    d["frame_silk"] = web.frameSilk;
    d["total_silk"] = web.totalSilk();
    d["threads"] = web.radii.size() + web.spiralThreads.size();
    return d;
}

py::dict buildWeb(const Rules& rules, int32_t limit) {
    checkRules(rules);
    Spider spider;
    withEngine([&] {
        silkLimit = limit;
        spider = spiderWithRules(rules);
        spider.clearWeb();
        spider.buildWeb();
    });
    return webGeometry(spider);
}

// Scores the rules against a new swarm: the generator is seeded, the prey
// are scattered and the spider evaluated with the settings in `words`.
py::dict evaluateRules(const Rules& rules, std::vector<std::string> words,
                       std::optional<uint32_t> seed) {
    checkRules(rules);
    if (!seed)
        seed = static_cast<uint32_t>(std::random_device()());
    Spider spider;
    std::vector<Prey> prey;
    double preyValue = 0.0;
    withEngine([&] {
        words.insert(words.end(), {"--out", "unused.axv"});
        const EvolveOptions o = parseEvolveOptions(words);
        pristineEngine().restore();
        applyRunSettings(overridden(RunSettings{}, o.settings));
        EvolutionState& es = evolutionState;
        LRandom::random.seed(*seed);
        es.problem.createPrey(es.numPrey);
        spider = spiderWithRules(rules);
        es.problem.evaluateSpider(spider, es.preySize, es.preyValue, es.silkCostFactor,
                                  es.timePenaltyFactor);
        prey = es.problem.prey;
        preyValue = es.preyValue;
    });
    py::array_t<double> where({prey.size(), size_t(2)});
    for (size_t i = 0; i < prey.size(); ++i) {
        where.mutable_at(i, 0) = prey[i].x;
        where.mutable_at(i, 1) = prey[i].y;
    }
    py::dict d;
    d["seed"] = *seed;
    d["prey"] = where;
    d["caught"] = py::array_t<int32_t>(spider.web.caughtPrey.size(), spider.web.caughtPrey.data());
    d["num_caught"] = spider.numCaught;
    d["reward"] = spider.numCaught * preyValue;
    d["silk_cost"] = spider.silkCost;
    d["time_penalty"] = spider.timePenalty;
    d["fitness"] = spider.individual.fitness;
    d["web"] = webGeometry(spider);
    return d;
}

py::list geneTable() {
    py::list out;
    for (const GeneInfo& g : genes())
        out.append(py::make_tuple(g.name, g.lo, g.hi));
    return out;
}

} // namespace

void bindWebs(py::module_& m) {
    genes(); // read once now, before any call can change the engine
    m.def("_build_web", &buildWeb);
    m.def("_evaluate", &evaluateRules);
    m.def("_genes", &geneTable);
}
