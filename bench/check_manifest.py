#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Compares what `tunewright-cli list` prints for a make-corpus folder with its manifest.

    check_manifest.py CLI_BINARY CORPUS_DIR MANIFEST_TSV

Checks per file: MPEG version, layer, sample rate, channel mode, the bitrate of CBR
files, the whole play seconds (within one second of duration_s), and every ID3v1 and
ID3v2 field and the lyrics. For FLAC, Ogg Vorbis, Opus and MP4 files (`make-corpus
--formats`): the codec and its bits per sample, sample rate, channels, play seconds, the
MPEG-only stream texts empty, no ID3v1 tag, and the fields of their own tag, which the listing gives as its ID3v2 fields. Prints each mismatch and a summary; exits 1 on any mismatch.
"""
import json
import re
import subprocess
import sys

from mutagen._constants import GENRES

MODES = {"stereo": "Stereo", "joint": "Joint Stereo", "dual": "Dual Channel", "mono": "Mono"}


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"\\": "\\", "t": "\t", "n": "\n", "r": "\r", "0": "\0"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def read_tsv(lines, header=None):
    rows = []
    for line in lines:
        fields = [unescape(f) for f in line.rstrip("\n").split("\t")]
        if header is None:
            header = fields
            continue
        rows.append(dict(zip(header, fields)))
    return rows


def track_numbers(text):
    if not text:
        return 0, 0
    number, _, total = text.partition("/")
    return int(number or 0), int(total or 0) if total else 0


def genre_number(name):
    return GENRES.index(name) if name in GENRES else -1


CHANNELS = {"1": "Mono", "2": "Stereo"}


def compare_stream(truth, stream, check):
    """The stream facts of a file of another format than MP3."""
    bits = truth["bits_per_sample"]
    check("codec", f"{truth['codec']}, {bits} bits" if bits else truth["codec"], stream["Version"])
    check("sample rate", f"{truth['sample_rate']} Hz", stream["Frequency"])
    check("channels", CHANNELS.get(truth["channels"], truth["channels"]), stream["Mode"])
    for name in ("HeaderPosition", "Frames", "Crc", "Copyright", "Original", "Emphasis", "NoHeader"):
        check("MPEG-only " + name, "", stream[name])


def compare_v2(truth, v2, lyrics, check):
    for field in ("title", "artist", "album", "comment"):
        check("v2 " + field, truth["v2_" + field], v2[field])
    # The year is the leading number of the frame ("1993-05-17" shows 1993).
    check("v2 year", re.match(r"\d*", truth["v2_year"]).group(0), v2["yearText"])
    track, total = track_numbers(truth["v2_track"])
    check("v2 track", track, v2["track"])
    check("v2 track total", total, v2["trackTotal"])
    # Of several genres ("Rock; Pop") the first counts.
    check("v2 genre", genre_number(truth["v2_genre_name"].split("; ")[0]), v2["genre"])
    has_lyrics = bool(truth["v2_lyrics"])
    check("lyrics in file", has_lyrics, lyrics["inFile"])
    if has_lyrics:
        check("lyrics", truth["v2_lyrics"], lyrics["text"])


def compare(truth, ours):
    problems = []

    def check(name, expected, got):
        if str(expected) != str(got):
            problems.append(f"{name}: expected {expected!r}, got {got!r}")

    if abs(ours["playSeconds"] - float(truth["duration_s"])) > 1.0:
        problems.append(f"play seconds: {ours['playSeconds']} vs duration {truth['duration_s']}")
    if truth.get("format", "mp3") != "mp3":
        compare_stream(truth, ours["stream"], check)
        check("v1 in file", False, ours["id3v1"]["inFile"])
        check("tag in file", True, ours["id3v2"]["inFile"])
        compare_v2(truth, ours["id3v2"], ours["lyrics"], check)
        return problems

    stream = ours["stream"]
    check("version", f"MPEG {float(truth['mpeg_version']):.1f} Layer {truth['layer']}", stream["Version"])
    check("sample rate", f"{truth['sample_rate']} Hz", stream["Frequency"])
    check("mode", MODES[truth["channel_mode"]], stream["Mode"])
    if truth["bitrate_mode"] == "CBR":
        check("bitrate", f"{truth['nominal_kbps']} kbps", stream["Bitrate"])

    tags = truth["tags"]
    v1, v2, lyrics = ours["id3v1"], ours["id3v2"], ours["lyrics"]
    has_v1 = "v1" in tags
    check("v1 in file", has_v1, v1["inFile"])
    if has_v1:
        for field in ("title", "artist", "album", "comment"):
            check("v1 " + field, truth["v1_" + field], v1[field])
        check("v1 year", truth["v1_year"], v1["yearText"])
        check("v1 track", int(truth["v1_track"] or 0), v1["track"])
        genre = int(truth["v1_genre_byte"])
        check("v1 genre", genre if genre < 128 else -1, v1["genre"])
    has_v2 = "v2" in tags
    check("v2 in file", has_v2, v2["inFile"])
    if has_v2:
        compare_v2(truth, v2, lyrics, check)
    return problems


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    cli, folder, manifest = sys.argv[1:]
    listing = subprocess.run([cli, "list", folder, "--format", "json"], check=True,
                             capture_output=True, text=True).stdout
    ours = {record["fileName"]: record for record in json.loads(listing)}
    with open(manifest, encoding="utf-8") as f:
        truth = read_tsv(f)
    failures = 0
    for row in truth:
        record = ours.get(row["file"])
        problems = ["not read"] if record is None else compare(row, record)
        if problems:
            failures += 1
            print(row["file"])
            for p in problems:
                print("   ", p)
    print(f"{len(truth) - failures} of {len(truth)} files match the manifest")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
