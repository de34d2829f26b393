#!/usr/bin/env bash
# A file below 3,000 nested folders (a path of about 6,000 bytes, beyond the system's path
# limit of 4,096): whether each tool finds it, and how long the walk takes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh" "$@"
RUNS=${RUNS:-3}
bench_install ripgrep time

top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
# Built with relative steps, as no tool may name the deepest folder by its whole path.
(cd "$top" && for ((i = 0; i < 3000; i++)); do mkdir d && cd d; done && echo "DEEP_NEEDLE_7 here" >deep.txt)

echo "deep tree: search-cli finds $("$cli" --path "$top" --files '*' --subdirs -1 DEEP_NEEDLE_7 --sort none 2>/dev/null | grep -c '^\*' || true) line(s);" \
  "rg finds $(rg -uuu -c DEEP_NEEDLE_7 "$top" 2>/dev/null | wc -l) file(s)"
bench_alternate search-cli "$cli --path '$top' --files '*' --subdirs -1 DEEP_NEEDLE_7 > /dev/null" \
  rg "rg -uuu -n DEEP_NEEDLE_7 '$top' > /dev/null" |
  bench_table "a file below 3,000 nested folders"
