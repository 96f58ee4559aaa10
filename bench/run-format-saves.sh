#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Saving FLAC, Ogg Vorbis, Opus and MP4 files: `tunewright-cli set` against a mutagen loop
# that saves and fsyncs each file (save_formats_mutagen.py), per format, on the same warm
# copies: a new album that fits the file's padding, and a 6,000-byte comment that does not.
#
#   bench/run-format-saves.sh [FILES]      (default 200 files of each kind; ROUNDS=3)
#
# One tagged file of each kind (tests/support/make_format_file.py: 3.7 s of audio, every
# mapped key, two small pictures) is copied FILES times into a fresh folder for every run.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
files="${1:-200}"
rounds="${ROUNDS:-3}"

cmake --preset default >/dev/null
cmake --build --preset default --target tunewright-cli >/dev/null
cli="$repo/build/bin/tunewright-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/config"

fresh() {  # KIND EXT: a folder of fresh copies, written back before the clock starts
  rm -rf "$work/run"; mkdir "$work/run"
  for i in $(seq "$files"); do cp "$work/$1.$2" "$work/run/$i.$2"; done
  sync -f "$work/run"
}

# Files per second, best of the rounds; "$@" with the run folder's files appended.
ours() {
  local best=0 start end rate
  for _ in $(seq "$rounds"); do
    fresh "$kind" "$ext"
    start=$(date +%s%N); "$cli" set "$@" "$work"/run/* >/dev/null; end=$(date +%s%N)
    rate=$(awk -v n="$files" -v ns="$((end - start))" 'BEGIN { printf "%.0f", n / (ns / 1e9) }')
    [ "$rate" -gt "$best" ] && best=$rate
  done
  echo "$best"
}
theirs() {
  local best=0 rate
  for _ in $(seq "$rounds"); do
    fresh "$kind" "$ext"
    rate=$(/usr/bin/python3 "$repo/bench/save_formats_mutagen.py" "$work/run" "$@")
    [ "$rate" -gt "$best" ] && best=$rate
  done
  echo "$best"
}

comment="$(head -c 6000 /dev/zero | tr '\0' c)"
printf '%-7s %-6s %10s %13s %7s\n' kind case "ours f/s" "mutagen f/s" ratio
for pair in flac:flac vorbis:ogg opus:opus aac:m4a alac:m4a; do
  kind="${pair%%:*}"; ext="${pair##*:}"
  /usr/bin/python3 "$repo/tests/support/make_format_file.py" "$kind" "$work/$kind.$ext" 3.7 --tags
  a=$(ours --album "Bench album"); b=$(theirs --album "Bench album")
  awk -v k="$kind" -v a="$a" -v b="$b" 'BEGIN { printf "%-7s %-6s %10d %13d %6.1fx\n", k, "fits", a, b, a / b }'
  a=$(ours --comment "$comment"); b=$(theirs --comment-bytes 6000)
  awk -v k="$kind" -v a="$a" -v b="$b" 'BEGIN { printf "%-7s %-6s %10d %13d %6.1fx\n", k, "grows", a, b, a / b }'
done
