#!/usr/bin/env python3
"""A/B timing: runs command A and command B alternately RUNS times each (A, B, A, B, ...), the
setup shell command untimed before every run, and prints the median wall and CPU time of each
and the ratios B/A. Alternating keeps a machine's changing load from favouring one side.
Usage: abtime.py RUNS SETUP -- A... -- B..."""
import resource
import statistics
import subprocess
import sys
import time

runs, setup = int(sys.argv[1]), sys.argv[2]
rest = sys.argv[3:]
split = [i for i, a in enumerate(rest) if a == "--"]
a, b = rest[split[0] + 1:split[1]], rest[split[1] + 1:]


def timed(command):
    subprocess.run(setup, shell=True, check=True)
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    done = subprocess.run(command, stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if done.returncode != 0:
        sys.exit("failed (%d): %s" % (done.returncode, " ".join(command)))
    return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


times = {"a": [], "b": []}
for _ in range(runs):
    times["a"].append(timed(a))
    times["b"].append(timed(b))
med = {k: (statistics.median(w for w, _ in v), statistics.median(c for _, c in v))
       for k, v in times.items()}
print("%.4f %.4f %.4f %.4f %.2f %.2f" % (med["a"][0], med["a"][1], med["b"][0], med["b"][1],
                                         med["b"][0] / med["a"][0], med["b"][1] / med["a"][1]))
