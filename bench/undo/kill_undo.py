#!/usr/bin/env python3
"""The crash-and-undo check of kill-undo.sh: CLI FOLDER N K."""
import hashlib
import os
import random
import subprocess
import sys
import time

cli, folder, n, k = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
os.makedirs(folder)
names = ["file_%06d.txt" % i for i in range(n)]
for name in names:
    with open(os.path.join(folder, name), "wb") as f:
        f.write(name.encode() * 3)
rotation = os.path.join(os.path.dirname(folder), "rotation.csv")
with open(rotation, "w") as f:
    for i, name in enumerate(names):
        f.write("%s,%s\n" % (name, names[(i + 1) % n]))


def state():
    out = {}
    for entry in os.scandir(folder):
        with open(entry.path, "rb") as f:
            out[os.fsencode(entry.name)] = hashlib.sha1(f.read()).hexdigest()
    return out


original = state()
seed = random.randrange(1 << 32)
rng = random.Random(seed)
print("%d files, %d kill points, seed %d" % (n, k, seed))
failures = 0
for point in range(k):
    swap = point % 2 == 1
    after = rng.randrange(n + (1 if swap else 0)) + 1
    command = ([cli, "listfile", "--file", rotation, "--rename", "--swap-safe", folder] if swap
               else [cli, "rename", "--rule", "STANDARDREPLACE|file_|doc_|1||||", folder])
    env = dict(os.environ, TALLOWIN_TEST_KILL_AFTER=str(after))
    killed = subprocess.run(command, env=env, stdout=subprocess.DEVNULL)
    start = time.perf_counter()
    undo = subprocess.run([cli, "undo"], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    took = time.perf_counter() - start
    now = state()
    ok = killed.returncode == -9 and undo.returncode == 0 and now == original
    failures += 0 if ok else 1
    lost = len(set(original) - set(now))
    extra = len(set(now) - set(original))
    print("%2d %-6s killed after %6d renames: undo %6.2fs, %s (lost %d, extra %d)" %
          (point, "swap" if swap else "plain", after, took, "restored" if ok else "FAILED",
           lost, extra))
print("all restored" if failures == 0 else "%d kill points FAILED" % failures)
sys.exit(1 if failures else 0)
