#include "app/SaveName.h"

std::string populationFileName(const std::string& chosen) {
    const std::string extension = POPULATION_EXTENSION;
    const bool hasExtension =
        chosen.size() > extension.size() &&
        chosen.compare(chosen.size() - extension.size(), extension.size(), extension) == 0;
    return hasExtension ? chosen : chosen + extension;
}
