#ifndef OVLIB_CORE_LSYSTEM_H
#define OVLIB_CORE_LSYSTEM_H

#include <string>

#include "core/CoreApi.h"

// Facts about the running program.
class OVLIB_CORE_API LSystem {
  public:
    // The product version of this build (for example "1.0.0.1").
    static std::string GetProductVersion();
};

#endif
