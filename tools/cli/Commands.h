#pragma once
// The read-only commands on a saved run. Each takes the words after its
// name and returns the exit status; refusals are thrown as CliError.

#include <string>
#include <vector>

int infoCommand(const std::vector<std::string>& words);
int statsCommand(const std::vector<std::string>& words);
int webCommand(const std::vector<std::string>& words);
int plotCommand(const std::vector<std::string>& words);
int lineageCommand(const std::vector<std::string>& words);
int genesCommand(const std::vector<std::string>& words);

// The whole tool: `args` are the words after the program name. Prints
// refusals on standard error and returns the exit status.
int runCli(const std::vector<std::string>& args);

// The text of --help.
std::string helpText();
