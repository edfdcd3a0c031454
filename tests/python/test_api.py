"""Runs as values from Python: threads, pickling, views, refusals and re-entry."""

import concurrent.futures
import pickle
import threading

import numpy as np
import pytest

import arachnovix


LOWEST = [g[1] for g in arachnovix.GENES]


def small(seed, generations=4, **extra):
    return arachnovix.evolve(seed=seed, population=7, generations=generations, prey=40,
                             attack="dist", threads=1, **extra)


def same(a, b):
    return (np.array_equal(a.rules, b.rules) and np.array_equal(a.fitness, b.fitness)
            and np.array_equal(a.parents, b.parents) and a.settings == b.settings)


def test_two_runs_in_two_threads_are_the_runs_bred_one_after_the_other(tmp_path):
    serial = [small(seed) for seed in (1, 2)]
    bred = [None, None]

    def breed(k):
        bred[k] = small(k + 1)

    threads = [threading.Thread(target=breed, args=(k,)) for k in (0, 1)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    for mine, theirs, name in zip(bred, serial, "ab"):
        mine.save(tmp_path / f"{name}1.axv")
        theirs.save(tmp_path / f"{name}2.axv")
        assert (tmp_path / f"{name}1.axv").read_bytes() == (tmp_path / f"{name}2.axv").read_bytes()


def test_a_pickled_run_goes_on_as_the_original():
    run = small(5, generations=3)
    copy = pickle.loads(pickle.dumps(run))
    assert same(copy, run) and copy.seed == 5 and copy.live
    run.resume(3)
    copy.resume(3)
    assert same(copy, run)


def _bred_in_a_worker(seed):
    return small(seed, generations=2)


def test_a_process_pool_returns_runs():
    with concurrent.futures.ProcessPoolExecutor(max_workers=2) as pool:
        runs = list(pool.map(_bred_in_a_worker, (3, 4)))
    for seed, run in zip((3, 4), runs):
        assert same(run, small(seed, generations=2))
        assert run.generations == 3 and run.resume(1).generations == 4


def test_arrays_are_read_only_views_that_outlive_changes():
    run = small(6, generations=2)
    rules, fitness = run.rules, run.fitness
    assert run.rules is rules and not rules.flags.writeable and rules.dtype == np.int32
    assert rules.shape == (3, 7, 19) and fitness.shape == (3, 7) and run.parents.shape == (3, 7, 2)
    with pytest.raises(ValueError):
        rules[0, 0, 0] = 1
    kept = rules.copy(), fitness.copy()
    g1 = run.rules[1]
    run.resume(2)
    assert run.rules is not rules and run.rules.shape == (5, 7, 19)
    assert np.array_equal(rules, kept[0]) and np.array_equal(run.rules[:3], kept[0])
    del run
    assert np.array_equal(fitness, kept[1]) and np.array_equal(g1, kept[0][1])


@pytest.mark.parametrize("call, error, message", [
    (lambda: arachnovix.evolve(generations=None), TypeError, "generations must be an int"),
    (lambda: arachnovix.evolve(population="6"), TypeError, "population must be an int, got str"),
    (lambda: arachnovix.evolve(prey_size="big"), TypeError, "prey_size must be a number"),
    (lambda: arachnovix.evolve(population=0), ValueError,
     "population must be between 1 and 200, got 0"),
    (lambda: arachnovix.evolve(silk_limit=-2), ValueError, "silk_limit must be between"),
    (lambda: arachnovix.evolve(seed=-1), ValueError, "seed must be between"),
    (lambda: arachnovix.build_web([17.7] + LOWEST[1:]), ValueError, "whole numbers, got 17.7"),
    (lambda: arachnovix.build_web(LOWEST, silk_limit=-2), ValueError,
     "silk_limit must be -1"),
    (lambda: arachnovix.build_web(LOWEST, silk_limit=2.5), TypeError, "silk_limit must be an int"),
])
def test_refusals_are_one_line_naming_the_keyword(call, error, message):
    with pytest.raises(error) as refused:
        call()
    text = str(refused.value)
    assert message in text and "\n" not in text and "pybind11" not in text and "_arachnovix" not in text


def test_calls_on_one_run_take_turns_and_its_own_callback_is_refused():
    run = small(7, generations=1)
    threads = [threading.Thread(target=run.resume, args=(k,)) for k in (2, 3)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert run.generations == 1 + 1 + 2 + 3

    refusals, webs = [], []

    def reenter(bred, *_):
        with pytest.raises(RuntimeError, match="progress callback cannot call its own run"):
            run.resume(1)
        refusals.append(bred)
        webs.append(arachnovix.build_web(run.rules[-1, 0]).threads)  # other calls work
    run.resume(2, progress=reenter)
    assert refusals == [1, 2] and len(webs) == 2 and run.generations == 9


def test_version_stats_and_frame():
    assert arachnovix.__version__ == "1.0.0.1"
    run = small(9, generations=2)
    frame = run.to_frame()
    assert all(c.isidentifier() and c == c.lower() for c in frame.columns)
    assert "growth_pct_to_centre" in frame.columns and frame.columns.is_unique
    assert frame.origin.dtype == "category" and list(frame.origin.cat.categories[:5]) == arachnovix.ORIGINS
    stats = run.stats()
    assert list(stats.columns) == arachnovix.STATS_COLUMNS
    assert (stats[arachnovix.STATS_COLUMNS[6:]].sum(axis=1) == 7).all()
    assert "(G, N, 19)" in arachnovix.Run.rules.__doc__
