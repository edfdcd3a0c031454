// Single webs from Python: built from 19 rule values as a recorded spider's
// web is built, and scored against a swarm of prey as the engine scores a
// spider. Each call has its own problem, spider and generator, so calls from
// several threads never meet.

#include <array>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "evolution/EvolutionState.h"
#include "evolution/RunOptions.h"
#include "python/src/Keywords.h"

namespace {

using Rules = std::vector<long long>;

// The layout of the genome (read only).
const EAPGossamerix& layout() {
    static const EAPGossamerix problem;
    return problem;
}

// The largest value a rule may hold (a fixed gene still takes one bit).
int ruleMax(size_t k) {
    const EAPGossamerix& p = layout();
    return p.geneMax[k] == p.geneMin[k] ? p.geneMin[k] + 1 : p.geneMax[k];
}

void checkRules(const Rules& rules) {
    if (rules.size() != static_cast<size_t>(NUM_RULES))
        throw py::value_error("rules: a spider has " + std::to_string(NUM_RULES) +
                              " rule values, not " + std::to_string(rules.size()));
    for (size_t k = 0; k < rules.size(); ++k) {
        if (rules[k] < layout().geneMin[k] || rules[k] > ruleMax(k))
            throw py::value_error("rules: rule " + std::to_string(k) + " (" +
                                  layout().geneNames[k] + ") is " + std::to_string(rules[k]) +
                                  ", outside " + std::to_string(layout().geneMin[k]) + " ... " +
                                  std::to_string(ruleMax(k)));
    }
}

// A spider holding the rules as a recorded spider is restored: through its
// genome, decoded again.
Spider spiderWithRules(const Rules& rules) {
    const EAPGossamerix& problem = layout();
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
    Spider spider = spiderWithRules(rules);
    {
        py::gil_scoped_release released;
        spider.clearWeb();
        spider.constructWeb(STAGE_MAIN_CAP_SPIRAL, limit);
    }
    return webGeometry(spider);
}

// Scores the rules against a new swarm from a twister seeded with `seed`,
// with the settings of `options` over a new run's.
py::dict evaluateRules(const Rules& rules, const py::dict& keywords, uint32_t seed) {
    checkRules(rules);
    const RunOptions o = optionsFromKeywords(keywords);
    const RunSettings s = overridden(RunSettings{}, o);
    Spider spider = spiderWithRules(rules);
    EAPGossamerix problem;
    {
        py::gil_scoped_release released;
        problem.useAttackDistance = s.useAttackDistance;
        problem.useGravity = s.useGravity;
        MTRand random(seed);
        problem.createPrey(s.numPrey, random);
        std::vector<uint8_t> success;
        problem.drawAttacks(1, success, random);
        ThreadGrid grid;
        problem.scoreSpider(spider, success.data(), grid,
                            EAPGossamerix::ScoreSettings{s.preySize, s.preyValue, s.silkCostFactor,
                                                         s.timePenaltyFactor, s.silkLimit});
    }
    const std::vector<Prey>& prey = problem.prey;
    py::array_t<double> where({prey.size(), size_t(2)});
    for (size_t i = 0; i < prey.size(); ++i) {
        where.mutable_at(i, 0) = prey[i].x;
        where.mutable_at(i, 1) = prey[i].y;
    }
    py::dict d;
    d["seed"] = seed;
    d["prey"] = where;
    d["caught"] = py::array_t<int32_t>(spider.web.caughtPrey.size(), spider.web.caughtPrey.data());
    d["num_caught"] = spider.numCaught;
    d["reward"] = spider.numCaught * s.preyValue;
    d["silk_cost"] = spider.silkCost;
    d["time_penalty"] = spider.timePenalty;
    d["fitness"] = spider.individual.fitness;
    d["web"] = webGeometry(spider);
    return d;
}

py::list geneTable() {
    py::list out;
    for (size_t k = 0; k < layout().geneMin.size(); ++k)
        out.append(py::make_tuple(layout().geneNames[k], layout().geneMin[k], ruleMax(k)));
    return out;
}

} // namespace

void bindWebs(py::module_& m) {
    m.def("_build_web", &buildWeb);
    m.def("_evaluate", &evaluateRules);
    m.def("_genes", &geneTable);
}
