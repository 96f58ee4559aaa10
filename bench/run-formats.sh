#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Listing FLAC, Ogg Vorbis, Opus and MP4 files: `tunewright-cli list` against a mutagen loop
# (mutagen.File on every file, tags and stream facts) on the same warm folder, per format.
#
#   bench/run-formats.sh [COPIES]      (default 500 files of each kind)
#
# One tagged file of each kind (tests/support/make_format_file.py: 3.7 s of audio, every
# mapped key, two small pictures) is hard-linked COPIES times into a folder of its own.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
copies="${1:-500}"
rounds="${ROUNDS:-5}"

cmake --preset default >/dev/null
cmake --build --preset default --target tunewright-cli >/dev/null
cli="$repo/build/bin/tunewright-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Files per second of a whole process run, best of the rounds.
best_rate() {
  local best=0 start end rate
  for _ in $(seq "$rounds"); do
    start=$(date +%s%N); "$@" >/dev/null; end=$(date +%s%N)
    rate=$(awk -v n="$copies" -v ns="$((end - start))" 'BEGIN { printf "%.0f", n / (ns / 1e9) }')
    [ "$rate" -gt "$best" ] && best=$rate
  done
  echo "$best"
}

mutagen_loop='import mutagen, os, sys
for name in os.listdir(sys.argv[1]):
    f = mutagen.File(os.path.join(sys.argv[1], name))
    f.tags, f.info.length'

printf '%-7s %12s %12s %7s %10s\n' kind "list f/s" "mutagen f/s" ratio "list peak"
for kind in flac:flac vorbis:ogg opus:opus aac:m4a alac:m4a; do
  name="${kind%%:*}"; ext="${kind##*:}"
  folder="$work/$name"; mkdir "$folder"
  /usr/bin/python3 "$repo/tests/support/make_format_file.py" "$name" "$work/$name.$ext" 3.7 --tags
  for i in $(seq "$copies"); do ln "$work/$name.$ext" "$folder/$i.$ext"; done
  "$cli" list "$folder" --format json >/dev/null  # warms the page cache
  ours=$(best_rate "$cli" list "$folder" --format json)
  theirs=$(best_rate /usr/bin/python3 -c "$mutagen_loop" "$folder")
  peak=$(/usr/bin/time -f '%M' "$cli" list "$folder" --format json 2>&1 >/dev/null | tail -1)
  awk -v k="$name" -v a="$ours" -v b="$theirs" -v p="$peak" \
    'BEGIN { printf "%-7s %12d %12d %6.1fx %7.1f MB\n", k, a, b, a / b, p / 1024 }'
done
