#!/usr/bin/env bash
# The search history's memory: ten searches of 100,000 line nodes, lines shared with the tree
# against full copies of the save texts.
set -euo pipefail
build_dir=${1:-build/release}
"$build_dir/bench/history/history-memory-bench"
