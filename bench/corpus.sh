# Sourced by the run-*.sh scripts: ensure_corpus DIR COUNT makes a make-corpus folder of
# COUNT files at DIR when DIR does not exist (MAKE_CORPUS names the script when it is not in
# ../shared beside the checkout).
ensure_corpus() {
  local corpus="$1" count="$2" repo make_corpus="${MAKE_CORPUS:-}"
  [ -d "$corpus" ] && return 0
  repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  for candidate in "$repo/../shared/make-corpus" "$repo/../../shared/make-corpus" /work/shared/make-corpus; do
    if [ -z "$make_corpus" ] && [ -x "$candidate" ]; then make_corpus="$candidate"; fi
  done
  [ -n "$make_corpus" ] || { echo "make-corpus not found; set MAKE_CORPUS" >&2; return 1; }
  "$make_corpus" "$corpus" "$count"
}

# The best (largest) of the numbers on standard input.
best() { sort -g | tail -1; }
# The smallest of the numbers on standard input.
least() { sort -g | head -1; }
# The value of "KEY: value" in the text $2.
field() { printf '%s\n' "$2" | awk -v k="$1:" '$1 == k { print $2 }'; }
