#include "core/LSystem.h"

// The version comes from the build configuration, the one place it is set.
#ifndef OVLIB_PRODUCT_VERSION
#error "OVLIB_PRODUCT_VERSION must be defined by the build"
#endif

std::string LSystem::GetProductVersion() {
    return OVLIB_PRODUCT_VERSION;
}
