#pragma once
// Running engine work from Python: the GIL is released first and the engine
// taken, in that order everywhere, so that a call waiting for the engine
// never holds up the thread that has it. The tool's refusals (CliError)
// become Python exceptions of the given type, carrying the tool's message.

#include <exception>
#include <mutex>
#include <string>
#include <utility>

#include <pybind11/pybind11.h>

#include "python/src/Engine.h"
#include "tools/cli/CliError.h"

namespace py = pybind11;

template <class F> void withEngine(F&& work, PyObject* refusalType = PyExc_ValueError) {
    std::string refusal;
    {
        py::gil_scoped_release released;
        std::lock_guard<std::mutex> lock(engineMutex());
        try {
            work();
        } catch (const CliError& e) {
            refusal = e.what();
        }
    }
    if (!refusal.empty()) {
        PyErr_SetString(refusalType, refusal.c_str());
        throw py::error_already_set();
    }
}
