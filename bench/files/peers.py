#!/usr/bin/env python3
"""Times several shell commands side by side: each round runs the setup command (untimed) and
then one command, going through all commands in turn, RUNS rounds. Prints each command's median
wall and CPU time (user + system of the command and everything it started) and its ratios to the
first command's, with the machine's load before and after. Alternating keeps a machine's
changing load from favouring one of them.
Usage: peers.py RUNS SETUP LABEL=COMMAND..."""
import os
import resource
import statistics
import subprocess
import sys
import time

runs, setup = int(sys.argv[1]), sys.argv[2]
commands = [arg.split("=", 1) for arg in sys.argv[3:]]


def timed(command):
    subprocess.run(setup, shell=True, check=True)
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    done = subprocess.run(command, shell=True, stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if done.returncode != 0:
        sys.exit("failed (%d): %s" % (done.returncode, command))
    return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


load_before = os.getloadavg()[0]
times = {label: [] for label, _ in commands}
for _ in range(runs):
    for label, command in commands:
        times[label].append(timed(command))
load_after = os.getloadavg()[0]
first = commands[0][0]
med = {k: (statistics.median(w for w, _ in v), statistics.median(c for _, c in v))
       for k, v in times.items()}
print("median of %d alternated rounds; load %.2f before, %.2f after" % (runs, load_before,
                                                                        load_after))
for label, _ in commands:
    w, c = med[label]
    print("%-34s %8.3fs %8.3fs   %5.2fx %5.2fx  of %s" % (label, w, c, w / med[first][0],
                                                         c / med[first][1], first))
