#!/usr/bin/env bash
# Dense matches: "static" over the whole corpus (about 760,000 matched lines), no context lines,
# rows in the order the files are found (--sort none), written into /dev/null and through a
# pipe, against ripgrep. Medians of alternating runs, peak memory.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh" "$@"
RUNS=${RUNS:-5}
bench_prepare

ours="$cli --path '$CORPUS' --files '*' --subdirs --case-sensitive -B 0 -A 0 --sort none -1 static"
theirs="rg -uuu -n static '$CORPUS'"
bench_alternate search-cli "$ours > /dev/null" rg "$theirs > /dev/null" |
  bench_table "static over the corpus, into /dev/null"
bench_alternate search-cli "$ours | cat > /dev/null" rg "$theirs | cat > /dev/null" |
  bench_table "static over the corpus, through a pipe"
bench_alternate search-cli-j1 "$ours -j1 > /dev/null" rg-j1 "rg -j1 -uuu -n static '$CORPUS' > /dev/null" |
  bench_table "static over the corpus, one thread, into /dev/null"
