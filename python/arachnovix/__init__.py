"""Arachnovix runs in Python: read, breed and draw orb-web evolution runs.

The engine is the one the program and ``arachnovix-cli`` use, reached through
its run API; a run bred here is byte for byte the run the tool breeds from the
same options. Spiders and generations are numbered from 0 here (the tool's
text output numbers spiders from 1).

Every array a run gives is a read-only NumPy view of ``int32`` values, taken
once after each change of the run: reading ``run.rules[g]`` costs no copy, and
a view keeps its values after the run is resumed or deleted.
"""

import numbers
import os
import re
import warnings

import numpy as np

from . import _arachnovix as _core
from ._arachnovix import Run
from .sweep import load_sweep

__version__ = _core.__version__

__all__ = ["Run", "Web", "load", "evolve", "build_web", "evaluate", "GENES", "GENE_NAMES",
           "ORIGINS", "SETTINGS", "STATS_COLUMNS", "__version__"]

#: (name, lowest, highest) of each of the 19 rule values, in gene order.
GENES = [tuple(g) for g in _core._genes()]
GENE_NAMES = [g[0] for g in GENES]
#: Origin labels by their code in the record (0 ... 4).
ORIGINS = ["I", "SEL", "CROSS", "SEL+MUT", "CROSS+MUT"]
#: The run settings, as keywords (``prey_size`` is the tool's ``--prey-size``).
SETTINGS = ["prey", "prey_size", "prey_value", "attack", "silk_cost", "silk_limit",
            "time_penalty", "crossover", "mutation"]
#: The columns of ``Run.stats()`` (and of ``arachnovix-cli stats --csv``).
STATS_COLUMNS = ["generation", "best_fitness", "mean_fitness", "min_fitness", "max_fitness",
                 "sd_fitness", "n_initial", "n_selected", "n_crossed", "n_selected_mutated",
                 "n_crossed_mutated", "n_other"]

_INTEGER = {"population", "generations", "seed", "threads", "prey", "silk_limit", "crossover",
            "mutation"}
_REAL = {"prey_size", "prey_value", "silk_cost", "time_penalty"}


def _type_name(value):
    return type(value).__name__


def _checked(name, value):
    """The value of one keyword in the type the engine takes, or TypeError."""
    if name in _INTEGER:
        if isinstance(value, bool) or not isinstance(value, numbers.Integral):
            raise TypeError(f"{name} must be an int, got {_type_name(value)}")
        return int(value)
    if name in _REAL:
        if isinstance(value, bool) or not isinstance(value, numbers.Real):
            raise TypeError(f"{name} must be a number, got {_type_name(value)}")
        return float(value)
    if not isinstance(value, str):
        raise TypeError(f"{name} must be a str, got {_type_name(value)}")
    return value


def _keywords(settings, **fixed):
    """The options as the engine takes them; None leaves a setting out."""
    for name in settings:
        if name not in SETTINGS:
            raise TypeError(f"unknown setting {name!r} (known: {', '.join(SETTINGS)})")
    options = {}
    for name, value in list(settings.items()) + list(fixed.items()):
        if value is not None:
            options[name] = _checked(name, value)
    return options


def _generations(generations):
    if generations is None:
        raise TypeError("generations must be an int, got NoneType")
    return _checked("generations", generations)


def load(path):
    """Reads a population file (.axv) into a Run.

    A file the program would refuse raises ValueError with the program's
    message; nothing is kept of it. A file with a continuation record goes on
    exactly as the run that wrote it (``Run.continues_exactly``); a damaged
    record loads the run with a RuntimeWarning, and it then goes on with new
    random streams.
    """
    path = os.fspath(path)
    if not os.path.exists(path):
        raise FileNotFoundError(f"no such file: {path!r}")
    run = _core._load(path)
    if run.provenance["file_continuation"] == "damaged":
        warnings.warn(f"{path}: {_core.DAMAGED_CONTINUATION_WARNING}", RuntimeWarning, stacklevel=2)
    return run


def evolve(seed=None, population=None, generations=100, progress=None, threads=None,
           **settings):
    """Breeds a new run exactly as ``arachnovix-cli evolve`` does; returns the Run.

    ``settings`` are the keywords of ``SETTINGS``: prey (int), prey_size,
    prey_value (float), attack ('off', 'dist' or 'dist+grav'), silk_cost
    (float), silk_limit (int, web units, -1 for none), time_penalty (float),
    crossover (int, percent), mutation (int, tenths of a percent). A keyword
    of the wrong type raises TypeError and a value out of range ValueError,
    both naming it, before any work is done.

    ``progress(bred, total, generation, best_fitness)`` is called after each
    generation. The GIL is released while the engine breeds, so other Python
    threads run meanwhile (and runs in several threads breed at once). Ctrl-C
    stops after a whole generation and raises KeyboardInterrupt, whose ``run``
    attribute holds the run so far. Without a seed one is drawn from the
    system and kept in ``Run.seed``. ``threads`` is the number of evaluation
    threads (default: every core); any number gives the same run.
    """
    options = _keywords(settings, seed=seed, population=population,
                        generations=_generations(generations), threads=threads)
    run = _core._evolve(options, progress)
    _warn_at_limit(run, options["generations"])
    return run


def _warn_at_limit(run, wanted):
    if run.generation < wanted:
        warnings.warn(f"stopped at generation {run.generation}: {_core.GENERATION_LIMIT_MESSAGE}",
                      RuntimeWarning, stacklevel=3)


def _run_resume(self, generations, seed=None, progress=None, threads=None, **settings):
    """Breeds ``generations`` more generations into this run; returns it.

    A run bred in this process (or unpickled from one) goes on as if it had
    never stopped: its random streams continue. With a seed or settings, or
    for a loaded run, it goes on as ``arachnovix-cli evolve --resume`` would
    from the saved file: a file with a continuation record (and any run made
    in this process) keeps its streams and the seed is not used. Calls on one run from several threads take turns; a
    call from the run's own progress callback raises RuntimeError.
    """
    wanted = self.generation + _generations(generations)
    options = _keywords(settings, seed=seed, generations=generations, threads=threads)
    if self.live and seed is None and not settings:
        self._continue(options["generations"], progress)
    else:
        self._resume(options, progress)
    _warn_at_limit(self, wanted)
    return self


def _save(self, path, plain=False):
    """Writes the run as a population file, as the tool writes it (an existing
    file is replaced whole or left as it was; a failure raises OSError).

    The file carries the continuation record, so that it goes on exactly;
    ``plain=True`` writes the published fields alone (``evolve --plain``).
    """
    self._save(os.fspath(path), bool(plain))


def _origin(self):
    """Origin labels, shape (generations, N), dtype object; '?' for an unknown code."""
    labels = np.array(ORIGINS + ["?"], dtype=object)
    codes = self.origin_codes
    return labels[np.where((codes >= 0) & (codes < len(ORIGINS)), codes, len(ORIGINS))]


def _snake(name):
    """numStartRadii -> num_start_radii, "growth % to centre" -> growth_pct_to_centre."""
    spaced = re.sub(r"(?<=[a-z0-9])(?=[A-Z])", " ", name.replace("%", " pct "))
    out = "".join(c.lower() if c.isalnum() else "_" for c in spaced)
    return "_".join(part for part in out.split("_") if part)


def _gene_columns():
    """Gene names in snake case; a repeated name gets its gene index."""
    seen, columns = set(), []
    for k, name in enumerate(GENE_NAMES):
        column = _snake(name)
        columns.append(column if column not in seen else f"{column}_{k}")
        seen.add(column)
    return columns


def _pandas(what):
    try:
        import pandas as pd
    except ImportError as e:
        raise ImportError(f"{what} needs pandas (Debian package python3-pandas)") from e
    return pd


def _to_frame(self):
    """One row per spider per generation: generation, spider, fitness, origin
    (categorical, categories ``ORIGINS``), parent_a, parent_b and one column
    per gene in snake case (a repeated gene name gets its gene index)."""
    pd = _pandas("Run.to_frame()")
    g, n = self.fitness.shape
    parents = self.parents
    frame = pd.DataFrame({
        "generation": np.repeat(np.arange(g), n),
        "spider": np.tile(np.arange(n), g),
        "fitness": self.fitness.ravel(),
        "origin": pd.Categorical(self.origin.ravel(), categories=ORIGINS + ["?"]),
        "parent_a": parents[:, :, 0].ravel(),
        "parent_b": parents[:, :, 1].ravel(),
    })
    genes = pd.DataFrame(self.rules.reshape(g * n, len(GENES)), columns=_gene_columns())
    return pd.concat([frame, genes], axis=1)


def _stats(self):
    """The per-generation statistics as a DataFrame, one row per recorded
    generation, columns ``STATS_COLUMNS``: the best, mean, lowest, highest and
    standard deviation (divided by N) of the recorded fitness, then the number
    of spiders of each origin (``n_other`` counts unknown codes)."""
    pd = _pandas("Run.stats()")
    columns = self._stats()
    return pd.DataFrame({name: columns[name] for name in STATS_COLUMNS})


def _run_web(self, generation=None, spider=None):
    """The web of a recorded spider (default: the best of the last generation),
    built under the run's silk limit."""
    generation = self.generations - 1 if generation is None else generation
    spider = int(np.argmax(self.fitness[generation])) if spider is None else spider
    return build_web(self.rules[generation, spider], silk_limit=self.settings["silk_limit"])


def _repr(self):
    seed = self.provenance["first_seed"]
    return (f"<arachnovix.Run: {self.population_size} spiders, {self.generations} generations, "
            f"best fitness {int(self.fitness[-1].max())}, first seed "
            f"{'unknown' if seed is None else seed}, "
            f"{'continues exactly' if self.continues_exactly else 'new random streams'}>")


Run.__doc__ = """A run: its settings and the record of every generation.

Made by ``evolve``, ``load`` or unpickling (a Run pickles with its random
streams, so a process pool can return runs that go on exactly as the
original would). Arrays, all read-only ``int32`` NumPy views (G recorded
generations of N spiders):

- ``fitness``: (G, N) recorded fitness;
- ``rules``: (G, N, 19) rule values in gene order (see ``GENES``);
- ``origin_codes``: (G, N) how each spider was made (codes of ``ORIGINS``);
- ``origin``: (G, N) the same as labels (object array);
- ``parents``: (G, N, 2) parent A and B in the previous generation (-1: none).

``provenance`` tells where the run came from (``version`` that wrote its
file's continuation, ``first_seed``, the settings of its last breeding
``last_bred``, and ``file_continuation``: "exact", "damaged" or "none");
``continues_exactly`` whether it goes on as the unbroken run would.
"""
Run.resume = _run_resume
Run.save = _save
Run.origin = property(_origin)
Run.genes = property(lambda self: list(GENES), doc="(name, lowest, highest) of each gene.")
Run.to_frame = _to_frame
Run.stats = _stats
Run.web = _run_web
Run.__repr__ = _repr
for _name, _doc in [
        ("population_size", "N, the number of spiders of every generation (int)."),
        ("generations", "G, the number of recorded generations (0 ... G - 1) (int)."),
        ("generation", "The current generation (int)."),
        ("selected_spider", "Index of the selected spider, -1 for none (int)."),
        ("seed", "The seed the last breeding call used; None for a loaded run."),
        ("live", "Whether the run carries its random streams and goes on unbroken (bool)."),
        ("settings", "The settings as a dict keyed by the names of SETTINGS."),
        ("fitness", "Recorded fitness, shape (G, N), int32, read-only."),
        ("rules", "Rule values, shape (G, N, 19), int32, read-only; gene order as GENES."),
        ("origin_codes", "Origin codes, shape (G, N), int32, read-only; 0 ... 4 index ORIGINS."),
        ("parents", "Parents A and B, shape (G, N, 2), int32, read-only; -1 for none.")]:
    _getter = getattr(Run, _name).fget
    setattr(Run, _name, property(_getter, doc=_doc))


class Web:
    """A built web. ``radii``, ``frame`` and ``spiral`` are (k, 4) float64 arrays
    of thread ends (x1, y1, x2, y2) in web units (the square -100 ... 100, hub
    at the origin, y down as the program draws it); the spiral threads are in
    laying order, the first ``first_loop_threads`` of them the first loop;
    ``radius_kinds`` (k,) int32 is 0 for a first radius, 1 for an additional
    one. ``threads`` counts radii and spiral threads (the pieces the time
    penalty counts); the silk totals are in web units."""

    def __init__(self, fields):
        self.__dict__.update(fields)

    def __repr__(self):
        return (f"<arachnovix.Web: {len(self.radii)} radii, {len(self.spiral)} spiral threads, "
                f"silk {self.total_silk:.1f}>")


def _rules(rules):
    """19 whole rule values, or TypeError / ValueError naming ``rules``."""
    values = np.asarray(rules)
    if values.dtype.kind not in "iuf" or values.dtype == np.bool_:
        raise TypeError(f"rules must be 19 numbers, got {values.dtype} values")
    values = values.ravel()
    if values.dtype.kind == "f":
        bad = values[~np.isfinite(values) | (values != np.round(values))]
        if len(bad):
            raise ValueError(f"rules must be whole numbers, got {bad[0]!r}")
    return [int(v) for v in values]


def build_web(rules, silk_limit=-1):
    """Builds the web of 19 rule values (gene order) and returns a Web.

    ``silk_limit`` is in web units, -1 for none. A fractional value, a value
    outside its gene's range or a silk limit below -1 raises ValueError."""
    limit = _checked("silk_limit", silk_limit)
    if limit < -1:
        raise ValueError(f"silk_limit must be -1 (no limit) or at least 0, got {limit}")
    return Web(_core._build_web(_rules(rules), limit))


def evaluate(rules, prey=None, prey_size=None, seed=None, attack=None, **settings):
    """Scores 19 rule values as the engine scores a spider: a generator is
    seeded, ``prey`` prey are scattered over the square and the web catches
    what it can. Settings default to the tool's defaults. Returns a dict with
    ``prey`` (n, 2) float64, ``caught`` (k,) int32 prey indices,
    ``num_caught``, the fitness terms ``reward``, ``silk_cost``,
    ``time_penalty``, ``fitness``, the ``seed`` used and the ``web``."""
    options = _keywords(dict(settings, prey=prey, prey_size=prey_size, attack=attack))
    if seed is None:
        seed = int.from_bytes(os.urandom(4), "little")
    seed = _checked("seed", seed)
    if not 0 <= seed <= 0xFFFFFFFF:
        raise ValueError(f"seed must be between 0 and 4294967295, got {seed}")
    result = _core._evaluate(_rules(rules), options, seed)
    result["web"] = Web(result["web"])
    return result
