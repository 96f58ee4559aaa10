#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""The folder scan done with mutagen, for comparison: mutagen.File on every *.mp3 of a
folder, keeping the results, then files per second and peak memory.

    scan_mutagen.py DIR [--repeat N]
"""
import os
import resource
import sys
import time

import mutagen


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    folder = sys.argv[1]
    repeat = int(sys.argv[3]) if len(sys.argv) > 3 and sys.argv[2] == "--repeat" else 1
    paths = [os.path.join(folder, n) for n in os.listdir(folder) if n.endswith(".mp3")]
    best = None
    for _ in range(max(1, repeat)):
        start = time.perf_counter()
        records = [mutagen.File(p) for p in paths]
        took = time.perf_counter() - start
        best = took if best is None else min(best, took)
        del records
    peak_mb = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0
    print(f"files: {len(paths)}")
    print(f"seconds: {best:.4f}")
    print(f"files_per_second: {len(paths) / best:.0f}")
    print(f"peak_rss_mb: {peak_mb:.1f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
