#include "ea/EAPInteger.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

#include "core/LRandom.h"
#include "ea/EAUtils.h"
#include "ea/GrayDecode.h"

namespace {

[[noreturn]] void wrongMethod() {
    std::cout << "wrong method for integer genotype" << std::endl;
    std::exit(EAPInteger::EXIT_WRONG_METHOD);
}

bool isValidBitRange(int first, int end) {
    return first >= 0 && first <= end && end <= MAX_NUM_GENES;
}

} // namespace

EAPInteger::EAPInteger() = default;
EAPInteger::~EAPInteger() = default;

void EAPInteger::setProblemByName(std::string) {}

double EAPInteger::calcFitness(const double*, bool&) {
    wrongMethod();
}

void EAPInteger::getGlobalOptimum(double*, double&) {
    wrongMethod();
}

void EAPInteger::evaluate(EAIndDouble&) {
    wrongMethod();
}

int EAPInteger::getGene(const EAIndInteger& ind, unsigned int i) const {
    const size_t gene = i;
    // Gene i needs offsets i and i + 1, a range and a bit run inside the genome.
    if (gene + 2 > geneBitOffsets.size() || gene >= geneMin.size() || gene >= geneMax.size())
        std::exit(EXIT_BAD_GENE_INDEX);
    const int first = geneBitOffsets[gene];
    const int end = geneBitOffsets[gene + 1];
    if (!isValidBitRange(first, end))
        std::exit(EXIT_BAD_GENE_INDEX);
    return decodeGrayBits(geneMin[gene], geneMax[gene], ind.bits + first,
                          static_cast<size_t>(end - first));
}

void EAPInteger::setGenotype(EAIndInteger& ind, std::vector<int> values) const {
    if (numGenes < 0 || values.size() != static_cast<size_t>(numGenes))
        return;
    checkGeneTables();
    encodeGenes(ind, values);
}

void EAPInteger::createRandomGenotype(EAIndInteger& ind) const {
    createRandomGenotype(ind, LRandom::random);
}

void EAPInteger::createRandomGenotype(EAIndInteger& ind, MTRand& random) const {
    checkGeneTables();
    std::vector<int> values;
    for (int i = 0; i < numGenes; ++i) {
        const double x = LRandom::getUniformRand(random, geneMin[i], geneMax[i]);
        // Rounded half up; for the non-negative values of every gene layout in
        // use this is the truncation of x + 0.5.
        values.push_back(static_cast<int>(std::floor(x + 0.5)));
    }
    encodeGenes(ind, values);
}

// Every gene needs its bounds: a layout with fewer is a misuse.
void EAPInteger::checkGeneTables() const {
    const size_t n = numGenes < 0 ? 0 : static_cast<size_t>(numGenes);
    if (geneMin.size() < n || geneMax.size() < n)
        std::exit(EXIT_BAD_GENE_INDEX);
}

void EAPInteger::encodeGenes(EAIndInteger& ind, const std::vector<int>& values) const {
    int placed = 0;
    std::vector<int> gray;
    for (size_t i = 0; i < values.size(); ++i) {
        EAUtils::encode_int2gray(values[i], geneMin[i], geneMax[i], gray);
        if (placed + static_cast<int>(gray.size()) > MAX_NUM_GENES) {
            std::cout << "MAX_NUM_GENES = " << MAX_NUM_GENES
                      << " too small for binary encoding with at least " << placed << " genes!"
                      << std::endl;
            std::exit(EXIT_GENOME_TOO_LONG);
        }
        for (int b : gray)
            ind.bits[placed++] = b;
    }
    ind.numBits = placed;
    ind.isEvaluated = false;
}
