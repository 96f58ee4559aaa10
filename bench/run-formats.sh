#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Listing FLAC, Ogg Vorbis, Opus and MP4 files: `tunewright-cli list` against a mutagen loop
# (mutagen.File on every file, tags and stream facts) on the same warm folder, per format.
#
#   bench/run-formats.sh [FILES]      (default 500 files of each kind; ROUNDS=5, REPEAT=4)
#
# The files of each kind are a folder of `scripts/make-corpus --formats KIND` (5 to 40 s of
# audio, the corpus's texts, a picture in one file of 13), made once into
# ${CORPUS_ROOT:-/tmp/tw-formats-corpus}/KIND-FILES.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
files="${1:-500}"
rounds="${ROUNDS:-5}"
repeat="${REPEAT:-4}"
root="${CORPUS_ROOT:-/tmp/tw-formats-corpus}"

cmake --preset default >/dev/null
cmake --build --preset default --target tunewright-cli >/dev/null
cli="${CLI:-$repo/build/bin/tunewright-cli}"
mkdir -p "$root"

# The CPU seconds (user and system) of this shell's finished children, from what `times`
# printed into the file $1.
cpu_seconds() {
  tail -1 "$1" | awk '{ split($1, u, /[ms]/); split($2, s, /[ms]/)
                        printf "%.4f", u[1] * 60 + u[2] + s[1] * 60 + s[2] }'
}

# Files per second of a whole process run, by the wall clock and by its CPU time (on a
# machine loaded far beyond its cores the wall clock mostly measures the wait for a core),
# the best of the rounds of each. A round runs the process REPEAT times, so that the CPU
# time, which the shell counts in hundredths of a second, is long enough to count.
cpu_before="$(mktemp)"
cpu_after="$(mktemp)"
trap 'rm -f "$cpu_before" "$cpu_after"' EXIT
best_rates() {
  local best_wall=0 best_cpu=0 start end wall cpu
  for _ in $(seq "$rounds"); do
    start=$(date +%s%N); times >"$cpu_before"
    for _ in $(seq "$repeat"); do "$@" >/dev/null; done
    times >"$cpu_after"; end=$(date +%s%N)
    wall=$(awk -v n="$((files * repeat))" -v ns="$((end - start))" 'BEGIN { printf "%.0f", n / (ns / 1e9) }')
    cpu=$(awk -v n="$((files * repeat))" -v c0="$(cpu_seconds "$cpu_before")" -v c1="$(cpu_seconds "$cpu_after")" \
      'BEGIN { printf "%.0f", n / (c1 - c0 > 0 ? c1 - c0 : 1e-4) }')
    [ "$wall" -gt "$best_wall" ] && best_wall=$wall
    [ "$cpu" -gt "$best_cpu" ] && best_cpu=$cpu
  done
  echo "$best_wall $best_cpu"
}

mutagen_loop='import mutagen, os, sys
for name in os.listdir(sys.argv[1]):
    f = mutagen.File(os.path.join(sys.argv[1], name))
    f.tags, f.info.length'

printf '%-7s %10s %10s %7s %10s %10s %7s %9s\n' kind "list f/s" "mutagen" ratio \
  "list f/cs" "mutagen" ratio "list peak"
for kind in flac vorbis opus aac alac; do
  folder="$root/$kind-$files"
  if [ ! -d "$folder" ]; then
    /usr/bin/python3 "$repo/scripts/make-corpus" "$folder" "$files" --formats "$kind" \
      --keep-cache "$root/cache" >/dev/null
  fi
  cat "$folder"/* >/dev/null  # warms the page cache
  read -r ours ours_cpu < <(best_rates "$cli" list "$folder" --format json)
  read -r theirs theirs_cpu < <(best_rates /usr/bin/python3 -c "$mutagen_loop" "$folder")
  peak=$(/usr/bin/time -f '%M' "$cli" list "$folder" --format json 2>&1 >/dev/null | tail -1)
  awk -v k="$kind" -v a="$ours" -v b="$theirs" -v c="$ours_cpu" -v d="$theirs_cpu" -v p="$peak" \
    'BEGIN { printf "%-7s %10d %10d %6.1fx %10d %10d %6.1fx %6.1f MB\n",
             k, a, b, a / b, c, d, c / d, p / 1024 }'
done
