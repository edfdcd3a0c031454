// Walking the stored power-law sequence (the table itself is generated into
// PowerLawTable.cpp by tools/powerlaw).

#include "ea/EAOpMutation.h"

int EAOpMutation::maxPLNum = 0;
int EAOpMutation::plNumIndex = 0;

namespace {

int largestEntry() {
    int largest = 0;
    for (int k = 0; k < EAOpMutation::numPLNums; ++k)
        if (EAOpMutation::powerLawNumbers[k] > largest)
            largest = EAOpMutation::powerLawNumbers[k];
    return largest;
}

} // namespace

void EAOpMutation::initPowerLawNumbers() {
    plNumIndex = 0;
    maxPLNum = largestEntry();
}

double EAOpMutation::getNextNormPowerLawNumber() {
    // Used before initPowerLawNumbers: find the divisor instead of dividing by 0.
    if (maxPLNum <= 0)
        maxPLNum = largestEntry();
    plNumIndex = plNumIndex < 0 || plNumIndex >= numPLNums - 1 ? 0 : plNumIndex + 1;
    return static_cast<double>(powerLawNumbers[plNumIndex]) / maxPLNum;
}
