#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The folder-scan benchmark: this program's read path against a mutagen loop and against
# the least I/O a scanner needs, on the same warm corpus, in the same run; then the records
# are checked against the corpus manifest.
#
#   bench/run-scan.sh [CORPUS_DIR] [FILE_COUNT]      (defaults: /tmp/tw-corpus 1000)
#
# The corpus is made with scripts/make-corpus when the folder does not exist.
set -euo pipefail
. "$(dirname "$0")/corpus.sh" "$@"

cmake --preset default >/dev/null
cmake --build --preset default --target scan floor tunewright-cli >/dev/null
scan="$repo/build/bin/scan"
floor="$repo/build/bin/floor"
cli="$repo/build/bin/tunewright-cli"
files=$(find "$corpus" -maxdepth 1 -iname '*.mp3' | wc -l)

# Warm the page cache, so that every reader sees the same memory-speed files.
cat "$corpus"/*.mp3 >/dev/null

# Files per second of a whole process run (start to end, as a script sees it).
per_process() {
  local start end
  start=$(date +%s%N); "$@" >/dev/null; end=$(date +%s%N)
  awk -v n="$files" -v ns="$((end - start))" 'BEGIN { printf "%.0f", n / (ns / 1e9) }'
}

ours=(); theirs=(); lists=(); floors=()
for _ in $(seq "$rounds"); do
  ours+=("$(field files_per_second "$("$scan" "$corpus" --repeat 3)")")
  theirs+=("$(field files_per_second "$(/usr/bin/python3 "$repo/bench/scan_mutagen.py" "$corpus")")")
  for _ in 1 2 3; do
    lists+=("$(per_process "$cli" list "$corpus" --format json)")
    floors+=("$(per_process "$floor" "$corpus")")
  done
done
ours_best=$(best "${ours[@]}")
theirs_best=$(best "${theirs[@]}")
list_best=$(best "${lists[@]}")
floor_best=$(best "${floors[@]}")

echo "== $files files (best of $rounds rounds; the processes 3 times a round)"
echo "engine scan (build/bin/scan):         $ours_best files/s   (${ours[*]})"
echo "mutagen loop (bench/scan_mutagen.py): $theirs_best files/s   (${theirs[*]})"
echo "tunewright-cli list --format json:    $list_best files/s   (${lists[*]})"
echo "floor (bench/floor.c):                $floor_best files/s   (${floors[*]})"
awk -v a="$ours_best" -v b="$theirs_best" -v l="$list_best" -v f="$floor_best" 'BEGIN {
  printf "ratios: engine/mutagen %.1fx, list/mutagen %.1fx, floor/list %.2fx\n", a / b, l / b, f / l }'

# Peak memory of list on this folder and on one four times its size (hard links under
# other names), which stays flat as records are written as they are read.
big="$(mktemp -d)"
trap 'rm -rf "$big"' EXIT
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
