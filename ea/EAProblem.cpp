#include "ea/EAProblem.h"

EAProblem::EAProblem() = default;
EAProblem::~EAProblem() = default;

void EAProblem::addProblemPara(const std::string& para) {
    problemParas.push_back(para);
}

void EAProblem::clearProblemParas() {
    problemParas.clear();
}

int EAProblem::getNumEval() const {
    return numEval;
}
