// Fuzz target for the sweep design reader: any bytes must either give a
// design whose cases all expand to `evolve` words, or be refused with a
// usage error; never crash, hang or throw anything else.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/cli/CliError.h"
#include "tools/cli/sweep/SweepDesign.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const SweepDesign d = parseDesign(text, "design.toml", false);
        const long long n = d.caseCount();
        if (n < 1 || n > MAX_CASES_WITHOUT_FORCE || d.seeds.empty())
            std::abort();
        for (long long k : {1LL, n / 2 + 1, n}) {
            const SweepCase c = designCase(d, k);
            if (c.levels.size() != d.factors.size())
                std::abort();
            (void)shellCommand(evolveWords(d, c, "case.axv"));
        }
    } catch (const CliError& e) {
        if (e.status() != EXIT_USAGE)
            std::abort();
    }
    return 0;
}
