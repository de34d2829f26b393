#!/usr/bin/env bash
# The internal editor on a 100 MB file of kernel sources and on one 50 MB line: the editor's
# own steps (open to the first painted page, paging, jumping, saving), and the whole run of
# opening a file, going to its end and closing it, against vim doing the same, alternately.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
bench_prepare
bench="$build_dir/bench/ui/editor-bench"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

big="$BENCH_CACHE/editor-100mb.c"
line="$BENCH_CACHE/editor-50mb-line.txt"
if [[ ! -f "$big" ]]; then
  echo "Writing $big (once)..."
  # head ends the pipe early on purpose.
  { find "$CORPUS" -name '*.c' -print0 | sort -z | xargs -0 cat | head -c 104857600 >"$big.part"; } || true
  mv "$big.part" "$big"
fi
if [[ ! -f "$line" ]]; then
  head -c 52428800 "$big" | tr '\n' ' ' >"$line.part"
  mv "$line.part" "$line"
fi

quiet() { grep -v "propagateSizeHints\|XDG_RUNTIME_DIR\|does not support" >&2 || true; }

echo "== editor, replace all of 'static' in $(basename "$big") =="
"$bench" "$big" --replace static STATIC 2> >(quiet)
ours=$(bench_measure "editor" "$bench" "$big" --replace static STATIC)
vim=$(bench_measure "vim" vim -es -u NONE -i NONE -n -c '%s/static/STATIC/g' -c 'q!' "$big")
bench_report "open, replace all, close (best of $RUNS)" "$ours" "$vim"

for file in "$big" "$line"; do
  echo "== editor, $(basename "$file") ($(($(stat -c %s "$file") / 1048576)) MB) =="
  "$bench" "$file" 2> >(quiet)
  ours=$(bench_measure "editor" "$bench" "$file" --open-end)
  vim=$(bench_measure "vim" vim -es -u NONE -i NONE -n -c 'normal G' -c 'q!' "$file")
  bench_report "open, go to the end, close (best of $RUNS)" "$ours" "$vim"
done
