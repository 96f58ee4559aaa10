# SPDX-License-Identifier: GPL-2.0-or-later
# Sourced by the run-*.sh scripts with their arguments [CORPUS_DIR] [FILE_COUNT] (defaults:
# /tmp/tw-corpus 1000): sets repo, corpus, count and rounds (ROUNDS, default 5) and makes
# the corpus with scripts/make-corpus when the folder does not exist (MAKE_CORPUS may name
# another maker).
ensure_corpus() {
  local corpus="$1" count="$2" repo
  [ -d "$corpus" ] && return 0
  repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  "${MAKE_CORPUS:-$repo/scripts/make-corpus}" "$corpus" "$count"
}

# The largest and the smallest of the numbers given.
best() { printf '%s\n' "$@" | sort -g | tail -1; }
least() { printf '%s\n' "$@" | sort -g | head -1; }
# The value of "KEY: value" in the text $2.
field() { printf '%s\n' "$2" | awk -v k="$1:" '$1 == k { print $2 }'; }

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
corpus="${1:-/tmp/tw-corpus}"
count="${2:-1000}"
rounds="${ROUNDS:-5}"
ensure_corpus "$corpus" "$count"
