"""Two runs bred from two Python threads against the same two one after the other.

Usage: PYTHONPATH=build/python /usr/bin/python3 bench/python/two_threads.py \
           [generations] [population] [repeats]

Each run evaluates on one thread (threads=1). Prints the median wall time of
the serial pair, of the threaded pair and their ratio (threaded / serial; on
two free cores the ideal is 0.5), and checks that both ways give the same
runs.
"""
import statistics
import sys
import threading
import time

import numpy as np

import arachnovix


def breed(seed, generations, population):
    return arachnovix.evolve(seed=seed, population=population, generations=generations,
                             threads=1)


def main():
    generations = int(sys.argv[1]) if len(sys.argv) > 1 else 100
    population = int(sys.argv[2]) if len(sys.argv) > 2 else 60
    repeats = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    serial_times, threaded_times = [], []
    for _ in range(repeats):
        start = time.perf_counter()
        serial = [breed(seed, generations, population) for seed in (1, 2)]
        serial_times.append(time.perf_counter() - start)

        threaded = [None, None]

        def work(k):
            threaded[k] = breed(k + 1, generations, population)

        workers = [threading.Thread(target=work, args=(k,)) for k in (0, 1)]
        start = time.perf_counter()
        for w in workers:
            w.start()
        for w in workers:
            w.join()
        threaded_times.append(time.perf_counter() - start)
        for a, b in zip(serial, threaded):
            assert np.array_equal(a.rules, b.rules) and np.array_equal(a.fitness, b.fitness)
    s, t = statistics.median(serial_times), statistics.median(threaded_times)
    print(f"{population} x {generations}, 2 runs: serial {s:.3f} s, two threads {t:.3f} s, "
          f"ratio {t / s:.2f} (median of {repeats})")


if __name__ == "__main__":
    main()
