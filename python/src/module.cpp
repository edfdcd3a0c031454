// The compiled part of the arachnovix Python package. The package's
// __init__.py gives these calls their Python face (keywords, Web objects,
// pandas tables).

#include <pybind11/pybind11.h>

#include "python/src/PyRun.h"

void bindWebs(py::module_& m);

PYBIND11_MODULE(_arachnovix, m) {
    m.doc() = "Arachnovix engine: runs, breeding and webs.";
    m.attr("__version__") = ARACHNOVIX_VERSION;
    bindRuns(m);
    bindWebs(m);
}
