"""Time of evolve from Python against arachnovix-cli evolve for the same run.

Usage: PYTHONPATH=build/python /usr/bin/python3 bench/python/evolve_overhead.py \
           build/bin/arachnovix-cli [generations] [population] [repeats]

Runs the tool, the module, and the module with a progress callback in turn,
`repeats` times (same seed, so the same work; the files are compared), and
prints the median CPU time (user + system, less disturbed by other work on the
machine) and wall time of each. The tool's figures include starting the
process; all include saving the file.
"""
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time

import arachnovix


def child_cpu():
    r = resource.getrusage(resource.RUSAGE_CHILDREN)
    return r.ru_utime + r.ru_stime


def own_cpu():
    r = resource.getrusage(resource.RUSAGE_SELF)
    return r.ru_utime + r.ru_stime


def timed(work, cpu):
    wall, before = time.perf_counter(), cpu()
    work()
    return cpu() - before, time.perf_counter() - wall


def main():
    cli = sys.argv[1]
    generations, population, repeats = (int(a) for a in (sys.argv[2:] + ["1000", "60", "5"])[:3])
    options = dict(seed=1, population=population, generations=generations)
    words = [w for k, v in options.items() for w in ("--" + k, str(v))]
    with tempfile.TemporaryDirectory() as tmp:
        files = [os.path.join(tmp, f"{k}.axv") for k in range(3)]
        ways = [
            ("arachnovix-cli evolve", child_cpu, lambda: subprocess.run(
                [cli, "evolve", *words, "--quiet", "--out", files[0]], check=True)),
            ("arachnovix.evolve", own_cpu, lambda: arachnovix.evolve(**options).save(files[1])),
            ("arachnovix.evolve, progress callback", own_cpu,
             lambda: arachnovix.evolve(**options, progress=lambda *a: None).save(files[2])),
        ]
        times = {name: [] for name, _, _ in ways}
        for _ in range(repeats):
            for name, cpu, work in ways:
                times[name].append(timed(work, cpu))
        contents = {open(f, "rb").read() for f in files}
        assert len(contents) == 1, "the runs differ"
    print(f"{generations} generations, population {population}, median of {repeats}:")
    tool_cpu = statistics.median(c for c, _ in times[ways[0][0]])
    for name, samples in times.items():
        cpu = statistics.median(c for c, _ in samples)
        wall = statistics.median(w for _, w in samples)
        print(f"  {name:40s} CPU {cpu:6.3f} s ({(cpu / tool_cpu - 1) * 100:+5.1f} %)"
              f"  wall {wall:6.3f} s")


if __name__ == "__main__":
    main()
