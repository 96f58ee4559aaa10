#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""The format save done with mutagen, for comparison: every file of a folder (FLAC, Ogg
Vorbis, Opus, MP4) loaded, its album (or, with --comment-bytes, a comment of that many
bytes) set, saved and flushed with fsync, as a careful script would. Prints files per
second.

    save_formats_mutagen.py DIR [--album TEXT | --comment-bytes N]

The folder is changed: give it a fresh copy for every run.
"""
import os
import sys
import time

import mutagen
from mutagen.mp4 import MP4


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    folder = sys.argv[1]
    option = dict(zip(sys.argv[2::2], sys.argv[3::2]))
    comment = "c" * int(option.get("--comment-bytes", "0"))
    album = option.get("--album", "Bench album")
    start = time.perf_counter()
    paths = [os.path.join(folder, n) for n in os.listdir(folder)]
    for path in paths:
        audio = mutagen.File(path)
        mp4 = isinstance(audio, MP4)
        if comment:
            audio["\xa9cmt" if mp4 else "COMMENT"] = [comment]
        else:
            audio["\xa9alb" if mp4 else "ALBUM"] = [album]
        audio.save()
        fd = os.open(path, os.O_RDONLY)
        os.fsync(fd)
        os.close(fd)
    print(f"{len(paths) / (time.perf_counter() - start):.0f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
