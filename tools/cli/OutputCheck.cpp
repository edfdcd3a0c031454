#include "tools/cli/OutputCheck.h"

#include "evolution/AtomicFile.h"
#include "tools/cli/CliError.h"
#include "tools/cli/RunFile.h"

void refuseSameFile(const NamedFile& output, const std::vector<NamedFile>& others) {
    for (const NamedFile& other : others)
        if (!other.path.empty() && namesSameFile(output.path, other.path))
            throw usageError(output.role + " and " + other.role + " (" + other.path +
                             ") name the same file; give another file for " + output.role);
}

void checkOutput(const NamedFile& output, const std::vector<NamedFile>& others) {
    refuseSameFile(output, others);
    checkWritable(output.path);
}
