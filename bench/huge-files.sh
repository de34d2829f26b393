#!/usr/bin/env bash
# Single large files against ripgrep: 1 GiB of C sources in one file searched for "static"
# with no context lines, and one line of 400 MiB searched for a literal that occurs once (at
# its end) and for one that does not occur. Medians of alternating runs, peak memory.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh" "$@"
RUNS=${RUNS:-3}
bench_prepare

big="$BENCH_CACHE/big-1g.txt"
line="$BENCH_CACHE/line-400m.txt"
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
if [[ ! -f "$big" ]]; then
  echo "Making $big (once)..."
  find "$CORPUS" -type f \( -name '*.c' -o -name '*.h' \) -print0 | sort -z | xargs -0 cat 2>/dev/null |
    head -c 1073741824 | "${sudo_cmd[@]}" tee "$big" >/dev/null || true
fi
if [[ ! -f "$line" ]]; then
  echo "Making $line (once)..."
  { head -c 419430400 "$big" | tr '\n' ' '; printf 'UNIQUE_NEEDLE_42'; } | "${sudo_cmd[@]}" tee "$line" >/dev/null
fi
cat "$big" "$line" >/dev/null  # both tools start from the page cache

one() { echo "$cli --path '$BENCH_CACHE' --files '$1' --case-sensitive -B 0 -A 0 --sort none -1 $2"; }
echo "($(grep -c static "$big") matched lines in the 1 GiB file)"
bench_alternate search-cli "$(one big-1g.txt static) > /dev/null" rg "rg -n static '$big' > /dev/null" |
  bench_table "1 GiB file, static, no context"
bench_alternate search-cli "$(one line-400m.txt UNIQUE_NEEDLE_42) > /dev/null" \
  rg "rg -n UNIQUE_NEEDLE_42 '$line' > /dev/null" |
  bench_table "one 400 MiB line, a literal that occurs once"
bench_alternate search-cli "$(one line-400m.txt ABSENT_NEEDLE_43) > /dev/null" \
  rg "rg -n ABSENT_NEEDLE_43 '$line' > /dev/null" |
  bench_table "one 400 MiB line, a literal that does not occur"
