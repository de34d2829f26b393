#!/usr/bin/env bash
# The results view over a million rows: filling, scrolling, Expand All, Collapse All, clearing,
# and rows arriving while a search runs.
set -euo pipefail
build_dir=${1:-build/release}
echo "== results view, offscreen =="
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build_dir/bench/ui/results-view-bench" 2> >(grep -v "propagateSizeHints\|XDG_RUNTIME_DIR" >&2)
