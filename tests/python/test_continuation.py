"""Runs saved from Python go on exactly, in Python and in the tool; the
published fields alone on request; where a file came from, and a damaged
continuation that only warns."""
import pickle

import pytest

import arachnovix
from conftest import cli

KEYS = dict(population=12, attack="dist+grav", silk_limit=2500, prey=40)


def test_a_saved_run_goes_on_as_the_unbroken_run(tmp_path):
    half, whole, tool = tmp_path / "half.axv", tmp_path / "whole.axv", tmp_path / "tool.axv"
    arachnovix.evolve(seed=3, generations=150, **KEYS).save(half)
    loaded = arachnovix.load(half)
    assert loaded.seed == 3 and loaded.continues_exactly and not loaded.live
    assert loaded.provenance["file_continuation"] == "exact"
    assert loaded.provenance["last_bred"]["attack"] == "dist+grav"
    loaded.resume(150, seed=99).save(whole)  # the record's streams, not the seed
    cli("evolve", "--seed", 3, "--generations", 300, "--population", 12, "--attack", "dist+grav",
        "--silk-limit", 2500, "--prey", 40, "--quiet", "--out", tool)
    assert whole.read_bytes() == tool.read_bytes()
    assert "first seed 3, continues exactly" in repr(loaded)


def test_plain_files_are_the_published_fields_and_tell_nothing(tmp_path):
    run = arachnovix.evolve(seed=4, generations=2, population=5)
    run.save(tmp_path / "plain.axv", plain=True)
    run.save(tmp_path / "full.axv")
    plain = (tmp_path / "plain.axv").read_bytes()
    assert len(plain) == 75 + 92 * 5 * 3
    assert (tmp_path / "full.axv").read_bytes().startswith(plain)
    cli("evolve", "--seed", 4, "--generations", 2, "--population", 5, "--plain", "--quiet",
        "--out", tmp_path / "tool.axv")
    assert (tmp_path / "tool.axv").read_bytes() == plain
    loaded = arachnovix.load(tmp_path / "plain.axv")
    assert loaded.seed is None and not loaded.continues_exactly
    assert loaded.provenance == {"version": None, "first_seed": None, "last_bred": None,
                                 "file_continuation": "none"}
    # Without a record it goes on as the tool resumes the file, under the seed.
    loaded.resume(2, seed=6).save(tmp_path / "mine.axv", plain=True)
    cli("evolve", "--resume", tmp_path / "plain.axv", "--seed", 6, "--generations", 2, "--plain",
        "--quiet", "--out", tmp_path / "theirs.axv")
    assert (tmp_path / "mine.axv").read_bytes() == (tmp_path / "theirs.axv").read_bytes()
    assert loaded.seed == 6


def test_a_damaged_continuation_loads_the_run_with_a_warning(tmp_path):
    arachnovix.evolve(seed=5, generations=2, population=5).save(tmp_path / "run.axv")
    data = (tmp_path / "run.axv").read_bytes()
    (tmp_path / "cut.axv").write_bytes(data[:-5])
    with pytest.warns(RuntimeWarning, match="its continuation data is damaged: continuing will "
                                            "start new random streams"):
        run = arachnovix.load(tmp_path / "cut.axv")
    assert run.generations == 3 and not run.continues_exactly
    assert run.provenance["file_continuation"] == "damaged"


def test_a_pickled_run_goes_on_as_the_original_even_when_no_spider_earns(tmp_path):
    # No fitness above 0: the elite is the last evaluation's best, not the
    # first spider that restoring from the record alone would choose.
    run = arachnovix.evolve(seed=1, population=6, generations=2, silk_cost=1000, prey=10)
    copy = pickle.loads(pickle.dumps(run))
    assert copy.provenance["first_seed"] == 1
    run.resume(3).save(tmp_path / "original.axv")
    copy.resume(3).save(tmp_path / "copy.axv")
    assert (tmp_path / "copy.axv").read_bytes() == (tmp_path / "original.axv").read_bytes()
