"""Breeding calls that must keep what they are given: new settings when a run
goes on, the generator of a run between calls, the number of threads."""
import os

import numpy as np

import arachnovix


def test_resume_after_another_evolve_goes_on_as_one_run():
    run = arachnovix.evolve(seed=4, population=8, generations=3)
    arachnovix.evolve(seed=9, population=8, generations=2)  # moves the engine's generator
    run.resume(3)
    whole = arachnovix.evolve(seed=4, population=8, generations=6)
    assert np.array_equal(run.fitness, whole.fitness)
    assert np.array_equal(run.rules, whole.rules)


def test_resuming_a_live_run_with_new_settings_uses_them():
    run = arachnovix.evolve(seed=4, population=8, generations=2, mutation=2)
    run.resume(2, mutation=40, silk_cost=3)
    assert run.settings["mutation"] == 40 and run.settings["silk_cost"] == 3.0
    assert run.generation == 4


def _threads_while_breeding(threads):
    seen = []
    arachnovix.evolve(seed=1, population=12, generations=2, threads=threads,
                      progress=lambda *a: seen.append(len(os.listdir("/proc/self/task"))))
    return max(seen)


def test_threads_sets_the_number_of_evaluation_threads():
    one, six = _threads_while_breeding(1), _threads_while_breeding(6)
    assert six - one >= 4, (one, six)
