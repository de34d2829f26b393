#!/usr/bin/env bash
# Regular-expression searches through search-cli against ripgrep, one thread each, on every
# file of the corpus.
set -euo pipefail
# Both tools list the matching lines with their numbers and no context lines (-B 0 -A 0).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh" "$@"
bench_prepare

for expression in '[A-Z]+_RESUME' '\w+_RESUME' '(PM|pm)_[a-z]+' '^\s*#\s*if' '\b(\w+)\s+\1\b'; do
  rg_args=("$expression")
  # ripgrep needs its PCRE2 engine for a backreference.
  [[ "$expression" == *'\1'* ]] && rg_args=(-P "$expression")
  ours=$(bench_measure search-cli-j1 "$cli" --path "$CORPUS" --files "*" --subdirs -B 0 -A 0 -j1 \
    --case-sensitive --regex -1 "$expression")
  rg=$(bench_measure rg-j1 rg -uuu -j1 -n "${rg_args[@]}" "$CORPUS")
  bench_report "expression $expression, one thread" "$ours" "$rg"
done
