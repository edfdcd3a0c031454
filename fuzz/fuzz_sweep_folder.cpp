// Fuzz target for reading a sweep folder. The bytes, cut at NUL bytes, are
// the folder's copy of its design, its merged table (results.csv) and its
// batch script. Opening the folder, naming its cases, reading the script's
// cases per task and pooling the table for the report must succeed or be
// refused; never crash, hang or throw anything else.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "tools/cli/CliError.h"
#include "tools/cli/sweep/SweepFolder.h"
#include "tools/cli/sweep/SweepReport.h"
#include "tools/cli/sweep/SweepSlurm.h"

namespace {

std::string folder;

void writeFile(const std::string& name, const std::string& bytes) {
    FILE* f = std::fopen((folder + "/" + name).c_str(), "wb");
    if (!f)
        std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

const char* const FILES[] = {"design.toml", "results.csv", "sweep.sbatch"};

void removeFolder() {
    for (const char* name : FILES)
        std::remove((folder + "/" + name).c_str());
    ::rmdir(folder.c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // In memory where the system offers it: three files are written per input.
    char inMemory[] = "/dev/shm/arachnovix-fuzz-sweep.XXXXXX";
    char onDisk[] = "/tmp/arachnovix-fuzz-sweep.XXXXXX";
    const char* name = ::mkdtemp(inMemory);
    if (!name)
        name = ::mkdtemp(onDisk);
    if (!name)
        std::abort();
    folder = name;
    std::atexit(removeFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> parts(3);
    size_t part = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && part + 1 < parts.size())
            ++part;
        else
            parts[part] += static_cast<char>(data[i]);
    }
    for (size_t k = 0; k < parts.size(); ++k)
        writeFile(FILES[k], parts[k]);
    try {
        const SweepTable t = poolResults(parts[1], "results.csv");
        (void)t;
    } catch (const CliError&) {
    }
    try {
        const SweepFolder f(folder);
        (void)f.caseCommand(f.design().caseCount());
        (void)scriptCasesPerTask(f);
    } catch (const CliError&) {
    }
    return 0;
}
