#pragma once
// A problem whose genome is a sequence of bounded integer genes, each
// Gray-coded into a contiguous run of an EAIndInteger's bits. A derived
// problem fills in numGenes and the layout vectors below.

#include <string>
#include <vector>

#include "core/MTRand.h"
#include "ea/EAIndInteger.h"
#include "ea/EAProblem.h"
#include "ea/EaApi.h"

class OVLIB_EA_API EAPInteger : public EAProblem {
  public:
    // Exit statuses of the integer-problem misuse checks.
    static constexpr int EXIT_BAD_GENE_INDEX = 13;
    static constexpr int EXIT_GENOME_TOO_LONG = -1;
    static constexpr int EXIT_WRONG_METHOD = -13;

    std::vector<int> geneBitOffsets;     // numGenes + 1 entries; the last is the total bit count
    std::vector<int> geneMin;            // smallest value of each gene
    std::vector<int> geneMax;            // largest value of each gene
    std::vector<std::string> geneNames;  // name of each gene
    int numStages = 0;                   // number of gene groups
    std::vector<std::string> stageNames; // name of each group
    std::vector<int> stageFirstGene;     // first gene of each group

    EAPInteger();
    ~EAPInteger() override;

    // The name is not used by integer problems.
    void setProblemByName(std::string name) override;
    // Real-valued operations do not apply to an integer genome: each prints
    // "wrong method for integer genotype" and ends the process (-13).
    double calcFitness(const double* x, bool& ok) override;
    void getGlobalOptimum(double* x, double& f) override;
    void evaluate(EAIndDouble& ind) override;

    // The decoded value of gene i (ends the process with status 13 when the
    // layout has no gene i).
    int getGene(const EAIndInteger& ind, unsigned int i) const;
    // Encodes one value per gene into ind and clears isEvaluated; a vector of
    // the wrong length is ignored and leaves ind as it was.
    void setGenotype(EAIndInteger& ind, std::vector<int> values) const;
    // A uniformly random value for every gene, encoded as by setGenotype.
    void createRandomGenotype(EAIndInteger& ind) const;
    // The same, drawing from the given generator.
    void createRandomGenotype(EAIndInteger& ind, MTRand& random) const;

  private:
    void checkGeneTables() const;
    void encodeGenes(EAIndInteger& ind, const std::vector<int>& values) const;
};
