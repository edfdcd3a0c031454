#pragma once
// Files and processes for the tests that run whole commands: a private
// scratch folder, reading files, running the built program.

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed at exit.
const std::string& scratchDir();
std::string scratchPath(const std::string& name);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);

struct ProgramResult {
    int status = -1;
    std::string out; // standard output
    std::string err; // standard error
};

// Runs the built arachnovix-cli with these arguments (no shell involved);
// standard output goes to `stdoutPath` when one is given.
ProgramResult runProgram(const std::vector<std::string>& args, const std::string& stdoutPath = "");

// The command line of a quick run: seed, population and generations.
std::vector<std::string> quickRun(const std::string& out, int seed, int population,
                                  int generations);
