#!/usr/bin/env bash
# Cold page cache: every run starts after the page cache was emptied, so the time goes to
# waiting on the disk. Literal PM_RESUME over the corpus, against ripgrep with its default
# threads and with -j8. Emptying the cache needs root; without it the benchmark is skipped.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh" "$@"
RUNS=${RUNS:-3}
bench_prepare

if [[ $(id -u) -ne 0 ]] || ! { sync && echo 3 >/proc/sys/vm/drop_caches; } 2>/dev/null; then
  echo "cold page cache: skipped (emptying the page cache needs root)"
  exit 0
fi
bench_before_each() { sync; echo 3 >/proc/sys/vm/drop_caches; }
bench_alternate search-cli "$cli --path '$CORPUS' --files '*' --subdirs --case-sensitive -B 0 -A 0 -1 PM_RESUME" \
  rg "rg -uuu -n PM_RESUME '$CORPUS'" rg-j8 "rg -uuu -j8 -n PM_RESUME '$CORPUS'" |
  bench_table "cold page cache, literal PM_RESUME"
