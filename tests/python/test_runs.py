import csv
import io
import os
import signal
import threading
import time

import numpy as np
import pytest

import arachnovix
from conftest import CORPUS, cli

ORIGIN_LABELS = arachnovix.ORIGINS


def csv_rows(text):
    return list(csv.DictReader(io.StringIO(text)))


def test_arrays_equal_the_tools_stats_and_lineage(tool_run, tmp_path):
    run = arachnovix.load(tool_run)
    g, n = run.fitness.shape
    assert (g, n) == (10, 14) and run.rules.shape == (g, n, 19) and run.parents.shape == (g, n, 2)
    assert run.fitness.dtype == np.int32 and run.rules.dtype == np.int32
    assert run.generation == g - 1
    assert run.selected_spider == int(np.argmax(run.fitness[-1]))
    assert run.settings == dict(prey=60, prey_size=4.0, prey_value=20.0, attack="dist",
                                silk_cost=10.0, silk_limit=2500, time_penalty=0.0, crossover=80,
                                mutation=2)

    stats = csv_rows(cli("stats", tool_run).stdout)
    assert len(stats) == g
    for row, f, origin in zip(stats, run.fitness, run.origin):
        assert int(row["best_fitness"]) == f.max() and int(row["min_fitness"]) == f.min()
        assert row["mean_fitness"] == f"{f.mean():.4f}" and row["sd_fitness"] == f"{f.std():.4f}"
        for label, column in zip(ORIGIN_LABELS, arachnovix.STATS_COLUMNS[6:]):
            assert int(row[column]) == np.count_nonzero(origin == label)
    table = run.stats()
    assert list(table.columns) == arachnovix.STATS_COLUMNS and len(table) == g
    assert table.best_fitness.tolist() == run.fitness.max(axis=1).tolist()
    assert [f"{v:.4f}" for v in table.sd_fitness] == [row["sd_fitness"] for row in stats]

    for spider in (0, n // 2, n - 1):
        table = tmp_path / f"lineage{spider}.csv"
        cli("lineage", tool_run, "--spider", spider + 1, "--csv", table)
        steps = csv_rows(table.read_text())
        i = spider
        for step, gen in zip(steps, range(g - 1, -1, -1)):
            pa, pb = run.parents[gen, i]
            assert (int(step["generation"]), int(step["spider"])) == (gen, i + 1)
            assert int(step["fitness"]) == run.fitness[gen, i]
            assert step["origin"] == run.origin[gen, i]
            assert step["parentA"] == (str(pa + 1) if pa >= 0 else "")
            assert step["parentB"] == (str(pb + 1) if pb >= 0 else "")
            i = pa
        assert len(steps) == g

    frame = run.to_frame()
    assert len(frame) == g * n and list(frame.columns[:6]) == [
        "generation", "spider", "fitness", "origin", "parent_a", "parent_b"]
    assert frame.columns.is_unique and len(frame.columns) == 6 + 19
    last = frame[frame.generation == g - 1].iloc[3]
    assert last.fitness == run.fitness[-1, 3] and last.iloc[6:].tolist() == run.rules[-1, 3].tolist()


SETTINGS = dict(prey=40, prey_size=3.5, attack="dist+grav", silk_cost=7.25, silk_limit=3000,
                time_penalty=0.5, crossover=60, mutation=15, prey_value=12.0)


def tool_options(settings):
    words = []
    for name, value in settings.items():
        words += ["--" + name.replace("_", "-"), value]
    return words


def test_evolve_and_save_are_byte_identical_to_the_tool(tmp_path):
    mine, theirs = tmp_path / "mine.axv", tmp_path / "theirs.axv"
    cli("evolve", "--seed", 21, "--population", 9, "--generations", 7, *tool_options(SETTINGS),
        "--quiet", "--out", theirs)
    arachnovix.evolve(seed=3, population=5, generations=2)  # leaves the engine used
    seen = []
    run = arachnovix.evolve(seed=21, population=9, generations=7,
                            progress=lambda *a: seen.append(a), **SETTINGS)
    assert [s[:3] for s in seen] == [(k, 7, k) for k in range(1, 8)]
    assert run.settings == SETTINGS and run.seed == 21 and run.live
    run.save(mine)
    assert mine.read_bytes() == theirs.read_bytes()
    arachnovix.evolve(seed=21, population=9, generations=7, threads=1, **SETTINGS).save(mine)
    assert mine.read_bytes() == theirs.read_bytes()

    # Bred in two calls, the run is the one bred in a single call.
    split = arachnovix.evolve(seed=21, population=9, generations=3, **SETTINGS).resume(4)
    split.save(mine)
    assert mine.read_bytes() == theirs.read_bytes()

    # With a seed, resuming is the tool's --resume of the saved file.
    cli("evolve", "--resume", theirs, "--seed", 5, "--generations", 3, "--mutation", 40,
        "--quiet", "--out", tmp_path / "resumed.axv")
    arachnovix.load(theirs).resume(3, seed=5, mutation=40).save(mine)
    assert mine.read_bytes() == (tmp_path / "resumed.axv").read_bytes()

    with pytest.raises(ValueError, match="^crossover must be between 0 and 100, got 101$"):
        arachnovix.evolve(seed=1, generations=1, crossover=101)
    with pytest.raises(TypeError, match="unknown setting"):
        arachnovix.evolve(seed=1, generations=1, prey_count=3)
    with pytest.raises(OSError, match="cannot write"):
        run.save(tmp_path / "no-such-folder" / "x.axv")


def test_damaged_files_raise_the_programs_message_and_leave_nothing(tmp_path):
    kept = arachnovix.load(CORPUS / "valid-n2-g2.axv")
    before = kept.rules.copy(), kept.settings
    damaged = sorted(CORPUS.glob("bad-*.axv"))
    assert len(damaged) > 20
    for path in damaged:
        tool = cli("info", path, check=False)
        assert tool.returncode == 1
        with pytest.raises(ValueError) as refused:
            arachnovix.load(path)
        assert "arachnovix-cli: " + str(refused.value) + "\n" == tool.stderr, path.name
    assert np.array_equal(kept.rules, before[0]) and kept.settings == before[1]
    # The engine holds nothing of the refused files: a new run is still the tool's.
    cli("evolve", "--seed", 4, "--population", 6, "--generations", 3, "--quiet",
        "--out", tmp_path / "tool.axv")
    arachnovix.evolve(seed=4, population=6, generations=3).save(tmp_path / "mine.axv")
    assert (tmp_path / "mine.axv").read_bytes() == (tmp_path / "tool.axv").read_bytes()
    with pytest.raises(FileNotFoundError):
        arachnovix.load(tmp_path / "missing.axv")


def test_evolve_releases_the_gil():
    count, stop = [0], threading.Event()

    def spin():
        while not stop.is_set():
            count[0] += 1

    seen = []
    worker = threading.Thread(target=spin)
    worker.start()
    try:
        arachnovix.evolve(seed=2, population=60, generations=30, prey=200,
                          progress=lambda *a: seen.append(count[0]))
    finally:
        stop.set()
        worker.join()
    # Holding the GIL, breeding would let the other thread run only inside
    # the callbacks (microseconds, far below the interpreter's switch
    # interval); on a busy machine it may miss some generations even so.
    advanced = sum(b > a for a, b in zip(seen, seen[1:]))
    assert advanced >= 3, seen


def test_ctrl_c_stops_at_a_generation_boundary(tmp_path):
    timer = threading.Timer(0.2, os.kill, (os.getpid(), signal.SIGINT))

    def start_the_timer(bred, *_):
        if bred == 1:
            timer.start()

    with pytest.raises(KeyboardInterrupt) as stopped:
        arachnovix.evolve(seed=8, population=8, generations=10000, progress=start_the_timer)
    timer.join()
    run = stopped.value.run
    bred = run.generations - 1
    assert 0 < bred < 10000 and run.generation == bred
    run.save(tmp_path / "mine.axv")
    cli("evolve", "--seed", 8, "--population", 8, "--generations", bred, "--quiet",
        "--out", tmp_path / "tool.axv")
    assert (tmp_path / "mine.axv").read_bytes() == (tmp_path / "tool.axv").read_bytes()


def test_breeding_stops_at_the_generation_limit_with_a_warning(tmp_path):
    one = (CORPUS / "valid-n1-g1.axv").read_bytes()
    head, entry, settings = one[:19], one[19:19 + 92], one[19 + 92:]
    assert len(settings) == 56 and head[15:19] == (1).to_bytes(4, "little")
    near = tmp_path / "near-limit.axv"
    near.write_bytes(head[:15] + (9998).to_bytes(4, "little") + entry * 9998 + settings)
    run = arachnovix.load(near)
    with pytest.warns(RuntimeWarning, match="stopped at generation 10000"):
        run.resume(5, seed=1)
    assert run.generation == 10000 and run.generations == 10001
