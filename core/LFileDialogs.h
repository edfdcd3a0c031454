#ifndef OVLIB_CORE_LFILEDIALOGS_H
#define OVLIB_CORE_LFILEDIALOGS_H

#include <string>

#include "core/CoreApi.h"

// The native open and save dialogs. The core library has no user-interface
// toolkit of its own; the program installs a provider with
// LFile::setDialogProvider. Each function returns the full path the user
// chose, or the empty string when the user cancels.
class OVLIB_CORE_API LFileDialogProvider {
  public:
    virtual ~LFileDialogProvider();
    virtual std::string openFile(const std::string& typeName, const std::string& pattern) = 0;
    virtual std::string saveFile(const std::string& typeName, const std::string& pattern) = 0;
};

#endif
