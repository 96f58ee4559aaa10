#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Listing a huge file: a 5 GiB sparse file named .mp3 whose only data are real frames at
# its start (the rest is a hole, so it costs no disk). Times `tunewright-cli list` over a
# folder holding just that file, and counts its reads when strace is there.
#
#   bench/run-huge-file.sh [FRAMES]      (default 1: a lone frame, no confirmed stream)
#
# CLI names another tunewright-cli to measure (an older build, say).
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
frames="${1:-1}"
rounds="${ROUNDS:-3}"
cli="${CLI:-$repo/build/bin/tunewright-cli}"
if [ -z "${CLI:-}" ]; then
  cmake --preset default >/dev/null
  cmake --build --preset default --target tunewright-cli >/dev/null
fi

dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/list"
# 128 kbps at 44.1 kHz without LAME's Info frame: every frame is 417 or 418 bytes, so the
# first FRAMES frames are found from the frame headers themselves.
sox -n -r 44100 -c 2 -b 16 "$dir/tone.wav" synth 2 sine 440
lame --quiet -t -b 128 "$dir/tone.wav" "$dir/tone.mp3"
python3 - "$dir/tone.mp3" "$frames" "$dir/list/huge.mp3" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
pos = 0
for _ in range(int(sys.argv[2])):
    padding = (data[pos + 2] >> 1) & 1
    pos += 417 + padding
open(sys.argv[3], "wb").write(data[:pos])
PY
truncate -s 5G "$dir/list/huge.mp3"

times=()
for _ in $(seq "$rounds"); do
  start=$(date +%s%N)
  "$cli" list "$dir/list" >/dev/null
  end=$(date +%s%N)
  times+=("$(awk -v ns="$((end - start))" 'BEGIN { printf "%.3f", ns / 1e9 }')")
done
echo "== a 5 GiB sparse file of $frames real frame(s): list, best of $rounds"
printf '%s\n' "${times[@]}" | sort -g | head -1 | sed 's/$/ s/'
if command -v strace >/dev/null; then
  strace -f -c -e trace=read,pread64 -o "$dir/strace" "$cli" list "$dir/list" >/dev/null
  awk '$NF == "read" || $NF == "pread64" { print $4, $NF, "calls" }' "$dir/strace"
fi
"$cli" list "$dir/list" | cut -f6-12
