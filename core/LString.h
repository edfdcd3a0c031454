#ifndef OVLIB_CORE_LSTRING_H
#define OVLIB_CORE_LSTRING_H

#include <string>
#include <vector>

#include "core/CoreApi.h"

// Number-to-text conversion, splitting, trimming and case.
class OVLIB_CORE_API LString {
  public:
    static std::string itoa(int value);    // "%i"
    static std::string dtoa(double value); // "%g"
    // The parts between separators, empty parts included; a text without
    // the separator (or an empty separator) gives the whole text.
    static std::vector<std::string> split(std::string text, std::string separator);
    // Removes space characters (code 32) from both ends; tabs stay.
    static std::string trimSpaces(std::string text);
    static std::string LowerCase(std::string text);
};

#endif
