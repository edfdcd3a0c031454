"""Arachnovix runs in Python: read, breed and draw orb-web evolution runs.

The engine is the one the program and ``arachnovix-cli`` use; this package is
a thin layer over it. Spiders and generations are numbered from 0 here (the
tool's text output numbers spiders from 1).
"""

import os
import warnings

import numpy as np

from . import _arachnovix as _core
from ._arachnovix import Run
from .sweep import load_sweep

__all__ = ["Run", "Web", "load", "evolve", "build_web", "evaluate", "GENES", "GENE_NAMES",
           "ORIGINS", "SETTINGS"]

#: (name, lowest, highest) of each of the 19 rule values, in gene order.
GENES = [tuple(g) for g in _core._genes()]
GENE_NAMES = [g[0] for g in GENES]
#: Origin labels by their code in the record (0 ... 4).
ORIGINS = ["I", "SEL", "CROSS", "SEL+MUT", "CROSS+MUT"]
#: The run settings, named as the tool's options (``prey_size`` is ``--prey-size``).
SETTINGS = ["prey", "prey_size", "prey_value", "attack", "silk_cost", "silk_limit",
            "time_penalty", "crossover", "mutation"]


def _word(name, value):
    if isinstance(value, bool) or value is None:
        raise TypeError(f"{name}: {value!r} is not a number or word")
    if isinstance(value, (float, np.floating)):
        return repr(float(value))
    if isinstance(value, (int, np.integer)):
        return str(int(value))
    return str(value)


def _words(settings, **fixed):
    """The tool's command-line words for these options."""
    words = []
    for name, value in list(settings.items()) + list(fixed.items()):
        if value is None:
            continue
        option = name.replace("_", "-")
        if name in settings and name.replace("-", "_") not in SETTINGS:
            raise TypeError(f"unknown setting {name!r} (known: {', '.join(SETTINGS)})")
        words += ["--" + option, _word(name, value)]
    return words


def load(path):
    """Reads a population file (.axv) into a Run.

    A file the program would refuse raises ValueError with the program's
    message; nothing is kept of it.
    """
    path = os.fspath(path)
    if not os.path.exists(path):
        raise FileNotFoundError(f"no such file: {path!r}")
    return _core._load(path)


def evolve(seed=None, population=None, generations=100, progress=None, threads=None,
           **settings):
    """Breeds a new run exactly as ``arachnovix-cli evolve`` does.

    ``settings`` are the tool's options with underscores (prey, prey_size,
    prey_value, attack, silk_cost, silk_limit, time_penalty, crossover,
    mutation). ``progress(bred, total, generation, best_fitness)`` is called
    after each generation. Ctrl-C stops after a whole generation and raises
    KeyboardInterrupt, whose ``run`` attribute holds the run so far. Without a
    seed one is drawn from the system and kept in ``Run.seed``. ``threads`` is
    the number of evaluation threads (default: every core); any number gives
    the same run.
    """
    words = _words(settings, seed=seed, population=population, generations=generations,
                   threads=threads)
    run = _core._evolve(words, progress)
    _warn_at_limit(run, generations)
    return run


def _warn_at_limit(run, wanted):
    if run.generation < wanted:
        warnings.warn(f"stopped at generation {run.generation}: {_core.GENERATION_LIMIT_MESSAGE}",
                      RuntimeWarning, stacklevel=3)


def _run_resume(self, generations, seed=None, progress=None, **settings):
    """Breeds ``generations`` more generations into this run; returns it.

    A run bred in this process goes on as if it had never stopped (the
    generator continues). With a seed or settings, or for a loaded run, it
    goes on as ``arachnovix-cli evolve --resume`` would from the saved file.
    """
    words = _words(settings, seed=seed, generations=generations)
    wanted = self.generation + generations
    if self.live and seed is None and not settings:
        self._continue(words, progress)
    else:
        self._resume(words, progress)
    _warn_at_limit(self, wanted)
    return self


def _save(self, path):
    """Writes the run as a population file, as the tool writes it (an existing
    file is replaced whole or left as it was; a failure raises OSError)."""
    self._save(os.fspath(path))


def _origin(self):
    """Origin labels, shape (generations, N); '?' for an unknown code."""
    labels = np.array(ORIGINS + ["?"], dtype=object)
    codes = self.origin_codes
    return labels[np.where((codes >= 0) & (codes < len(ORIGINS)), codes, len(ORIGINS))]


def _gene_columns():
    seen, columns = set(), []
    for k, name in enumerate(GENE_NAMES):
        columns.append(name if name not in seen else f"{name} [{k}]")
        seen.add(name)
    return columns


def _to_frame(self):
    """One row per spider per generation: generation, spider, fitness,
    origin, parent_a, parent_b and one column per gene (a repeated gene name
    gets its gene index in brackets)."""
    try:
        import pandas as pd
    except ImportError as e:
        raise ImportError("Run.to_frame() needs pandas (Debian package python3-pandas)") from e
    g, n = self.fitness.shape
    parents = self.parents
    frame = pd.DataFrame({
        "generation": np.repeat(np.arange(g), n),
        "spider": np.tile(np.arange(n), g),
        "fitness": self.fitness.ravel(),
        "origin": self.origin.ravel(),
        "parent_a": parents[:, :, 0].ravel(),
        "parent_b": parents[:, :, 1].ravel(),
    })
    genes = pd.DataFrame(self.rules.reshape(g * n, len(GENES)), columns=_gene_columns())
    return pd.concat([frame, genes], axis=1)


def _run_web(self, generation=None, spider=None):
    """The web of a recorded spider (default: the best of the last generation),
    built under the run's silk limit."""
    generation = self.generations - 1 if generation is None else generation
    spider = int(np.argmax(self.fitness[generation])) if spider is None else spider
    return build_web(self.rules[generation, spider], silk_limit=self.settings["silk_limit"])


def _repr(self):
    return (f"<arachnovix.Run: {self.population_size} spiders, {self.generations} generations, "
            f"best fitness {int(self.fitness[-1].max())}>")


Run.resume = _run_resume
Run.save = _save
Run.origin = property(_origin)
Run.genes = property(lambda self: list(GENES), doc="(name, lowest, highest) of each gene.")
Run.to_frame = _to_frame
Run.web = _run_web
Run.__repr__ = _repr


class Web:
    """A built web. ``radii``, ``frame`` and ``spiral`` are (k, 4) float arrays
    of thread ends (x1, y1, x2, y2) in web units (the square -100 ... 100, hub
    at the origin, y down as the program draws it); the spiral threads are in
    laying order, the first ``first_loop_threads`` of them the first loop;
    ``radius_kinds`` is 0 for a first radius, 1 for an additional one.
    ``threads`` counts radii and spiral threads (the pieces the time penalty
    counts); the silk totals are in web units."""

    def __init__(self, fields):
        self.__dict__.update(fields)

    def __repr__(self):
        return (f"<arachnovix.Web: {len(self.radii)} radii, {len(self.spiral)} spiral threads, "
                f"silk {self.total_silk:.1f}>")


def _rules(rules):
    return [int(v) for v in np.asarray(rules).ravel()] if np.ndim(rules) else rules


def build_web(rules, silk_limit=-1):
    """Builds the web of 19 rule values (gene order). ``silk_limit`` in web
    units, -1 for none. Values outside their gene's range raise ValueError."""
    return Web(_core._build_web(_rules(rules), int(silk_limit)))


def evaluate(rules, prey=None, prey_size=None, seed=None, attack=None, **settings):
    """Scores 19 rule values as the engine scores a spider: the generator is
    seeded, ``prey`` prey are scattered over the square and the web catches
    what it can. Settings default to the tool's defaults. Returns a dict with
    ``prey`` (n, 2), ``caught`` (prey indices), ``num_caught``, the fitness
    terms ``reward``, ``silk_cost``, ``time_penalty``, ``fitness``, the
    ``seed`` used and the ``web``."""
    words = _words(dict(settings, prey=prey, prey_size=prey_size, attack=attack))
    result = _core._evaluate(_rules(rules), words, seed)
    result["web"] = Web(result["web"])
    return result
