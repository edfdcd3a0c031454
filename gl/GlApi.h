#ifndef OVLIB_GL_GLAPI_H
#define OVLIB_GL_GLAPI_H

// Symbols of the GL toolkit are hidden by default; whatever the program and
// the tests may call is marked with this macro.
#define OVLIB_GL_API __attribute__((visibility("default")))

#endif
