#pragma once
// A refusal of the command-line tool: the one line that explains it and the
// exit status it ends with (2 for a bad command line, 1 for a file problem).

#include <stdexcept>
#include <string>

constexpr int EXIT_USAGE = 2;
constexpr int EXIT_FILE = 1;

class CliError : public std::runtime_error {
  public:
    CliError(int status, const std::string& message)
        : std::runtime_error(message), status_(status) {}
    int status() const { return status_; }

  private:
    int status_;
};

// A bad option, value or range.
inline CliError usageError(const std::string& message) {
    return CliError(EXIT_USAGE, message);
}
// A file that cannot be read or written.
inline CliError fileError(const std::string& message) {
    return CliError(EXIT_FILE, message);
}
