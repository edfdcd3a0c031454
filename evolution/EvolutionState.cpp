#include "evolution/EvolutionState.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "core/LRandom.h"
#include "ea/EAOpMutation.h"
#include "ea/EAOpRecombination.h"
#include "web/BuilderState.h"
#include "web/WebCache.h"

EvolutionState evolutionState;

const char* const ORIGIN_INITIAL = "I";
const char* const ORIGIN_SELECTED = "SEL";
const char* const ORIGIN_CROSSED = "CROSS";
const char* const ORIGIN_SELECTED_MUTATED = "SEL+MUT";
const char* const ORIGIN_CROSSED_MUTATED = "CROSS+MUT";

namespace {

// The labels in the order of their codes.
const char* const ORIGIN_LABELS[NUM_ORIGIN_CODES] = {ORIGIN_INITIAL, ORIGIN_SELECTED,
                                                     ORIGIN_CROSSED, ORIGIN_SELECTED_MUTATED,
                                                     ORIGIN_CROSSED_MUTATED};

// Swaps the lists of two webs (radii, spiral threads, prey caught).
void swapGeometry(Web& a, Web& b) {
    a.radii.swap(b.radii);
    a.spiralThreads.swap(b.spiralThreads);
    a.caughtPrey.swap(b.caughtPrey);
}

// A genome, compared and hashed by its bits.
struct GenomeRef {
    const EAIndInteger* genome;
    bool operator==(const GenomeRef& other) const {
        return genome->numBits == other.genome->numBits &&
               std::equal(genome->bits, genome->bits + genome->numBits, other.genome->bits);
    }
};

struct GenomeRefHash {
    size_t operator()(const GenomeRef& ref) const {
        return hashWords(ref.genome->bits, static_cast<size_t>(ref.genome->numBits));
    }
};

} // namespace

// The copy of the population that every genetic step reads from, so that
// each spider of the new generation is made from the old one. The copies
// carry everything but the webs' geometry: a spider that becomes a copy gets
// an emptied web, as the evaluation that follows every step would empty it
// before building (the display fields go with it). It is grown, never shrunk.
const std::vector<Spider>& EvolutionState::copyToScratch() {
    std::vector<Spider>& old = scratch_.spiders;
    if (old.size() < static_cast<size_t>(populationSize))
        old.resize(populationSize);
    Web geometry; // the lists of the spider being copied, set aside meanwhile
    for (int i = 0; i < populationSize; ++i) {
        Spider& from = spiders[i];
        swapGeometry(from.web, geometry);
        old[i] = from;
        old[i].clearWeb();
        swapGeometry(from.web, geometry);
    }
    return old;
}

// The C library's generator as the run knows it: it continues from wherever
// the run's last web construction left it.
int EvolutionState::randomIndex() {
    return random.library.next() % populationSize;
}

int32_t originCode(const std::string& label) {
    for (int32_t code = 0; code < NUM_ORIGIN_CODES; ++code) {
        if (label == ORIGIN_LABELS[code])
            return code;
    }
    return ORIGIN_CODE_UNKNOWN;
}

std::string originLabel(int32_t code) {
    if (code < 0 || code >= NUM_ORIGIN_CODES)
        return std::string();
    return ORIGIN_LABELS[code];
}

int32_t truncToInt32(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

bool EvolutionState::isBetter(const Spider& a, const Spider& b) const {
    const double fa = a.individual.getFitness();
    const double fb = b.individual.getFitness();
    return problem.maximize ? fa > fb : fa < fb;
}

// Each genome is decoded once: a spider with the genome of an earlier one
// takes that one's rule values.
void EvolutionState::decodeRules() {
    const int numGenes = static_cast<int>(problem.geneMin.size());
    std::unordered_map<GenomeRef, int, GenomeRefHash> decoded;
    decoded.reserve(static_cast<size_t>(populationSize));
    for (int i = 0; i < populationSize; ++i) {
        Spider& s = spiders[i];
        const auto first = decoded.emplace(GenomeRef{&s.individual}, i);
        const Spider& from = spiders[first.first->second];
        for (int k = 0; k < numGenes; ++k)
            s.rule(k) = first.second ? problem.getGene(s.individual, k) : from.rule(k);
    }
}

void EvolutionState::evaluatePopulation(bool newPrey) {
    if (newPrey)
        problem.createPrey(numPrey, random.twister);
    random.library =
        evaluator.evaluate(problem, spiders, populationSize,
                           EAPGossamerix::ScoreSettings{preySize, preyValue, silkCostFactor,
                                                        timePenaltyFactor, silkLimit},
                           random.twister);
    for (int i = 0; i < populationSize; ++i) {
        if (i == 0 || isBetter(spiders[i], spiders[bestSpider]))
            bestSpider = i;
    }
    rankPopulation();
    recordGeneration();
}

void EvolutionState::rankPopulation() {
    for (int i = 0; i < populationSize; ++i) {
        const bool best = (i == bestSpider);
        spiders[i].individual.isElite = best;
        spiders[i].web.isHighlighted = best;
    }
}

void EvolutionState::selectSpider(int i) {
    selectedSpider = i;
    for (int k = 0; k < populationSize; ++k)
        spiders[k].web.isHighlighted = (k == i);
}

std::vector<uint32_t> RunRandom::words() const {
    unsigned long saved[MTRand::SAVE];
    twister.save(saved);
    std::vector<uint32_t> out(saved, saved + MTRand::SAVE);
    const auto lib = library.words();
    out.insert(out.end(), lib.begin(), lib.end());
    return out;
}

bool RunRandom::setWords(const std::vector<uint32_t>& words) {
    if (words.size() != static_cast<size_t>(WORDS) || words[MTRand::N] > MTRand::N)
        return false;
    std::array<uint32_t, BuildRandom::STATE_WORDS> lib;
    std::copy(words.begin() + MTRand::SAVE, words.end(), lib.begin());
    BuildRandom twin = library;
    if (!twin.setWords(lib))
        return false;
    unsigned long saved[MTRand::SAVE];
    std::copy(words.begin(), words.begin() + MTRand::SAVE, saved);
    twister.load(saved);
    library = twin;
    return true;
}

void EvolutionState::followWebBuild() {
    random.library = builder.random;
}

void EvolutionState::selectSpiders() {
    const std::vector<Spider>& old = copyToScratch();
    for (int i = 0; i < populationSize; ++i) {
        Spider& s = spiders[i];
        s.origin = ORIGIN_SELECTED;
        s.parentA = i;
        if (elitism && s.individual.isElite)
            continue;
        const int r = randomIndex();
        if (isBetter(old[r], old[i])) {
            // A full copy, elite mark included: a spider that becomes a copy
            // of the elite is spared by the crossover and mutation that follow.
            s = old[r];
            s.origin = ORIGIN_SELECTED;
            s.parentA = r;
            s.parentB = i;
        } else {
            s.parentB = r;
        }
    }
}

void EvolutionState::crossSpiders() {
    const std::vector<Spider>& old = copyToScratch();
    for (int i = 0; i < populationSize; ++i) {
        Spider& s = spiders[i];
        if (elitism && s.individual.isElite)
            continue;
        const int r = randomIndex();
        const double u = LRandom::getUniformRand(random.twister, 0, 1);
        if (crossoverRate >= u) {
            EAOpRecombination::onePointCrossover(old[i].individual, old[r].individual, s.individual,
                                                 random.twister);
            s.origin = ORIGIN_CROSSED;
            s.parentB = old[r].parentA;
        }
    }
}

void EvolutionState::mutateSpiders() {
    for (int i = 0; i < populationSize; ++i) {
        Spider& s = spiders[i];
        if (elitism && s.individual.isElite)
            continue;
        if (EAOpMutation::bitFlip(s.individual, mutationRate, random.twister)) {
            s.origin =
                (s.origin == ORIGIN_SELECTED) ? ORIGIN_SELECTED_MUTATED : ORIGIN_CROSSED_MUTATED;
        }
    }
}

void EvolutionState::stepGeneration() {
    selectSpiders();
    crossSpiders();
    mutateSpiders();
    for (int i = 0; i < populationSize; ++i)
        spiders[i].individual.isEvaluated = false;
    generation += 1;
    decodeRules();
    // Breeding from an earlier generation cuts off every later one.
    const size_t kept = static_cast<size_t>(generation) * populationSize * FOSSIL_ENTRY_SIZE;
    if (fossilRecord.size() > kept) {
        fossilRecord.resize(kept);
        ++recordRevision;
    }
    recordGeneration();
}
