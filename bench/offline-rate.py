#!/usr/bin/env python3
"""Generations per second of the program's offline evolution ("o") beside
arachnovix-cli evolve at the same population, measured in one run on one
machine. Needs an X display (run under scripts/with-display.sh) and xdotool.

Usage: bench/offline-rate.py BUILD_DIR [--seconds S] [--populations 24,60]

For each population: the tool breeds a fixed number of generations and is
timed; the program opens a run of that population (generation 0, the tool's
default settings), evolves offline for S seconds, stops, saves with Ctrl-S,
and its rate is read from the saved file's size.
"""

import argparse
import os
import subprocess
import tempfile
import time

HEADER, ENTRY_BYTES = 75, 92


def load():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def generations_in(path, population):
    return (os.path.getsize(path) - HEADER) // (ENTRY_BYTES * population) - 1


def xdo(*args):
    return subprocess.run(["xdotool"] + [str(a) for a in args], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True).stdout


def tool_rate(cli, population, generations, out):
    start = time.monotonic()
    subprocess.run([cli, "evolve", "--seed", "1", "--population", str(population),
                    "--generations", str(generations), "--quiet", "--out", out], check=True)
    return generations / (time.monotonic() - start)


def wait_for_window(proc):
    for _ in range(100):
        ids = xdo("search", "--onlyvisible", "--name", "Arachnovix [0-9.]+$").split()
        if ids:
            return ids[0]
        if proc.poll() is not None:
            break
        time.sleep(0.2)
    raise SystemExit("the program's window did not appear")


def program_rate(program, run, population, seconds):
    env = dict(os.environ, NO_AT_BRIDGE="1", GSETTINGS_BACKEND="memory")
    proc = subprocess.Popen([program, run], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        window = wait_for_window(proc)
        time.sleep(2.0)  # the run file is opened once the main loop runs
        xdo("windowfocus", "--sync", window)
        before = generations_in(run, population)
        xdo("key", "--window", window, "o")
        start = time.monotonic()
        time.sleep(seconds)
        xdo("key", "--window", window, "o")
        elapsed = time.monotonic() - start
        stamp = os.stat(run).st_mtime_ns
        xdo("key", "--window", window, "ctrl+s")
        for _ in range(100):
            if os.stat(run).st_mtime_ns != stamp:
                break
            time.sleep(0.1)
        time.sleep(0.5)
        return (generations_in(run, population) - before) / elapsed
    finally:
        proc.terminate()
        proc.wait(10)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--populations", default="24,60")
    args = parser.parse_args()
    cli = os.path.join(args.build, "bin", "arachnovix-cli")
    program = os.path.join(args.build, "bin", "arachnovix")
    work = tempfile.mkdtemp(prefix="offline-rate-")
    for population in [int(p) for p in args.populations.split(",")]:
        out = os.path.join(work, "tool-%d.axv" % population)
        tool = tool_rate(cli, population, 2000, out)
        print("population %d [load %s]: arachnovix-cli evolve %.0f generations/s" %
              (population, load(), tool))
        run = os.path.join(work, "program-%d.axv" % population)
        subprocess.run([cli, "evolve", "--seed", "1", "--population", str(population),
                        "--generations", "0", "--quiet", "--out", run], check=True)
        rate = program_rate(program, run, population, args.seconds)
        print("population %d [load %s]: arachnovix 'o'        %.0f generations/s = %.2f x the tool" %
              (population, load(), rate, rate / tool))


if __name__ == "__main__":
    main()
