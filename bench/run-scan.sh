#!/usr/bin/env bash
# The folder-scan benchmark: this program's read path against a mutagen loop, on the same
# warm corpus, in the same run; then the records are checked against the corpus manifest.
#
#   bench/run-scan.sh [CORPUS_DIR] [FILE_COUNT]      (defaults: /tmp/tw-corpus 1000)
#
# The corpus is made with make-corpus when the folder does not exist (MAKE_CORPUS names
# the script when it is not in ../shared beside the checkout).
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
corpus="${1:-/tmp/tw-corpus}"
count="${2:-1000}"
rounds="${ROUNDS:-5}"

. "$repo/bench/corpus.sh"
ensure_corpus "$corpus" "$count"

cmake --preset default >/dev/null
cmake --build --preset default --target scan tunewright-cli >/dev/null
scan="$repo/build/bin/scan"

# Warm the page cache, so that both readers see the same memory-speed files.
cat "$corpus"/*.mp3 >/dev/null

ours=(); theirs=()
for _ in $(seq "$rounds"); do
  ours+=("$("$scan" "$corpus" --repeat 3 | awk '/files_per_second/ {print $2}')")
  theirs+=("$(/usr/bin/python3 "$repo/bench/scan_mutagen.py" "$corpus" | awk '/files_per_second/ {print $2}')")
done
ours_best=$(printf '%s\n' "${ours[@]}" | best)
theirs_best=$(printf '%s\n' "${theirs[@]}" | best)

echo "== tunewright scan"
"$scan" "$corpus" --repeat 3 | grep -v files_per_second
echo "files_per_second: $ours_best (best of $rounds rounds: ${ours[*]})"
echo "== mutagen loop"
/usr/bin/python3 "$repo/bench/scan_mutagen.py" "$corpus" | grep -v files_per_second
echo "files_per_second: $theirs_best (best of $rounds rounds: ${theirs[*]})"
echo "== ratio: $(awk -v a="$ours_best" -v b="$theirs_best" 'BEGIN { printf "%.1f", a / b }')x"

manifest="${corpus%/}.manifest.tsv"
if [ -f "$manifest" ]; then
  echo "== records against $manifest"
  /usr/bin/python3 "$repo/bench/check_manifest.py" "$repo/build/bin/tunewright-cli" "$corpus" "$manifest" | tail -1
fi
