#pragma once
// Run options from Python keywords (the package has checked their types), and
// the run API's refusals as Python exceptions that name the keyword.

#include <pybind11/pybind11.h>

#include "evolution/RunOptions.h"

namespace py = pybind11;

// The options named by the keywords (population, generations, seed, threads,
// prey, prey_size, prey_value, attack, silk_cost, silk_limit, time_penalty,
// crossover, mutation; None for absent), validated: a value out of range
// raises ValueError naming its keyword.
RunOptions optionsFromKeywords(const py::dict& keywords);

// Raises ValueError with the message of a refused option.
[[noreturn]] void raiseOptionError(const RunOptionError& e);
