#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The batch-edit benchmark: an edit of many files, this program against a mutagen loop and
# kid3-cli, each on a fresh copy of the same files with a warm cache, in the same run.
#
#   bench/run-save.sh [CORPUS_DIR] [FILE_COUNT]      (defaults: /tmp/tw-corpus 1000)
#
# Three sets: the padded ID3v2 files without a picture (the corpus manifest says which),
# whose new album fits in place; the whole corpus, where files without an ID3v2 tag get one;
# and the whole corpus with the padding of its tags taken out (bench/strip_padding.py), each
# file given a 2 KB comment, so that every tag grows. For each: the engine's batch save
# with both flush modes (build/bin/save), the command line end to end (tunewright-cli set
# --v2), mutagen in its loop (bench/save_mutagen.py) and end to end, and kid3-cli end to
# end when it is installed (not a build dependency: apt-get install kid3-cli). Then the
# padded set once more with 200 MB of another program's data written just before each
# run and not yet flushed, on the same file system. ROUNDS rounds (default 5; the whole
# corpus and the grow set WHOLE_ROUNDS, default 3), best of each. SAVE_BEFORE=PATH adds the
# save program of another build (say, of the commit before a change) with its default flush.
set -euo pipefail
. "$(dirname "$0")/corpus.sh" "$@"
manifest="${corpus%/}.manifest.tsv"

cmake --preset default >/dev/null
cmake --build --preset default --target save tunewright-cli >/dev/null
save="$repo/build/bin/save"
cli="$repo/build/bin/tunewright-cli"
mutagen=(/usr/bin/python3 "$repo/bench/save_mutagen.py")
kid3="${KID3_CLI-$(command -v kid3-cli || true)}"  # KID3_CLI= leaves it out
comment="$(head -c 2048 /dev/zero | tr '\0' c)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The undo journals of these saves stay out of the user's state folder.
export XDG_STATE_HOME="$work/state"
export QT_QPA_PLATFORM=offscreen  # kid3-cli starts Qt's GUI module

/usr/bin/python3 - "$manifest" >"$work/padded.txt" <<'PY'
import csv, sys
for row in csv.DictReader(open(sys.argv[1], encoding="utf-8"), delimiter="\t"):
    if row["v2_version"] and int(row["v2_padding"] or 0) > 0 and int(row["v2_apic_bytes"] or 0) == 0:
        print(row["file"])
PY
(cd "$corpus" && ls -- *.mp3) >"$work/all.txt"
/usr/bin/python3 "$repo/bench/strip_padding.py" "$corpus" "$work/unpadded"

who_all=(fs each auto cli mutagen script)
[ -n "${SAVE_BEFORE:-}" ] && who_all+=(before)
[ -n "$kid3" ] && who_all+=(kid3)
dirty_who=(fs each auto)
[ -n "${SAVE_BEFORE:-}" ] && dirty_who+=(before)

# Fresh copies of the named files, one per run, on the disk (as a user's files are, so that no
# flush pays for the copying) and in the page cache. They are all made before any run and
# removed at the end: files deleted just before a run would make every new inode the file
# system allocates search past them (ext4 without a journal skips inodes freed in the last
# minute), which costs this program's new files and not mutagen's in-place writes.
copies() {
  local from="$1" names="$2" set="$3" n="$4"
  shift 4
  for round in $(seq "$n"); do
    for who in "$@"; do
      mkdir "$work/$set-$round-$who"
      (cd "$from" && tr '\n' '\0' <"$names" | xargs -0 cp -p -t "$work/$set-$round-$who" --)
    done
  done
  sync -f "$work"
}
# Before each run: the copy in the page cache, and nothing of the run before it waiting to be
# written (a flush would pay for it). With OTHER_DIRTY_MB, that much of another program's
# data is then written beside it and left for the kernel to write back.
warm() {
  sync -f "$work"
  cat "$1"/*.mp3 >/dev/null
  if [ "${other_dirty_mb:-0}" -gt 0 ]; then
    rm -f "$work/other.bin"
    dd if=/dev/zero of="$work/other.bin" bs=1M count="$other_dirty_mb" status=none
    dirty_kb+=("$(awk '$1 == "Dirty:" { print $2 }' /proc/meminfo)")
  fi
}
seconds() { date +%s.%N; }
per_second() { awk -v a="$1" -v b="$2" -v n="$3" 'BEGIN { printf "%.0f", n / (b - a) }'; }
# Runs a whole process in folder $1 and prints its files per second.
timed() {
  local dir="$1" files start end
  shift
  files=$(ls "$dir" | wc -l)
  start=$(seconds); (cd "$dir" && "$@" -- *.mp3 >/dev/null 2>&1); end=$(seconds)
  per_second "$start" "$end" "$files"
}
kid3_files() { shift; "$kid3" -c "set $kid3_edit" "$@"; }

# run_set NAMES SET LABEL ROUNDS WHO...: the edit is in save_edit (build/bin/save and
# save_mutagen.py), cli_edit (tunewright-cli set) and kid3_edit (kid3-cli set).
run_set() {
  local names="$1" set="$2" label="$3" n="$4" files
  shift 4
  local fs=() each=() auto=() written=() tags="" cli_t=() theirs=() their_written=() their_proc=()
  local kid=() before=()
  dirty_kb=()
  files=$(wc -l <"$names")
  for round in $(seq "$n"); do
    local dir="$work/$set-$round"
    for who in "$@"; do
      warm "$dir-$who"
      case "$who" in
        fs)
          out="$("$save" "$dir-fs" "${save_edit[@]}" --flush filesystem)"
          fs+=("$(field files_per_second "$out")"); written+=("$(field bytes_written "$out")")
          tags="$(field tag_bytes "$out")" ;;
        each)
          each+=("$(field files_per_second "$("$save" "$dir-each" "${save_edit[@]}" --flush each-file)")") ;;
        auto)
          auto+=("$(field files_per_second "$("$save" "$dir-auto" "${save_edit[@]}" --flush adaptive)")") ;;
        cli) cli_t+=("$(timed "$dir-cli" "$cli" set --v2 "${cli_edit[@]}")") ;;
        mutagen)
          out="$("${mutagen[@]}" "$dir-mutagen" "${save_edit[@]}")"
          theirs+=("$(field files_per_second "$out")"); their_written+=("$(field bytes_written "$out")") ;;
        script)
          start=$(seconds); "${mutagen[@]}" "$dir-script" "${save_edit[@]}" >/dev/null; end=$(seconds)
          their_proc+=("$(per_second "$start" "$end" "$files")") ;;
        before) before+=("$(field files_per_second "$("$SAVE_BEFORE" "$dir-before" "${save_edit[@]}")")") ;;
        kid3) kid+=("$(timed "$dir-kid3" kid3_files)") ;;
      esac
    done
  done
  echo "== $label: $files files, ID3v2 tags ${tags:-?} bytes (best of $n rounds)"
  [ ${#dirty_kb[@]} -gt 0 ] && echo "other dirty data before each run (kB): ${dirty_kb[*]}"
  local b_fs="" b_each="" b_auto="" b_mut="" b_script=""
  [ ${#fs[@]} -gt 0 ] && b_fs=$(best "${fs[@]}") && echo "engine, syncfs:            $b_fs files/s   (${fs[*]})"
  [ ${#each[@]} -gt 0 ] && b_each=$(best "${each[@]}") && echo "engine, fdatasync each:    $b_each files/s   (${each[*]})"
  [ ${#auto[@]} -gt 0 ] && b_auto=$(best "${auto[@]}") && echo "engine, adaptive (default): $b_auto files/s   (${auto[*]})"
  [ ${#cli_t[@]} -gt 0 ] && echo "tunewright-cli set:        $(best "${cli_t[@]}") files/s   (${cli_t[*]})"
  [ ${#theirs[@]} -gt 0 ] && b_mut=$(best "${theirs[@]}") && echo "mutagen loop:              $b_mut files/s   (${theirs[*]})"
  [ ${#their_proc[@]} -gt 0 ] && b_script=$(best "${their_proc[@]}") && echo "python3 mutagen script:    $b_script files/s   (${their_proc[*]})"
  [ ${#before[@]} -gt 0 ] && echo "SAVE_BEFORE engine:        $(best "${before[@]}") files/s   (${before[*]})"
  [ ${#kid[@]} -gt 0 ] && echo "kid3-cli set:              $(best "${kid[@]}") files/s   (${kid[*]})"
  if [ -n "$b_mut" ] && [ -n "$b_each" ]; then
    awk -v a="$b_fs" -v b="$b_each" -v d="${b_auto:-0}" -v m="$b_mut" -v c="$(best "${cli_t[@]}")" -v p="$b_script" 'BEGIN {
      printf "ratio to mutagen: engine %.2fx (adaptive), %.2fx (fdatasync each), %.2fx (syncfs); end to end %.2fx\n", d / m, b / m, a / m, c / p }'
    awk -v w="$(least "${written[@]}")" -v m="$(least "${their_written[@]}")" -v t="$tags" 'BEGIN {
      if (t > 0) printf "bytes written: ours %d (%.2fx the tags), mutagen %d (%.2fx the tags)\n", w, w / t, m, m / t }'
  fi
  last_fs="$b_fs"; last_each="$b_each"; last_auto="$b_auto"
}

whole_rounds="${WHOLE_ROUNDS:-3}"
copies "$corpus" "$work/padded.txt" padded "$rounds" "${who_all[@]}"
copies "$corpus" "$work/padded.txt" dirty "$rounds" "${dirty_who[@]}"
copies "$corpus" "$work/all.txt" all "$whole_rounds" "${who_all[@]}"
copies "$work/unpadded" "$work/all.txt" grow "$whole_rounds" "${who_all[@]}"

save_edit=(--album "Bench album"); cli_edit=(--album "Bench album"); kid3_edit="album 'Bench album'"
run_set "$work/padded.txt" padded "padded ID3v2 files without a picture" "$rounds" "${who_all[@]}"
clean_fs="$last_fs"; clean_each="$last_each"; clean_auto="$last_auto"
other_dirty_mb=200 run_set "$work/padded.txt" dirty \
  "the same with 200 MB of another program's data not yet written" "$rounds" "${dirty_who[@]}"
rm -f "$work/other.bin"
awk -v a="$clean_each" -v b="$last_each" -v c="$clean_fs" -v d="$last_fs" -v e="$clean_auto" -v f="$last_auto" 'BEGIN {
  printf "slower with the other data: %.2fx (adaptive), %.2fx (fdatasync each), %.2fx (syncfs)\n", e / f, a / b, c / d }'
run_set "$work/all.txt" all "whole corpus" "$whole_rounds" "${who_all[@]}"
save_edit=(--comment-bytes 2048); cli_edit=(--comment "$comment"); kid3_edit="comment '$comment'"
run_set "$work/all.txt" grow "whole corpus without padding, a 2 KB comment each" \
  "$whole_rounds" "${who_all[@]}"
