"""A sweep folder's table (``arachnovix-cli sweep``) as a pandas DataFrame."""

import os

try:
    import tomllib
except ImportError:  # Python before 3.11
    tomllib = None


def _factor_names(folder):
    """The design's factors in the order written, snake_case."""
    index = os.path.join(folder, "case-index.csv")
    if os.path.exists(index):
        with open(index, encoding="utf-8") as f:
            header = f.readline().strip().split(",")
        return header[1:-1]  # case, the factors, seed
    if tomllib is None:
        raise RuntimeError(f"{folder}: reading its design needs Python 3.11 (tomllib)")
    with open(os.path.join(folder, "design.toml"), "rb") as f:
        design = tomllib.load(f)
    return [name.replace("-", "_") for name in design.get("factors", {})]


def load_sweep(folder):
    """Reads ``FOLDER/results.csv`` of a sweep into a DataFrame.

    One row per case and generation; the columns are those of the file
    (``case``, the factors, the fixed settings, ``seed``, ``generation`` and
    the measures such as ``best_fitness`` and ``silk``). The factors are
    categorical, their categories in the design's order, with numbers kept
    as numbers (``df.query("silk_cost == 5")``).
    """
    import pandas as pd

    folder = os.fspath(folder)
    path = os.path.join(folder, "results.csv")
    if not os.path.exists(path):
        raise FileNotFoundError(f"{path} is missing (run `arachnovix-cli sweep collect {folder}`)")
    frame = pd.read_csv(path)
    for name in _factor_names(folder):
        if name not in frame.columns:
            raise ValueError(f"{path}: no column {name!r} for the design's factor "
                             "(a table of an older version: run sweep collect again)")
        values = frame[name]
        frame[name] = pd.Categorical(values, categories=pd.unique(values))
    return frame
