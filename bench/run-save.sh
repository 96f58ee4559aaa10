#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The batch-edit benchmark: setting the album of many files, this program against a mutagen
# loop, each on a fresh copy of the same files with a warm cache, in the same run.
#
#   bench/run-save.sh [CORPUS_DIR] [FILE_COUNT]      (defaults: /tmp/tw-corpus 1000)
#
# Two sets: the padded ID3v2 files without a picture (the corpus manifest says which), whose
# new tags fit in place, and the whole corpus, where files without an ID3v2 tag or without
# padding get a new file. For each: the engine's batch save with both flush modes
# (build/bin/save), the command line end to end (tunewright-cli set --v2 --album), and
# mutagen in its loop (bench/save_mutagen.py) and end to end; ROUNDS rounds (default 5, the
# whole corpus 3), best of each.
set -euo pipefail
. "$(dirname "$0")/corpus.sh" "$@"
manifest="${corpus%/}.manifest.tsv"

cmake --preset default >/dev/null
cmake --build --preset default --target save tunewright-cli >/dev/null
save="$repo/build/bin/save"
cli="$repo/build/bin/tunewright-cli"
mutagen=(/usr/bin/python3 "$repo/bench/save_mutagen.py")

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The undo journals of these saves stay out of the user's state folder.
export XDG_STATE_HOME="$work/state"

/usr/bin/python3 - "$manifest" >"$work/padded.txt" <<'PY'
import csv, sys
for row in csv.DictReader(open(sys.argv[1], encoding="utf-8"), delimiter="\t"):
    if row["v2_version"] and int(row["v2_padding"] or 0) > 0 and int(row["v2_apic_bytes"] or 0) == 0:
        print(row["file"])
PY
(cd "$corpus" && ls -- *.mp3) >"$work/all.txt"

# Fresh copies of the named files, one per run, on the disk (as a user's files are, so that no
# flush pays for the copying) and in the page cache. They are all made before any run and
# removed at the end: files deleted just before a run would make every new inode the file
# system allocates search past them (ext4 without a journal skips inodes freed in the last
# minute), which costs this program's new files and not mutagen's in-place writes.
copies() {
  local names="$1" set="$2" n="$3"
  for round in $(seq "$n"); do
    for who in fs each cli mutagen script; do
      mkdir "$work/$set-$round-$who"
      (cd "$corpus" && tr '\n' '\0' <"$names" | xargs -0 cp -p -t "$work/$set-$round-$who" --)
    done
  done
  sync -f "$work"
}
# Before each run: the copy in the page cache, and nothing of the run before it waiting to be
# written (a flush would pay for it).
warm() { sync -f "$work"; cat "$1"/*.mp3 >/dev/null; }
seconds() { date +%s.%N; }
per_second() { awk -v a="$1" -v b="$2" -v n="$3" 'BEGIN { printf "%.0f", n / (b - a) }'; }

run_set() {
  local names="$1" set="$2" label="$3" n="$4" files
  local fs=() each=() written=() tags="" cli_t=() theirs=() their_written=() their_proc=()
  files=$(wc -l <"$names")
  for round in $(seq "$n"); do
    local dir="$work/$set-$round" album="Bench album $round"
    warm "$dir-fs"; out="$("$save" "$dir-fs" --album "$album" --flush filesystem)"
    fs+=("$(field files_per_second "$out")"); written+=("$(field bytes_written "$out")")
    tags="$(field tag_bytes "$out")"
    warm "$dir-each"
    each+=("$(field files_per_second "$("$save" "$dir-each" --album "$album" --flush each-file)")")
    warm "$dir-cli"
    start=$(seconds); (cd "$dir-cli" && "$cli" set --v2 --album "$album" -- *.mp3 >/dev/null); end=$(seconds)
    cli_t+=("$(per_second "$start" "$end" "$files")")
    warm "$dir-mutagen"; out="$("${mutagen[@]}" "$dir-mutagen" --album "$album")"
    theirs+=("$(field files_per_second "$out")"); their_written+=("$(field bytes_written "$out")")
    warm "$dir-script"
    start=$(seconds); "${mutagen[@]}" "$dir-script" --album "$album" >/dev/null; end=$(seconds)
    their_proc+=("$(per_second "$start" "$end" "$files")")
  done
  local ours_fs ours_each ours_cli mut mut_proc ours_written mut_written
  ours_fs=$(best "${fs[@]}"); ours_each=$(best "${each[@]}")
  ours_cli=$(best "${cli_t[@]}")
  mut=$(best "${theirs[@]}"); mut_proc=$(best "${their_proc[@]}")
  ours_written=$(least "${written[@]}")
  mut_written=$(least "${their_written[@]}")
  echo "== $label: $files files, ID3v2 tags $tags bytes (best of $n rounds)"
  echo "engine, syncfs:           $ours_fs files/s   (${fs[*]})"
  echo "engine, fdatasync a file: $ours_each files/s   (${each[*]})"
  echo "mutagen loop:             $mut files/s   (${theirs[*]})"
  echo "tunewright-cli set:       $ours_cli files/s   (${cli_t[*]})"
  echo "python3 mutagen script:   $mut_proc files/s   (${their_proc[*]})"
  awk -v a="$ours_fs" -v b="$ours_each" -v m="$mut" -v c="$ours_cli" -v p="$mut_proc" 'BEGIN {
    printf "ratio to mutagen: engine %.2fx (syncfs), %.2fx (fdatasync); end to end %.2fx\n", a / m, b / m, c / p }'
  awk -v w="$ours_written" -v m="$mut_written" -v t="$tags" 'BEGIN {
    printf "bytes written: ours %d (%.2fx the tags), mutagen %d (%.2fx the tags)\n", w, w / t, m, m / t }'
}

whole_rounds="${WHOLE_ROUNDS:-3}"
copies "$work/padded.txt" padded "$rounds"
copies "$work/all.txt" all "$whole_rounds"
run_set "$work/padded.txt" padded "padded ID3v2 files without a picture" "$rounds"
run_set "$work/all.txt" all "whole corpus" "$whole_rounds"
