#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Copies the *.mp3 files of a folder into another with the padding of their ID3v2 tags
taken out, so that any edit that adds bytes makes the tag grow: the grow set of
bench/run-save.sh. Tags with an extended header, a footer or unsynchronisation, and files
without a tag, are copied as they are.

    strip_padding.py FROM_DIR TO_DIR
"""
import os
import shutil
import sys


def synchsafe(b):
    return (b[0] << 21) | (b[1] << 14) | (b[2] << 7) | b[3]


def frames_end(tag, version):
    """Where the frames of a tag (its bytes behind the header) stop and the padding starts."""
    head, at = (6, 0) if version == 2 else (10, 0)
    while at + head <= len(tag) and tag[at] != 0:
        if version == 2:
            size = int.from_bytes(tag[at + 3:at + 6], "big")
        elif version == 4:
            size = synchsafe(tag[at + 4:at + 8])
        else:
            size = int.from_bytes(tag[at + 4:at + 8], "big")
        if at + head + size > len(tag):
            return len(tag)
        at += head + size
    return at


def strip(data):
    if len(data) < 10 or data[:3] != b"ID3" or data[5] & 0xD0:
        return data
    size = synchsafe(data[6:10])
    end = frames_end(data[10:10 + size], data[3])
    if end >= size:
        return data
    header = bytearray(data[:10])
    header[6:10] = bytes(((end >> s) & 0x7F) for s in (21, 14, 7, 0))
    return bytes(header) + data[10:10 + end] + data[10 + size:]


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    source, target = sys.argv[1], sys.argv[2]
    os.makedirs(target, exist_ok=True)
    for name in sorted(os.listdir(source)):
        if not name.lower().endswith(".mp3"):
            continue
        with open(os.path.join(source, name), "rb") as f:
            data = f.read()
        with open(os.path.join(target, name), "wb") as f:
            f.write(strip(data))
        shutil.copystat(os.path.join(source, name), os.path.join(target, name))
    return 0


if __name__ == "__main__":
    sys.exit(main())
