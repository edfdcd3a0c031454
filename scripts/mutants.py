#!/usr/bin/env python3
"""Mutation testing: plants the faults of a list one at a time, rebuilds, runs
the tests of the labels each names, and restores the file.

A mutant is killed when a test fails (or the tests time out), survives when
they all pass, and is left out of the score when the tree does not build with
it. The working tree must be clean (commit or stash first): the original of
each file is the committed one, and it is put back after every mutant, also
on Ctrl-C or an error.

usage: scripts/mutants.py [--build DIR] [--list FILE] [--only NAME ...]
                          [--jobs N] [--timeout SECONDS] [--exclude LABELS]

The list (TOML, default scripts/mutants.toml) holds [[mutant]] tables:
  name   = "save-as-marks-saved"     # short, unique
  file   = "app/Commands.cpp"        # relative to the repository
  old    = '''exact text'''          # must occur exactly once in the file
  new    = '''its replacement'''
  labels = "app"                     # ctest -L expression
  targets = ["app_window_test"]      # optional: build only these (default: all)
Tests labelled e2e or slurm are left out unless --exclude says otherwise.
"""

import argparse
import os
import signal
import subprocess
import sys
import time
import tomllib
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent


class MutantError(Exception):
    pass


def read_list(path):
    with open(path, "rb") as f:
        mutants = tomllib.load(f).get("mutant", [])
    names = set()
    for m in mutants:
        missing = {"name", "file", "old", "new", "labels"} - m.keys()
        if missing:
            raise MutantError(f"{path}: mutant {m.get('name', '?')} lacks {', '.join(missing)}")
        if m["name"] in names:
            raise MutantError(f"{path}: mutant {m['name']} is listed twice")
        names.add(m["name"])
    return mutants


def require_clean_tree():
    status = subprocess.run(["git", "status", "--porcelain"], cwd=ROOT, capture_output=True,
                            text=True, check=True).stdout
    if status.strip():
        raise MutantError("the tree has uncommitted changes; commit or stash them first:\n" +
                          status)


def mutated_text(mutant, original):
    count = original.count(mutant["old"])
    if count != 1:
        raise MutantError(f"{mutant['name']}: its old text occurs {count} times in "
                          f"{mutant['file']} (once is needed)")
    return original.replace(mutant["old"], mutant["new"])


def run(command, log, timeout=None):
    """Runs a command with its output into the log; its exit status, or None
    when it ran out of time."""
    try:
        return subprocess.run(command, cwd=ROOT, stdout=log, stderr=subprocess.STDOUT,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return None


def try_mutant(mutant, args, log):
    path = ROOT / mutant["file"]
    original = path.read_bytes()
    text = mutated_text(mutant, original.decode())
    targets = ["--target", *mutant["targets"]] if mutant.get("targets") else []
    try:
        path.write_text(text)
        if run(["cmake", "--build", args.build, "-j", str(args.jobs), *targets], log) != 0:
            return "not built"
        exclude = ["-LE", args.exclude] if args.exclude else []
        status = run([str(ROOT / "scripts/with-display.sh"), "ctest", "--test-dir", args.build,
                      "-j", str(args.jobs), "-L", mutant["labels"], *exclude, "--timeout",
                      str(args.timeout), "--output-on-failure"], log,
                     timeout=args.timeout * 20)
        return "survived" if status == 0 else "killed"
    finally:
        path.write_bytes(original)
        # What was built from the mutant is built again from the tree, so
        # that the next mutant's tests run nothing of this one.
        run(["cmake", "--build", args.build, "-j", str(args.jobs), *targets], log)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default="build", help="configured build folder")
    parser.add_argument("--list", default=str(ROOT / "scripts/mutants.toml"))
    parser.add_argument("--only", nargs="+", metavar="NAME", help="these mutants only")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--timeout", type=int, default=120, help="seconds per test")
    parser.add_argument("--exclude", default="e2e|slurm", help="ctest -LE expression")
    args = parser.parse_args()
    args.build = str(Path(args.build).resolve())

    # A termination request is handled as Ctrl-C: the file is restored first.
    signal.signal(signal.SIGTERM, signal.default_int_handler)
    try:
        require_clean_tree()
        mutants = read_list(args.list)
        if args.only:
            unknown = set(args.only) - {m["name"] for m in mutants}
            if unknown:
                raise MutantError(f"no such mutants: {', '.join(sorted(unknown))}")
            mutants = [m for m in mutants if m["name"] in args.only]
        for m in mutants:  # every mutant applies before any is run
            mutated_text(m, (ROOT / m["file"]).read_text())
    except MutantError as e:
        print(f"mutants: {e}", file=sys.stderr)
        return 2

    log_dir = Path(args.build) / "mutants"
    log_dir.mkdir(exist_ok=True)
    results = {"killed": [], "survived": [], "not built": []}
    try:
        for k, m in enumerate(mutants, 1):
            start = time.monotonic()
            with open(log_dir / f"{m['name']}.log", "w") as log:
                outcome = try_mutant(m, args, log)
            results[outcome].append(m["name"])
            print(f"[{k}/{len(mutants)}] {m['name']}: {outcome} "
                  f"({time.monotonic() - start:.0f} s, -L {m['labels']})", flush=True)
    except KeyboardInterrupt:
        print("mutants: interrupted; the file of the last mutant is restored", file=sys.stderr)
        return 130
    finally:
        # What was built from a mutant is built again from the tree.
        targets = sorted({t for m in mutants for t in m.get("targets", [])})
        if any(not m.get("targets") for m in mutants):
            targets = []
        subprocess.run(["cmake", "--build", args.build, "-j", str(args.jobs),
                        *(["--target", *targets] if targets else [])], cwd=ROOT,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    killed, survived = len(results["killed"]), len(results["survived"])
    scored = killed + survived
    print(f"mutation score: {killed} of {scored} killed"
          + (f" ({100 * killed / scored:.0f} %)" if scored else "")
          + (f"; {len(results['not built'])} did not build: {', '.join(results['not built'])}"
             if results["not built"] else ""))
    if survived:
        print("survived: " + ", ".join(results["survived"]))
    print(f"logs: {log_dir}")
    return 0 if survived == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
