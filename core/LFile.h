#ifndef OVLIB_CORE_LFILE_H
#define OVLIB_CORE_LFILE_H

#include <string>

#include "core/CoreApi.h"
#include "core/LFileDialogs.h"

// File dialogs, the program's folder, file existence and extensions.
class OVLIB_CORE_API LFile {
  public:
    // Full path of an existing file chosen by the user, or "" (also when no
    // dialog provider is installed). typeName names the single file type,
    // pattern filters it (for example "*.axv").
    static std::string OpenFileDialog(std::string typeName, std::string pattern);
    // Full path of a file to be written, chosen by the user, or "".
    static std::string SaveFileDialog(std::string typeName, std::string pattern);
    // Installs the dialogs used by the two functions above; nullptr removes
    // them. The provider stays owned by the caller.
    static void setDialogProvider(LFileDialogProvider* provider);

    // Folder of the running program without a trailing separator.
    static std::string getExePath();
    // Whether the path names a file that can be opened for reading; a
    // folder or an unreadable file counts as not existing.
    static bool fileExist(std::string path);
    // Text after the last "." in lower case, or "".
    static std::string getFileExtension(std::string name);
};

#endif
