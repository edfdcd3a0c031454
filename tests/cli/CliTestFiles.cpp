#include "CliTestFiles.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string makeScratch() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/arachnovix-cli-test-XXXXXX";
    if (!::mkdtemp(&pattern[0]))
        std::abort();
    return pattern;
}

// Removed by the process that made it only (death tests fork children that
// also run static destructors).
struct Scratch {
    std::string path = makeScratch();
    pid_t owner = ::getpid();
    ~Scratch() {
        if (::getpid() != owner)
            return;
        const std::string command = "rm -rf '" + path + "'";
        if (std::system(command.c_str()) != 0)
            std::perror("rm");
    }
};

} // namespace

const std::string& scratchDir() {
    static Scratch scratch;
    return scratch.path;
}

std::string scratchPath(const std::string& name) {
    return scratchDir() + "/" + name;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool fileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

ProgramResult runProgram(const std::vector<std::string>& args, const std::string& stdoutPath) {
    const std::string outPath = stdoutPath.empty() ? scratchPath("program.out") : stdoutPath;
    const std::string errPath = scratchPath("program.err");
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        std::vector<char*> argv;
        std::string binary = CLI_BINARY;
        argv.push_back(&binary[0]);
        std::vector<std::string> copy = args;
        for (std::string& a : copy)
            argv.push_back(&a[0]);
        argv.push_back(nullptr);
        ::execv(binary.c_str(), argv.data());
        ::_exit(127);
    }
    int wstatus = 0;
    ::waitpid(pid, &wstatus, 0);
    ProgramResult r;
    r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    if (stdoutPath.empty())
        r.out = readFile(outPath);
    r.err = readFile(errPath);
    return r;
}

std::vector<std::string> quickRun(const std::string& out, int seed, int population,
                                  int generations) {
    return {"evolve",
            "--seed",
            std::to_string(seed),
            "--population",
            std::to_string(population),
            "--generations",
            std::to_string(generations),
            "--quiet",
            "--out",
            out};
}
