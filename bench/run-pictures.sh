#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The cost of pictures in a listing: `tunewright-cli list --format json` over the corpus files
# each with a 200 KB front cover, against the same files without any picture. A listing reads
# only the heads of picture frames, so the two should take about the same time.
#
#   bench/run-pictures.sh [CORPUS_DIR] [FILE_COUNT]      (defaults: /tmp/tw-corpus 1000)
#
# The two folders are made beside the corpus (CORPUS_DIR-with-pictures, -without-pictures)
# from copies of its files, by the program's own commands: every file gets an ID3v2 tag
# (its encoder field set) in both, so that the folders differ in the pictures only.
set -euo pipefail
. "$(dirname "$0")/corpus.sh" "$@"

cmake --preset default >/dev/null
cmake --build --preset default --target tunewright-cli >/dev/null
cli="$repo/build/bin/tunewright-cli"
with="$corpus-with-pictures"
without="$corpus-without-pictures"

if [ ! -d "$with" ] || [ ! -d "$without" ]; then
  rm -rf "$with" "$without"
  mkdir -p "$with" "$without"
  cp "$corpus"/*.mp3 "$without"/
  "$cli" picture delete "$without"/*.mp3 --all >/dev/null
  "$cli" set --v2 --encoded-by bench "$without"/*.mp3 >/dev/null
  cp "$without"/*.mp3 "$with"/
  # A 200 KB PNG of noise (it does not compress), as the corpus's own pictures are.
  cover="$with.png"
  /usr/bin/python3 - "$cover" <<'PY'
import os, struct, sys, zlib
width, height = 256, 260
raw = b"".join(b"\0" + os.urandom(width * 3) for _ in range(height))
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(raw, 0)) + chunk(b"IEND", b"")
open(sys.argv[1], "wb").write(png)
PY
  "$cli" picture add "$with"/*.mp3 --image "$cover" >/dev/null
fi
files=$(find "$with" -maxdepth 1 -iname '*.mp3' | wc -l)
cat "$with"/*.mp3 "$without"/*.mp3 >/dev/null   # warm the page cache

seconds() {
  local start end
  start=$(date +%s%N); "$cli" list "$1" --format json >/dev/null; end=$(date +%s%N)
  awk -v ns="$((end - start))" 'BEGIN { printf "%.3f", ns / 1e9 }'
}

withs=(); withouts=()
for _ in $(seq "$rounds"); do
  for _ in 1 2 3; do
    withouts+=("$(seconds "$without")")
    withs+=("$(seconds "$with")")
  done
done
with_best=$(least "${withs[@]}")
without_best=$(least "${withouts[@]}")
echo "== list --format json of $files files (best of $rounds rounds of 3)"
echo "with a 200 KB picture each: $with_best s   (${withs[*]})"
echo "without pictures:           $without_best s   (${withouts[*]})"
awk -v a="$with_best" -v b="$without_best" 'BEGIN { printf "difference: %+.1f%%\n", (a / b - 1) * 100 }'
