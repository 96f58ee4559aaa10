#!/usr/bin/python3
"""Compares the records the scan reads with the ground truth of a make-corpus manifest.

    check_manifest.py SCAN_BINARY CORPUS_DIR MANIFEST_TSV

Checks per file: MPEG version, layer, sample rate, channel mode, the bitrate of CBR
files, the whole play seconds (within one second of duration_s), and every ID3v1 and
ID3v2 field and the lyrics. Prints each mismatch and a summary; exits 1 on any mismatch.
"""
import re
import subprocess
import sys

DUMP_COLUMNS = [
    "file", "size", "play_seconds", "version", "bitrate", "frequency", "mode", "crc",
    "header_position", "frames", "v1_in_file", "v1_title", "v1_artist", "v1_album",
    "v1_year", "v1_comment", "v1_track", "v1_genre", "v2_in_file", "v2_title", "v2_artist",
    "v2_album", "v2_year", "v2_track", "v2_track_total", "v2_genre", "v2_genre_name",
    "v2_comment", "lyrics_in_file", "lyrics", "changed_text",
]
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


def compare(truth, ours):
    problems = []

    def check(name, expected, got):
        if str(expected) != str(got):
            problems.append(f"{name}: expected {expected!r}, got {got!r}")

    version_text = ours["version"]  # "MPEG 1.0 Layer 3"
    check("version", f"MPEG {float(truth['mpeg_version']):.1f} Layer {truth['layer']}", version_text)
    check("sample rate", f"{truth['sample_rate']} Hz", ours["frequency"])
    check("mode", MODES[truth["channel_mode"]], ours["mode"])
    if truth["bitrate_mode"] == "CBR":
        check("bitrate", f"{truth['nominal_kbps']} kbps", ours["bitrate"])
    if abs(int(ours["play_seconds"]) - float(truth["duration_s"])) > 1.0:
        problems.append(f"play seconds: {ours['play_seconds']} vs duration {truth['duration_s']}")

    tags = truth["tags"]
    has_v1 = "v1" in tags
    check("v1 in file", "1" if has_v1 else "0", ours["v1_in_file"])
    if has_v1:
        for field in ("title", "artist", "album", "year", "comment"):
            check("v1 " + field, truth["v1_" + field], ours["v1_" + field])
        check("v1 track", truth["v1_track"] or "0", ours["v1_track"])
        genre = int(truth["v1_genre_byte"])
        check("v1 genre", genre if genre < 128 else -1, ours["v1_genre"])
    has_v2 = "v2" in tags
    check("v2 in file", "1" if has_v2 else "0", ours["v2_in_file"])
    if has_v2:
        for field in ("title", "artist", "album", "comment"):
            check("v2 " + field, truth["v2_" + field], ours["v2_" + field])
        # The year is the leading number of the frame ("1993-05-17" shows 1993).
        check("v2 year", re.match(r"\d*", truth["v2_year"]).group(0), ours["v2_year"])
        track, total = track_numbers(truth["v2_track"])
        check("v2 track", track, ours["v2_track"])
        check("v2 track total", total, ours["v2_track_total"])
        # Of several genres ("Rock; Pop") the first counts.
        check("v2 genre", truth["v2_genre_name"].split("; ")[0], ours["v2_genre_name"])
        has_lyrics = bool(truth["v2_lyrics"])
        check("lyrics in file", "1" if has_lyrics else "0", ours["lyrics_in_file"])
        if has_lyrics:
            check("lyrics", truth["v2_lyrics"], ours["lyrics"])
    return problems


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    scan, folder, manifest = sys.argv[1:]
    dump = subprocess.run([scan, folder, "--dump"], check=True, capture_output=True, text=True).stdout
    ours = {row["file"]: row for row in read_tsv(dump.splitlines(), DUMP_COLUMNS)}
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
