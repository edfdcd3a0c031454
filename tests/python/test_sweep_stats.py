"""The sweep report's statistics against SciPy and NumPy, its verdicts on the
documented example and on a one-seed design, and the sweep table in pandas."""
import math
import shutil

import numpy as np
import pandas as pd
import pytest
from scipy import stats

import arachnovix
from conftest import SOURCE, cli

REL = 1e-9


def agrees(ours, theirs):
    return math.isclose(ours, theirs, rel_tol=REL, abs_tol=1e-300)


def holm(p):
    p = np.asarray(p, dtype=float)
    order = np.argsort(p, kind="stable")
    adjusted = np.maximum.accumulate(np.minimum(1.0, (len(p) - np.arange(len(p))) * p[order]))
    out = np.empty(len(p))
    out[order] = adjusted
    return out


def hedges_g(a, b):
    """The formula docs/experiments.md gives."""
    na, nb = len(a), len(b)
    pooled = np.sqrt((((a - a.mean()) ** 2).sum() + ((b - b.mean()) ** 2).sum()) / (na + nb - 2))
    return (a.mean() - b.mean()) / pooled * (1 - 3 / (4 * (na + nb) - 9))


def cliffs_delta(a, b):
    return np.sign(a[:, None] - b[None, :]).mean()


def constant(x):
    return bool((x == x[0]).all())


def random_samples():
    """Samples of 1 ... 30 values: continuous, integers with ties, constant."""
    rng = np.random.default_rng(20240611)
    sizes = [1, 1, 2, 3, 4, 5, 6, 7, 8, 8, 9, 10, 12, 15, 20, 25, 30, 30, 2, 5, 8, 11, 3, 16]
    samples = []
    for k, n in enumerate(sizes):
        kind = k % 4
        if kind == 0:
            samples.append(np.round(rng.normal(5000 + 40 * k, 300, n), 4))
        elif kind == 1:
            samples.append(rng.integers(1000, 1012, n).astype(float))  # many ties
        elif kind == 2:
            samples.append(np.round(rng.normal(5100, 50 + 20 * k, n), 4))
        else:
            samples.append(np.full(n, 1004.0))  # all equal, and equal to values of kind 1
    return samples


def write_sweep(folder, samples):
    """A sweep folder with one factor, a value per sample, the sample as measure 'silk'."""
    folder.mkdir()
    levels = [10 * (k + 1) for k in range(len(samples))]
    seeds = max(len(s) for s in samples)
    (folder / "design.toml").write_text(f"generations = 1\nseeds = {{ from = 1, to = {seeds} }}\n"
                                        f"[factors]\nprey = {levels}\n")
    rows = ["case,prey,seed,generation,silk"]
    for c, sample in enumerate(samples):
        for r, v in enumerate(sample):
            rows.append(f"{c * seeds + r + 1},{levels[c]},{r + 1},1,{float(v)!r}")
    (folder / "results.csv").write_text("\n".join(rows) + "\n")


def test_every_figure_agrees_with_scipy(tmp_path):
    samples = random_samples()
    write_sweep(tmp_path / "s", samples)
    # Unequal replicates on purpose: --partial
    cli("sweep", "report", tmp_path / "s", "--measure", "silk", "--generation", 1, "--partial")
    summary = pd.read_csv(tmp_path / "s" / "report" / "summary.csv")
    for row, x in zip(summary.itertuples(), samples):
        assert row.n == len(x)
        assert agrees(row.mean_value, x.mean()) and agrees(row.median_value, np.median(x))
        if len(x) < 2:
            assert math.isnan(row.sd_value) and math.isnan(row.ci95_low)
            continue
        if constant(x):  # no spread at all, not a rounding residue of the mean
            assert row.sd_value == 0 and row.ci95_low == row.ci95_high == row.mean_value
            continue
        low, high = stats.t.interval(0.95, len(x) - 1, loc=x.mean(),
                                     scale=x.std(ddof=1) / math.sqrt(len(x)))
        assert agrees(row.sd_value, x.std(ddof=1))
        assert agrees(row.ci95_low, low) and agrees(row.ci95_high, high)

    pairs = pd.read_csv(tmp_path / "s" / "report" / "comparisons.csv")
    assert len(pairs) == len(samples) * (len(samples) - 1) // 2
    index = {10 * (k + 1): k for k in range(len(samples))}
    welch_p, mwu_p, exact_seen = [], [], set()
    for row in pairs.itertuples():
        a, b = samples[index[row.a_prey]], samples[index[row.b_prey]]
        u = stats.mannwhitneyu(a, b, alternative="two-sided", method="auto")
        ties = len(np.unique(np.concatenate([a, b]))) < len(a) + len(b)
        exact = min(len(a), len(b)) <= 8 and not ties
        exact_seen.add(exact)
        assert row.mann_whitney_method == ("exact" if exact else "asymptotic")
        assert agrees(row.mann_whitney_u, u.statistic) and agrees(row.mann_whitney_p, u.pvalue)
        mwu_p.append(u.pvalue)
        assert agrees(row.cliffs_delta, cliffs_delta(a, b))
        if len(a) < 2 or len(b) < 2 or (constant(a) and constant(b)):
            assert math.isnan(row.welch_t) and math.isnan(row.welch_p) and not row.decided
            reason = "n < 2" if min(len(a), len(b)) < 2 else "zero variance in both"
            assert reason in row.verdict
            continue
        t = stats.ttest_ind(a, b, equal_var=False)
        va, vb = a.var(ddof=1) / len(a), b.var(ddof=1) / len(b)
        df = (va + vb) ** 2 / (va ** 2 / (len(a) - 1) + vb ** 2 / (len(b) - 1))
        assert agrees(row.welch_t, t.statistic) and agrees(row.welch_p, t.pvalue)
        assert agrees(row.welch_df, df)
        assert agrees(row.hedges_g, hedges_g(a, b))
        welch_p.append((row.Index, t.pvalue))
    assert exact_seen == {True, False}
    for (i, p), adjusted in zip(welch_p, holm([p for _, p in welch_p])):
        assert agrees(pairs.welch_p_holm[i], adjusted)
        assert pairs.decided[i] == (adjusted < 0.05)
        if adjusted >= 0.05:
            reason = ("not significant after Holm's correction" if p < 0.05
                      else "no significant difference")
            assert f"undecided, {reason} (Welch p = {p:.2g}, Holm {adjusted:.2g};" in pairs.verdict[i]
    assert sum(pairs.decided) > 0 and not pairs.decided.all()
    assert np.allclose(pairs.mann_whitney_p_holm, holm(mwu_p), rtol=REL, atol=0)


@pytest.fixture(scope="module")
def example(tmp_path_factory):
    """The documented example, run and reported."""
    folder = tmp_path_factory.mktemp("example") / "attack-silk"
    cli("sweep", "run", SOURCE / "docs" / "experiments" / "attack-silk.toml", "--out", folder,
        "--jobs", 2)
    cli("sweep", "report", folder)
    return folder


def final_values(table, attack, silk_cost, measure="best_fitness"):
    last = table.generation.max()
    rows = table[(table.attack == attack) & (table.silk_cost == silk_cost) &
                 (table.generation == last)]
    return rows[measure].to_numpy(dtype=float)


def test_the_documented_example_ranks_as_scipy_says(example, tmp_path):
    ranking = (example / "report" / "ranking.txt").read_text()
    table = arachnovix.load_sweep(example)
    conditions = [(a, c) for a in ("off", "dist+grav") for c in (5, 10)]
    # Pairs differing in one factor, in the order the report lists them.
    pairs = [(0, 1), (0, 2), (1, 3), (2, 3)]
    p = [stats.ttest_ind(final_values(table, *conditions[i]), final_values(table, *conditions[j]),
                         equal_var=False).pvalue for i, j in pairs]
    adjusted = holm(p)
    lines = [line for line in ranking.splitlines() if "Welch p" in line]
    assert len(lines) == 4
    for line, (i, j), pi, hi in zip(lines, pairs, p, adjusted):
        a, b = (f"attack={x}, silk_cost={y}" for x, y in (conditions[i], conditions[j]))
        higher = final_values(table, *conditions[i]).mean() > final_values(table, *conditions[j]).mean()
        expected = f"{a} > {b}" if higher else f"{b} > {a}"
        assert (line.strip().startswith(expected) if hi < 0.05 else "undecided" in line), line
        assert f"Welch p = {pi:.2g}, Holm {hi:.2g};" in line
    # off/5 against off/10: Welch and Mann-Whitney both below 0.05
    first = lines[0]
    assert first.strip().startswith("attack=off, silk_cost=5 > attack=off, silk_cost=10"), first
    u = stats.mannwhitneyu(final_values(table, "off", 5), final_values(table, "off", 10),
                           alternative="two-sided")
    assert f"Mann-Whitney p = {u.pvalue:.2g};" in first
    # All six pairs on request; another measure and generation (in a copy of the folder)
    copy = tmp_path / "copy"
    copy.mkdir()
    for name in ("design.toml", "case-index.csv", "results.csv"):
        shutil.copy(example / name, copy / name)
    cli("sweep", "report", copy, "--all-pairs", "--measure", "silk", "--generation", 10)
    pairs = pd.read_csv(copy / "report" / "comparisons.csv")
    assert len(pairs) == 6 and set(pairs.measure) == {"silk"} and set(pairs.generation) == {10}
    refused = cli("sweep", "report", example, "--measure", "silk-cost", check=False)
    assert refused.returncode == 2 and "best_fitness" in refused.stderr


def test_one_seed_gives_no_interval_and_no_verdict(tmp_path):
    design = tmp_path / "one.toml"
    design.write_text("generations = 20\nseeds = [7]\n[fixed]\npopulation = 10\n"
                      "[factors]\nattack = [\"off\", \"dist+grav\"]\n")
    cli("sweep", "run", design, "--out", tmp_path / "one", "--jobs", 2)
    ranking = cli("sweep", "report", tmp_path / "one").stdout
    assert "95% CI none (n < 2)" in ranking and "[" not in ranking
    assert "attack=off vs attack=dist+grav: undecided, n < 2 (n = 1 and 1)" in ranking
    summary = pd.read_csv(tmp_path / "one" / "report" / "summary.csv")
    assert summary.ci95_low.isna().all() and summary.sd_value.isna().all()
    assert list(summary.n) == [1, 1]


def test_the_sweep_table_in_pandas(example):
    df = arachnovix.load_sweep(example)
    assert list(df.attack.cat.categories) == ["off", "dist+grav"]
    assert list(df.silk_cost.cat.categories) == [5, 10]
    five = df.query("silk_cost == 5")
    assert len(five) == 2 * 10 * 151 and set(five.silk_cost) == {5}
    assert df.best_fitness.dtype == np.int64 and (df.population == 24).all()
    assert (df.best_fitness >= df.mean_fitness).all()
    last = df[df.generation == 150].groupby(["attack", "silk_cost"]).best_fitness.mean()
    summary = pd.read_csv(example / "report" / "summary.csv")
    assert np.allclose(sorted(last), sorted(summary.mean_value[summary.generation == 150]))
