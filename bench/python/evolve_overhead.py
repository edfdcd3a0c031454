"""Time of evolve from Python against arachnovix-cli evolve for the same run.

Usage: PYTHONPATH=build/python /usr/bin/python3 bench/python/evolve_overhead.py \
           build/bin/arachnovix-cli [generations] [population] [repeats]

Runs both in turn `repeats` times (same seed, so the same work; the files are
compared) and prints the median wall time of each and the difference.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

import arachnovix


def main():
    cli = sys.argv[1]
    generations, population, repeats = (int(a) for a in (sys.argv[2:] + ["1000", "60", "5"])[:3])
    options = dict(seed=1, population=population, generations=generations)
    words = [w for k, v in options.items() for w in ("--" + k, str(v))]
    tool_times, python_times, callback_times = [], [], []
    with tempfile.TemporaryDirectory() as tmp:
        tool_file, python_file = os.path.join(tmp, "tool.axv"), os.path.join(tmp, "py.axv")
        for _ in range(repeats):
            start = time.perf_counter()
            subprocess.run([cli, "evolve", *words, "--quiet", "--out", tool_file], check=True)
            tool_times.append(time.perf_counter() - start)
            start = time.perf_counter()
            arachnovix.evolve(**options).save(python_file)
            python_times.append(time.perf_counter() - start)
            start = time.perf_counter()
            arachnovix.evolve(**options, progress=lambda *a: None).save(python_file)
            callback_times.append(time.perf_counter() - start)
        with open(tool_file, "rb") as a, open(python_file, "rb") as b:
            assert a.read() == b.read(), "the runs differ"
    tool, python = statistics.median(tool_times), statistics.median(python_times)
    callback = statistics.median(callback_times)
    print(f"{generations} generations, population {population}, median of {repeats}:")
    print(f"  arachnovix-cli evolve (process, incl. start and save): {tool:.3f} s")
    print(f"  arachnovix.evolve(...).save(...) in Python:            {python:.3f} s")
    print(f"  the same with a progress callback:                     {callback:.3f} s")
    print(f"  difference: {python - tool:+.3f} s ({(python / tool - 1) * 100:+.1f} %), "
          f"with the callback {callback - tool:+.3f} s ({(callback / tool - 1) * 100:+.1f} %)")


if __name__ == "__main__":
    main()
