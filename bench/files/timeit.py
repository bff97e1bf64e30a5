#!/usr/bin/env python3
"""Runs a command several times; prints its best wall time and best CPU time (user + system,
the command and its threads) in seconds. With --setup, runs that shell command before each run,
untimed. Output goes to /dev/null. Exits non-zero when a run fails."""
import os
import resource
import subprocess
import sys
import time

args = sys.argv[1:]
setup = None
if args[:1] == ["--setup"]:
    setup, args = args[1], args[2:]
runs, command = int(args[0]), args[1:]
best_wall = best_cpu = float("inf")
for _ in range(runs):
    if setup:
        subprocess.run(setup, shell=True, check=True)
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    done = subprocess.run(command, stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if done.returncode != 0:
        sys.exit("failed (%d): %s" % (done.returncode, " ".join(command)))
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    best_wall, best_cpu = min(best_wall, wall), min(best_cpu, cpu)
print("%.4f %.4f" % (best_wall, best_cpu))
