#include "app/StartupArgs.h"

#include "core/LFile.h"

#ifndef ARACHNOVIX_DATA_FROM_BIN
#define ARACHNOVIX_DATA_FROM_BIN "../share/arachnovix"
#endif

namespace {
constexpr const char* RUN_FILE_EXTENSION = "axv";
}

std::string startupRunFile(int argc, const char* const* argv) {
    if (argc != 2 || argv == nullptr || argv[1] == nullptr)
        return "";
    const std::string argument = argv[1];
    if (argument.empty() || argument[0] == '-')
        return "";
    if (LFile::getFileExtension(argument) != RUN_FILE_EXTENSION)
        return "";
    return argument;
}

std::string textureFolderBesideProgram(const std::string& exeFolder) {
    return exeFolder + "/";
}

std::string textureFolderInData(const std::string& exeFolder) {
    return exeFolder + "/" + ARACHNOVIX_DATA_FROM_BIN + "/";
}
