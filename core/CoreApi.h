#ifndef OVLIB_CORE_COREAPI_H
#define OVLIB_CORE_COREAPI_H

// Symbols of the core library are hidden by default; whatever other modules
// may call is marked with this macro.
#define OVLIB_CORE_API __attribute__((visibility("default")))

#endif
