#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Listing a whole tree in the window: `gui-open --recursive` on a tree of TREE_FILES files
# (default 100000) in Artist/Album folders, and the same with `tunewright-cli list
# --recursive`. The tree's files are hard links to copies of the corpus files (the corpus
# itself is left alone), so it costs little disk space and every file is a real MP3 file.
#
#   bench/run-tree.sh [CORPUS_DIR] [FILE_COUNT]      (defaults: /tmp/tw-corpus 1000)
#
# The tree is made beside the corpus (CORPUS_DIR-tree-TREE_FILES, its sources in
# CORPUS_DIR-tree-TREE_FILES.sources) when missing: 100 files an album, 10 albums an artist.
set -euo pipefail
. "$(dirname "$0")/corpus.sh" "$@"

total="${TREE_FILES:-100000}"
tree="$corpus-tree-$total"
cmake --preset default >/dev/null
cmake --build --preset default --target gui-open tunewright-cli >/dev/null

if [ ! -d "$tree" ]; then
  rm -rf "$tree.sources"
  mkdir -p "$tree.sources"
  cp "$corpus"/*.mp3 "$tree.sources"/
  /usr/bin/python3 - "$tree.sources" "$tree" "$total" <<'PY'
import os, sys
corpus, tree, total = sys.argv[1], sys.argv[2], int(sys.argv[3])
sources = sorted(os.path.join(corpus, n) for n in os.listdir(corpus) if n.endswith(".mp3"))
for made in range(total):
    album = os.path.join(tree, f"Artist {made // 1000}", f"Album {made // 100 % 10}")
    os.makedirs(album, exist_ok=True)
    os.link(sources[made % len(sources)], os.path.join(album, f"{made % 100:02d} Track.mp3"))
PY
fi

echo "tree: $tree ($(find "$tree" -type f | wc -l) files)"
"$repo/build/bin/gui-open" "$tree" --rounds "${ROUNDS:-3}" --recursive
start=$(date +%s.%N)
"$repo/build/bin/tunewright-cli" list --recursive "$tree" >/dev/null
echo "cli list --recursive  $(echo "$(date +%s.%N) - $start" | bc) s"
