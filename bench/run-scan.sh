#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The folder-scan benchmark: this program's read path against a mutagen loop and against
# the least I/O a scanner needs, on the same warm corpus, in the same run; then the records
# are checked against the corpus manifest.
#
#   bench/run-scan.sh [CORPUS_DIR] [FILE_COUNT]      (defaults: /tmp/tw-corpus 1000)
#
# CLI names another build of tunewright-cli to time (an older one, for a before and after).
# The corpus is made with scripts/make-corpus when the folder does not exist.
set -euo pipefail
. "$(dirname "$0")/corpus.sh" "$@"

cmake --preset default >/dev/null
cmake --build --preset default --target scan floor tunewright-cli >/dev/null
scan="$repo/build/bin/scan"
floor="$repo/build/bin/floor"
cli="${CLI:-$repo/build/bin/tunewright-cli}"
files=$(find "$corpus" -maxdepth 1 -iname '*.mp3' | wc -l)

# Warm the page cache, so that every reader sees the same memory-speed files.
cat "$corpus"/*.mp3 >/dev/null

# The CPU seconds (user and system) of this shell's finished children, from what `times`
# printed into the file $1.
cpu_seconds() {
  tail -1 "$1" | awk '{ split($1, u, /[ms]/); split($2, s, /[ms]/)
                        printf "%.4f", u[1] * 60 + u[2] + s[1] * 60 + s[2] }'
}

# Files per second of a whole process run (start to end, as a script sees it), then files
# per CPU second of the same run: on a loaded machine the wall clock mostly measures the
# wait for a core, the CPU time what the program does. `times` is taken right around the
# run, so that no other child counts.
cpu_before="$(mktemp)"
cpu_after="$(mktemp)"
per_process() {
  local start end
  start=$(date +%s%N)
  times >"$cpu_before"
  "$@" >/dev/null
  times >"$cpu_after"
  end=$(date +%s%N)
  awk -v n="$files" -v ns="$((end - start))" -v c0="$(cpu_seconds "$cpu_before")" \
    -v c1="$(cpu_seconds "$cpu_after")" \
    'BEGIN { printf "%.0f %.0f\n", n / (ns / 1e9), n / (c1 - c0 > 0 ? c1 - c0 : 1e-4) }'
}

ours=(); theirs=(); lists=(); floors=(); list_cpus=(); floor_cpus=()
for _ in $(seq "$rounds"); do
  ours+=("$(field files_per_second "$("$scan" "$corpus" --repeat 3)")")
  theirs+=("$(field files_per_second "$(/usr/bin/python3 "$repo/bench/scan_mutagen.py" "$corpus")")")
  for _ in 1 2 3; do
    read -r wall cpu < <(per_process "$cli" list "$corpus" --format json)
    lists+=("$wall"); list_cpus+=("$cpu")
    read -r wall cpu < <(per_process "$floor" "$corpus")
    floors+=("$wall"); floor_cpus+=("$cpu")
  done
done
ours_best=$(best "${ours[@]}")
theirs_best=$(best "${theirs[@]}")
list_best=$(best "${lists[@]}")
floor_best=$(best "${floors[@]}")
list_cpu_best=$(best "${list_cpus[@]}")
floor_cpu_best=$(best "${floor_cpus[@]}")

echo "== $files files (best of $rounds rounds; the processes 3 times a round)"
echo "engine scan (build/bin/scan):         $ours_best files/s   (${ours[*]})"
echo "mutagen loop (bench/scan_mutagen.py): $theirs_best files/s   (${theirs[*]})"
echo "tunewright-cli list --format json:    $list_best files/s   (${lists[*]})"
echo "floor (bench/floor.c):                $floor_best files/s   (${floors[*]})"
echo "list, files per CPU second:           $list_cpu_best   (${list_cpus[*]})"
echo "floor, files per CPU second:          $floor_cpu_best   (${floor_cpus[*]})"
awk -v a="$ours_best" -v b="$theirs_best" -v l="$list_best" -v f="$floor_best" \
    -v lc="$list_cpu_best" -v fc="$floor_cpu_best" 'BEGIN {
  printf "ratios: engine/mutagen %.1fx, list/mutagen %.1fx, floor/list %.2fx (CPU time %.2fx)\n",
         a / b, l / b, f / l, fc / lc }'

# Peak memory of list on this folder and on one four times its size (hard links under
# other names), which stays flat as records are written as they are read.
big="$(mktemp -d)"
trap 'rm -rf "$big" "$cpu_before" "$cpu_after"' EXIT
for copy in 1 2 3 4; do
  for path in "$corpus"/*.mp3; do ln "$path" "$big/$copy-$(basename "$path")"; done
done
peak() { /usr/bin/time -f '%M' "$cli" list "$1" --format json 2>&1 >/dev/null | tail -1; }
echo "list peak memory: $(peak "$corpus") KiB for $files files, $(peak "$big") KiB for $((4 * files))"

manifest="${corpus%/}.manifest.tsv"
if [ -f "$manifest" ]; then
  echo "== records against $manifest"
  /usr/bin/python3 "$repo/bench/check_manifest.py" "$cli" "$corpus" "$manifest" | tail -1
fi
