"""Time of one ``run.rules[g]`` access on long runs.

Usage: PYTHONPATH=build/python /usr/bin/python3 bench/python/rules_access.py \
           build/bin/arachnovix-cli [generations ...]

Breeds a run of 60 spiders for each number of generations with the tool
(default 2000 and 10000, seed 1, once, kept in a temporary folder), loads it
and prints the median time of ``run.rules[g]`` over every g of a pass through
the run (at most 2,000 accesses), and of the first access after loading.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

import arachnovix


def main():
    tool = sys.argv[1]
    lengths = [int(a) for a in sys.argv[2:]] or [2000, 10000]
    with tempfile.TemporaryDirectory() as folder:
        for generations in lengths:
            path = os.path.join(folder, f"run-{generations}.axv")
            subprocess.run([tool, "evolve", "--seed", "1", "--population", "60", "--generations",
                            str(generations), "--quiet", "--out", path], check=True)
            run = arachnovix.load(path)
            start = time.perf_counter()
            first = run.rules[0]
            first_access = time.perf_counter() - start
            step = max(1, run.generations // 2000)
            times = []
            for g in range(0, run.generations, step):
                start = time.perf_counter()
                row = run.rules[g]
                times.append(time.perf_counter() - start)
            assert row.shape == first.shape == (60, 19)
            print(f"60 x {generations}: rules[g] median {statistics.median(times) * 1e6:.1f} us "
                  f"over {len(times)} accesses; first access {first_access * 1e3:.2f} ms")


if __name__ == "__main__":
    main()
