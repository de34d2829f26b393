#!/usr/bin/env bash
# Listing every file of the corpus by name, with sizes and times read, against find.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh" "$@"
bench_prepare

ours=$(bench_measure search-cli "$cli" --path "$CORPUS" --files "*" --subdirs)
find=$(bench_measure find-printf find "$CORPUS" -type f -printf '%p %s %T@ %A@\n')
count=$("$cli" --path "$CORPUS" --files "*" --subdirs | wc -l)
bench_report "List every file ($count files); ratio = search-cli time / other time" "$ours" "$find"
