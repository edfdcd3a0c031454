#pragma once
// The abstract optimisation problem: its direction, gene count, named
// parameters, evaluation counter and name. Concrete problems supply the four
// operations below.

#include <string>
#include <vector>

#include "ea/EaApi.h"

class EAIndDouble;

class OVLIB_EA_API EAProblem {
  public:
    bool maximize = false;                 // set: higher fitness is better
    int numGenes = 0;                      // genes of a genome
    std::vector<std::string> problemParas; // parameters added by addProblemPara
    int numEval = 0;                       // evaluation counter
    std::string problemName;               // the problem's name

    EAProblem();
    EAProblem(const EAProblem&) = default;
    EAProblem& operator=(const EAProblem&) = default;

    virtual void setProblemByName(std::string name) = 0;
    virtual double calcFitness(const double* x, bool& ok) = 0;
    virtual void getGlobalOptimum(double* x, double& f) = 0;
    virtual void evaluate(EAIndDouble& ind) = 0;

    // Problems are deleted through base pointers by the optimisers.
    virtual ~EAProblem();

    void addProblemPara(const std::string& para);
    void clearProblemParas();
    int getNumEval() const;
};
