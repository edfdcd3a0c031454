#pragma once
// Command-line words split into positional arguments and "--name value"
// options, checked against the options a command knows, with strict readers
// for numbers in a range.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

struct OptionRule {
    std::string name; // without the leading "--"
    bool takesValue;
};

class Args {
  public:
    // Splits `words` (the words after the command name). Accepts "--name
    // value" and "--name=value". Throws a usage error for an option the
    // command does not know, a missing value, a value given to a switch or
    // an option given twice.
    Args(const std::vector<std::string>& words, const std::vector<OptionRule>& known);

    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& name) const;
    // The value of an option that was given (throws a usage error otherwise).
    const std::string& value(const std::string& name) const;

  private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    std::set<std::string> switches_;
};

// Strict decimal integer in [lo, hi] ("--name" names the option in errors).
long long parseInteger(const std::string& option, const std::string& text, long long lo,
                       long long hi);
// Finite decimal real in [lo, hi].
double parseReal(const std::string& option, const std::string& text, double lo, double hi);
// A seed for the shared generator: 0 ... 4294967295.
uint32_t parseSeed(const std::string& option, const std::string& text);
